#include "mainwindow/language_switch_win.h"

#include "links/language_file_win.h"
#include "mainwindow/accessible_events_win.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"

namespace qb {

void switch_language(MainWindow& data, HWND window, Language language) {
    ProgramState& program = data.program;
    program.language = language;
    // Kept even when it is the language spoken already: from now on the
    // choice holds on every PC, whatever that PC's own language.
    if (!save_language_choice(program.location, language)) {
        program.seams.message_box(window, text::kCannotSaveLanguage, text::kErrorCaption, MB_OK, language);
    }
    retext_properties_window(data);
    if (data.hooks.language_changed) data.hooks.language_changed(program);
    repaint_areas(window, AREA_ALL, program.header_height);
    announce_language_changed(program);
}

}  // namespace qb
