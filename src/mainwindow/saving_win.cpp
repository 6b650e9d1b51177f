#include "mainwindow/saving_win.h"

#include "common/ui_texts.h"
#include "links/icon_cache_win.h"
#include "links/settings_file_win.h"
#include "theme/theme_file_win.h"

namespace qb {

namespace {

void restart_save_timer(const ProgramState& program) {
    // SetTimer with the same identifier starts the period afresh.
    if (program.main_window) SetTimer(program.main_window, kSaveTimer, kSaveDelay, nullptr);
}

bool save_settings_file(ProgramState& program) {
    if (program.settings_unreadable) {
        if (!move_unreadable_settings_aside(program.location)) return false;
        program.settings_unreadable = false;
    }
    return write_settings(program.location, program.settings, program.links);
}

}  // namespace

void note_change(ProgramState& program, bool ChangeFlags::*flag) {
    program.changes.*flag = true;
    restart_save_timer(program);
}

void note_window_size(ProgramState& program) {
    const AppSettings& settings = program.settings;
    if (settings.window_width != settings.loaded_width || settings.window_height != settings.loaded_height) {
        restart_save_timer(program);
    }
}

bool save_changes(ProgramState& program, SaveOccasion occasion) {
    bool all_saved = true;
    if (settings_need_saving(program.settings, program.changes)) {
        if (save_settings_file(program)) {
            mark_settings_saved(program.settings, program.changes);
        } else {
            all_saved = false;
            if (occasion == SaveOccasion::Exit) {
                program.seams.message_box(nullptr, text::kCannotSaveData, text::kErrorCaption, MB_OK, program.language);
            }
        }
    }
    if (program.changes.theme_colors_changed) {
        if (write_theme(program.theme_folder(), program.theme)) {
            program.changes.theme_colors_changed = false;
        } else {
            all_saved = false;
        }
    }
    if (program.changes.icon_cache_changed) {
        // Only a cache: a failed write is tried again later and never reported.
        if (!program.icon_cache || write_icon_cache(program.location, *program.icon_cache)) {
            program.icon_cache.reset();
            program.changes.icon_cache_changed = false;
        }
    }
    return all_saved;
}

}  // namespace qb
