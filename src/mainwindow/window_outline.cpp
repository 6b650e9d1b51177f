#include "mainwindow/window_outline.h"

namespace qb {

WindowOutline window_outline(int width, int height) {
    WindowOutline outline;
    outline.body = {{0, 0, width - 49, height + 1}, 10};
    outline.tab = {{width - 60, height / 2 - 60, width + 1, height / 2 + 60}, 5};
    return outline;
}

Point close_button_position(int width, int height) { return {width - 39, height / 2 - 44}; }

Point options_button_position(int width, int height) { return {width - 39, height / 2 + 16}; }

}  // namespace qb
