#include "links/settings_file_win.h"

#include "app/app_globals_win.h"
#include "app/program_location.h"
#include "common/file_io_win.h"
#include "common/modal_seams_win.h"
#include "common/win_handles_win.h"
#include "links/link_images_win.h"
#include "links/settings_codec.h"
#include "links/settings_model.h"
#include "theme/theme_file_win.h"

namespace qb {

std::string settings_file_path() { return beside_program("\\data.qb"); }

namespace {

void make_link_image(const LinkImagePlan& plan, HWND window) {
    Link& link = *plan.link;
    if (plan.source == LinkImagePlan::Source::CustomFile) {
        if (regular_file_exists(plan.path)) {
            load_image_file(link, "", plan.path);
        } else {
            // The picture may be on a drive that is not plugged in today:
            // show the default one, but keep the user's choice for the save.
            load_default_image(link);
            link.image_path = plan.path;
        }
    } else if (file_exists(plan.path)) {
        make_icon_image(link, plan.path, window);
    } else {
        load_default_image(link);
    }
}

}  // namespace

void load_settings(HWND window, HINSTANCE /*instance*/) {
    // A first start creates the file empty, as the program's mark on the drive.
    UniqueFile file(CreateFileA(settings_file_path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        show_message(nullptr, kCannotLoadSettings, kErrorCaption, MB_OK);
        app_settings = AppSettings{};
    } else {
        const std::vector<std::uint8_t> bytes = read_open_file(file.get());
        file.reset();
        const StoredSettings stored = decode_settings(bytes);
        for (const LinkImagePlan& plan : apply_stored_settings(stored, app_settings, link_list)) {
            make_link_image(plan, window);
        }
    }
    read_theme();
}

bool save_settings() {
    const auto bytes = encode_settings(capture_settings(app_settings, link_list));
    if (write_file_replacing(settings_file_path(), bytes)) return true;
    show_message(nullptr, kCannotSaveData, kErrorCaption, MB_OK);
    return false;
}

}  // namespace qb
