#include "options/theme_switch_win.h"

#include "common/ui_texts.h"
#include "mainwindow/window_shape_win.h"
#include "render/skin_win.h"
#include "render/window_areas.h"
#include "theme/theme_file_win.h"

namespace qb {

AutorunPlace autorun_place(const ProgramState& program) {
    return {program.location.drive_root, module_file_path(program.instance), program.theme_folder()};
}

bool apply_theme(ProgramState& program, std::string_view folder_name, HWND owner) {
    // Edits of the theme being left go to its own file; read over by the
    // new theme's values, they would otherwise be lost, and the new
    // theme's file rewritten at exit with values it already holds. Edits
    // that cannot be written keep the theme they belong to.
    if (program.changes.theme_colors_changed) {
        if (!write_theme(program.theme_folder(), program.theme)) {
            program.seams.message_box(owner, text::kCannotSaveTheme, text::kErrorCaption, MB_OK, program.language);
            return false;
        }
        program.changes.theme_colors_changed = false;
    }

    program.settings.theme_name = "\\" + std::string(folder_name);
    const std::string folder = program.theme_folder();
    if (read_theme(folder, program.theme)) program.old_theme = true;

    for (const char* name : {"BackGround", "CloseButton", "OptButton", "RightSide"}) program.bitmaps.remove(name);
    load_theme_pictures(program.bitmaps, folder);

    HWND window = program.main_window;
    if (window) {
        RECT outer{};
        GetWindowRect(window, &outer);
        compose_skin(program.bitmaps, {0, 0, outer.right - outer.left, outer.bottom - outer.top}, window,
                     program.theme.fill_type, program.header_height);
    }

    // The icon entry follows the new theme; a file the user wrote himself
    // is not replaced behind the user's back.
    const AutorunWriteResult written = rewrite_autorun_file_quietly(autorun_place(program));
    program.autorun_state = findings_after_write(written, program.autorun_state);

    if (window) repaint_areas(window, AREA_ALL, program.header_height);
    return true;
}

}  // namespace qb
