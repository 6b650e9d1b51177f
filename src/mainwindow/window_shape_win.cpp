#include "mainwindow/window_shape_win.h"

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "common/win_handles_win.h"
#include "links/app_settings.h"
#include "mainwindow/window_areas.h"
#include "render/skin_win.h"

namespace qb {

HRGN window_region = nullptr;

namespace {
UniqueRegion rounded_region(const RoundedPiece& piece) {
    return UniqueRegion(CreateRoundRectRgn(piece.rect.left, piece.rect.top, piece.rect.right, piece.rect.bottom,
                                           piece.corner, piece.corner));
}
}  // namespace

void reshape_window(HWND window) {
    RECT placed{};
    GetWindowRect(window, &placed);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    app_settings.window_width = width;
    app_settings.window_height = height;

    const WindowOutline outline = window_outline(width, height);
    UniqueRegion body = rounded_region(outline.body);
    UniqueRegion tab = rounded_region(outline.tab);
    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(shape.get(), body.get(), tab.get(), RGN_OR);
    // The window system owns the region from here on.
    if (SetWindowRgn(window, shape.get(), TRUE)) window_region = shape.release();

    compose_skin({0, 0, width, height}, window);

    const Point close = close_button_position(width, height);
    const Point options = options_button_position(width, height);
    if (HWND button = GetDlgItem(window, CMD_CLOSE)) {
        SetWindowPos(button, nullptr, close.x, close.y, kSkinButtonSize, kSkinButtonSize,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND button = GetDlgItem(window, CMD_OPTIONS)) {
        SetWindowPos(button, nullptr, options.x, options.y, kSkinButtonSize, kSkinButtonSize,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void repaint_areas(HWND window, std::uint16_t areas) {
    if (areas == 0) return;
    RECT pending{};
    if (!GetUpdateRect(window, &pending, FALSE)) pending = RECT{};
    RECT client{};
    GetClientRect(window, &client);
    const Rect target = repaint_rect({pending.left, pending.top, pending.right, pending.bottom}, areas, client.right,
                                     client.bottom, header_height);
    const RECT invalid{target.left, target.top, target.right, target.bottom};
    InvalidateRect(window, &invalid, FALSE);
    UpdateWindow(window);
}

}  // namespace qb
