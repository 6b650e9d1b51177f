#include "mainwindow/main_window_data_win.h"

#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"

namespace qb {

MainWindow* main_window_data(HWND window) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void note_input(MainWindow& data) {
    if (note_user_input(data.view) && data.program.main_window) {
        repaint_areas(data.program.main_window, AREA_HEADER, data.program.header_height);
    }
}

}  // namespace qb
