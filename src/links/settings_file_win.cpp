#include "links/settings_file_win.h"

#include "common/file_io_win.h"
#include "common/ui_texts.h"
#include "common/win_handles_win.h"
#include "links/link_images_win.h"
#include "links/settings_codec.h"
#include "links/settings_model.h"

namespace qb {

std::string settings_file_path(const ProgramLocation& location) { return location.beside_program("\\data.qb"); }

namespace {

void make_link_image(const LinkImagePlan& plan, HWND window, const std::string& default_picture,
                     SharedPictures& shared) {
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
    } else if (file_exists(plan.path)) {
        make_icon_image(link, plan.path, window, default_picture, &shared);
    } else {
        load_default_image(link, default_picture, &shared);
    }
}

}  // namespace

void load_settings(const ProgramLocation& location, ModalSeams& seams, HWND window, AppSettings& settings,
                   LinkList& links, bool& links_loaded) {
    // A first start creates the file empty, as the program's mark on the drive.
    UniqueFile file(CreateFileA(settings_file_path(location).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        seams.message_box(nullptr, text::kCannotLoadSettings, text::kErrorCaption, MB_OK);
        settings = AppSettings{};
        return;
    }
    const std::vector<std::uint8_t> bytes = read_open_file(file.get());
    file.reset();
    const StoredSettings stored = decode_settings(bytes);
    const auto plans = apply_stored_settings(stored, location, settings, links, links_loaded);
    // The theme named by the file gives the default pictures.
    const std::string default_picture = default_picture_path(location.theme_folder(settings.theme_name));
    // Documents of one type show one icon, asked for once; each picture
    // goes with the last of its links.
    SharedPictures shared;
    for (const LinkImagePlan& plan : plans) make_link_image(plan, window, default_picture, shared);
}

bool save_settings(const ProgramLocation& location, ModalSeams& seams, const AppSettings& settings,
                   const LinkList& links) {
    const auto bytes = encode_settings(capture_settings(settings, links, location));
    if (write_file_replacing(settings_file_path(location), bytes)) return true;
    seams.message_box(nullptr, text::kCannotSaveData, text::kErrorCaption, MB_OK);
    return false;
}

}  // namespace qb
