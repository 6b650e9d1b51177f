#include "links/settings_file_win.h"

#include "common/file_io_win.h"
#include "common/ui_texts.h"
#include "common/win_handles_win.h"
#include "links/link_images_win.h"
#include "links/picture_lookup_win.h"
#include "links/settings_codec.h"
#include "links/settings_model.h"

namespace qb {

std::string settings_file_path(const ProgramLocation& location) { return location.beside_program("\\data.qb"); }

namespace {

void make_link_image(const LinkImagePlan& plan, HWND window, const std::string& default_picture,
                     SharedPictures& shared, DeferredPictures* deferred) {
    Link& link = *plan.link;
    if (plan.source == LinkImagePlan::Source::CustomFile) {
        if (regular_file_exists(plan.path)) {
            load_image_file(link, "", plan.path, &shared);
        } else {
            // The picture may be on a drive that is not plugged in today:
            // show the default one, but keep the user's choice for the save.
            load_default_image(link, default_picture, &shared);
            link.image_path = plan.path;
        }
    } else if (shared.file_facts(plan.path)) {
        if (!deferred || plan.path.size() < 2) {
            make_icon_image(link, plan.path, window, default_picture, &shared);
        } else if (const std::optional<IconLookup> lookup = show_known_icon(link, plan.path, window, shared)) {
            // Shown without a picture until it arrives.
            link.picture_request = deferred->add(*lookup);
        }
    } else {
        load_default_image(link, default_picture, &shared);
    }
}

}  // namespace

SettingsLoad load_settings(const ProgramLocation& location, ModalSeams& seams, Language language, HWND window,
                           AppSettings& settings,
                           LinkList& links, bool& links_loaded, std::optional<IconCache>* icon_cache,
                           DeferredPictures* deferred) {
    const std::string path = settings_file_path(location);
    // A first start creates the file empty, as the program's mark on the drive.
    UniqueFile file = open_file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_ALWAYS);
    std::optional<std::vector<std::uint8_t>> bytes;
    if (file) bytes = read_open_file(file.get());
    file.reset();
    if (!bytes) {
        seams.message_box(nullptr, text::kCannotLoadSettings, text::kErrorCaption, MB_OK, language);
        settings = AppSettings{};
        if (!file_exists(path)) return SettingsLoad::NotCreated;
        // The user's file is there, only not readable now: nothing of this
        // run may replace it unless something really changed.
        settings.loaded_width = settings.window_width;
        settings.loaded_height = settings.window_height;
        return SettingsLoad::Unreadable;
    }
    const StoredSettings stored = decode_settings(*bytes);
    const auto plans = apply_stored_settings(stored, location, settings, links, links_loaded);
    // The theme named by the file gives the default pictures.
    const std::string default_picture = default_picture_path(location.theme_folder(settings.theme_name));
    // Documents of one type show one icon, asked for once; each picture
    // goes with the last of its links.
    // Pictures a start before this one kept; with no links a cache left
    // is read too, so that its entries, now unused, are dropped.
    const bool read_cache = icon_cache && (!plans.empty() || regular_file_exists(icon_cache_path(location)));
    if (deferred) {
        // The links the first paint shows get their pictures now, the
        // others once it is done (take_unseen_pictures).
        if (read_cache) deferred->cache.emplace(location);
        SharedPictures& shared = deferred->start_shared.emplace();
        shared.cache = deferred->cache ? &*deferred->cache : nullptr;
        shared.drive_root = location.drive_root;
        deferred->default_picture = default_picture;
        const LinkView first_view{settings.window_width, settings.window_height};
        for (const LinkImagePlan& plan : plans) {
            if (first_view.may_show(*plan.link)) {
                make_link_image(plan, window, default_picture, shared, deferred);
            } else {
                deferred->unseen.push_back(plan);
            }
        }
        return SettingsLoad::Read;
    }
    std::optional<IconCacheRun> cache;
    if (read_cache) cache.emplace(location);
    SharedPictures shared;
    shared.cache = cache ? &*cache : nullptr;
    shared.drive_root = location.drive_root;
    for (const LinkImagePlan& plan : plans) make_link_image(plan, window, default_picture, shared, nullptr);
    if (cache) *icon_cache = cache->result();
    return SettingsLoad::Read;
}

void take_unseen_pictures(DeferredPictures& deferred, HWND window, std::optional<IconCache>& icon_cache) {
    if (deferred.start_shared) {
        for (const LinkImagePlan& plan : deferred.unseen) {
            make_link_image(plan, window, deferred.default_picture, *deferred.start_shared, &deferred);
        }
    }
    deferred.unseen.clear();
    deferred.start_shared.reset();
    if (!deferred.jobs.empty()) {
        // The cache to write is known once every picture is in; the
        // pictures made from it are the links' own by now.
        if (deferred.cache) deferred.cache->made.clear();
    } else if (deferred.cache) {
        icon_cache = deferred.cache->result();
        deferred.cache.reset();
    }
}

bool write_settings(const ProgramLocation& location, const AppSettings& settings, const LinkList& links) {
    const std::vector<std::uint8_t> bytes = encode_settings(capture_settings(settings, links, location));
    return write_file_replacing(settings_file_path(location), bytes);
}

bool move_unreadable_settings_aside(const ProgramLocation& location) {
    const std::string path = settings_file_path(location);
    return !file_exists(path) || move_aside(path).has_value();
}

}  // namespace qb
