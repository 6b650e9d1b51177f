#include "links/settings_model.h"

#include <algorithm>

#include "common/letter_case.h"

namespace qb {

namespace {

bool has_drive_prefix(std::string_view path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

bool is_network_path(std::string_view path) { return path.size() >= 2 && path[0] == '\\' && path[1] == '\\'; }

}  // namespace

std::string stored_image_path(std::string_view full_path, const ProgramLocation& location) {
    const std::string& program_dir = location.program_dir;
    // A rest that starts with a second backslash would read back as a UNC
    // path ("\\x.bmp"), so such a path stays full.
    if (!program_dir.empty() && full_path.size() > program_dir.size() + 1 &&
        starts_with_ignoring_case(full_path, program_dir) && full_path[program_dir.size()] == '\\' &&
        full_path[program_dir.size() + 1] != '\\') {
        return std::string(full_path.substr(program_dir.size()));
    }
    return std::string(full_path);
}

std::string resolve_stored_image_path(std::string_view stored, const ProgramLocation& location) {
    const bool unc = stored.size() >= 2 && stored[0] == '\\' && stored[1] == '\\';
    if (!stored.empty() && stored[0] == '\\' && !unc) return location.beside_program(stored);
    return std::string(stored);
}

std::vector<LinkImagePlan> apply_stored_settings(const StoredSettings& stored, const ProgramLocation& location,
                                                 AppSettings& settings, LinkList& links, bool& links_loaded) {
    settings.window_width = static_cast<std::int32_t>(stored.window_width);
    settings.window_height = static_cast<std::int32_t>(stored.window_height);
    settings.loaded_width = settings.window_width;
    settings.loaded_height = settings.window_height;
    settings.theme_name = stored.theme_name.text.size() < 2 ? std::string(kDefaultThemeName)
                                                             : stored.theme_name.text;

    // The options follow the links in the file, so positions are read
    // with the grid off and kept exactly as stored.
    std::vector<LinkImagePlan> plans;
    plans.reserve(stored.links.size());
    for (const StoredLink& record : stored.links) {
        Link& link = links.append_new();
        LinkList::set_x(link, static_cast<int>(record.x), false);
        LinkList::set_y(link, static_cast<int>(record.y), false);
        if (record.target.declared_length > 0) LinkList::set_target(link, record.target.text, location.drive_root);
        if (record.caption.declared_length > 0) LinkList::set_caption(link, record.caption.text);

        // A full path on the drive we run from was turned into a root-relative
        // target by set_target, and a network path into an absolute one;
        // those decisions stand, so the link keeps working. Every other
        // record keeps the flag it was saved with.
        const bool target_on_our_drive = record.target.declared_length > 0 &&
                                         has_drive_prefix(record.target.text) && link.root_relative;
        const bool network_target = record.target.declared_length > 0 && is_network_path(record.target.text);
        if (!target_on_our_drive && !network_target) link.root_relative = record.root_relative;
        link.close_on_activate = record.close_on_activate;
        link.custom_image = record.custom_image;

        LinkImagePlan plan;
        plan.link = &link;
        if (record.image_path.declared_length > 0) {
            plan.source = LinkImagePlan::Source::CustomFile;
            plan.path = resolve_stored_image_path(record.image_path.text, location);
        } else {
            plan.source = LinkImagePlan::Source::TargetIcon;
            plan.path = full_target(link, location.drive_root);
        }
        plans.push_back(std::move(plan));
    }
    if (!stored.links.empty()) links_loaded = true;

    settings.show_hints = stored.options[0];
    settings.check_autorun_at_start = stored.options[1];
    settings.auto_close_when_idle = stored.options[2];
    settings.auto_arrange = stored.options[3];
    settings.use_search_service = stored.options[4];

    settings.window_width = std::max(settings.window_width, std::int32_t{kMinWindowWidth});
    settings.window_height = std::max(settings.window_height, std::int32_t{kMinWindowHeight});
    return plans;
}

StoredSettings capture_settings(const AppSettings& settings, const LinkList& links,
                                const ProgramLocation& location) {
    StoredSettings stored;
    stored.window_width = settings.window_width;
    stored.window_height = settings.window_height;
    stored.theme_name.text = settings.theme_name;
    for (const Link& link : links) {
        StoredLink record;
        record.close_on_activate = link.close_on_activate;
        record.custom_image = link.custom_image;
        record.root_relative = link.root_relative;
        record.x = link.x;
        record.y = link.y;
        record.target.text = link.target.value_or("");
        record.caption.text = link.caption.value_or("");
        if (link.custom_image && link.image_path) record.image_path.text = stored_image_path(*link.image_path, location);
        stored.links.push_back(std::move(record));
    }
    stored.declared_link_count = static_cast<std::uint32_t>(stored.links.size());
    stored.options = {settings.show_hints, settings.check_autorun_at_start, settings.auto_close_when_idle,
                      settings.auto_arrange, settings.use_search_service};
    return stored;
}

}  // namespace qb
