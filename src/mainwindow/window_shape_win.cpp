#include "mainwindow/window_shape_win.h"

#include "common/win_handles_win.h"
#include "mainwindow/keys.h"
#include "mainwindow/window_outline.h"
#include "render/skin_win.h"
#include "render/window_areas.h"

namespace qb {

namespace {
UniqueRegion rounded_region(const RoundedPiece& piece) {
    return UniqueRegion(CreateRoundRectRgn(piece.rect.left, piece.rect.top, piece.rect.right, piece.rect.bottom,
                                           piece.corner, piece.corner));
}

void place_button(HWND window, int id, Point at) {
    if (HWND button = GetDlgItem(window, id)) {
        SetWindowPos(button, nullptr, at.x, at.y, kSkinButtonSize, kSkinButtonSize, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
}  // namespace

void reshape_window(ProgramState& program, HWND window, bool users_size) {
    RECT placed{};
    GetWindowRect(window, &placed);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    if (users_size && program.fitted_size != Size{width, height}) {
        program.fitted_size.reset();
        program.settings.window_width = width;
        program.settings.window_height = height;
    }

    const WindowOutline outline = window_outline(width, height);
    UniqueRegion body = rounded_region(outline.body);
    UniqueRegion tab = rounded_region(outline.tab);
    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(shape.get(), body.get(), tab.get(), RGN_OR);
    // The window system owns the region from here on.
    if (SetWindowRgn(window, shape.get(), TRUE)) shape.release();

    compose_skin(program.bitmaps, {0, 0, width, height}, window, program.theme.fill_type, program.header_height);

    place_button(window, CMD_CLOSE, close_button_position(width, height));
    place_button(window, CMD_OPTIONS, options_button_position(width, height));
}

void repaint_areas(HWND window, std::uint16_t areas, int header_height) {
    repaint_areas_and_rects(window, areas, {}, header_height);
}

void repaint_areas_and_rects(HWND window, std::uint16_t areas, std::span<const Rect> rects, int header_height) {
    if (areas == 0 && rects.empty()) return;
    if (areas != 0) {
        RECT pending{};
        if (!GetUpdateRect(window, &pending, FALSE)) pending = RECT{};
        RECT client{};
        GetClientRect(window, &client);
        const Rect target = repaint_rect({pending.left, pending.top, pending.right, pending.bottom}, areas,
                                         client.right, client.bottom, header_height);
        const RECT invalid{target.left, target.top, target.right, target.bottom};
        InvalidateRect(window, &invalid, FALSE);
    }
    for (const Rect& rect : rects) {
        const RECT invalid{rect.left, rect.top, rect.right, rect.bottom};
        InvalidateRect(window, &invalid, FALSE);
    }
    UpdateWindow(window);
}

void repaint_view(HWND window, std::uint16_t areas, const ProgramState& program, const PaintCache& cache) {
    std::vector<Rect> rects;
    if ((areas & AREA_LINKS) && !(areas & AREA_WORK)) {
        RECT client{};
        GetClientRect(window, &client);
        const LinksLayerInputs inputs{client.right,  client.bottom,  program.header_height,
                                      program.theme, program.bitmaps.generation(), program.links};
        if (std::optional<std::vector<Rect>> changed = cache.changed_links(inputs)) {
            rects = std::move(*changed);
        } else {
            areas |= AREA_WORK;
        }
    }
    repaint_areas_and_rects(window, static_cast<std::uint16_t>(areas & ~AREA_LINKS), rects, program.header_height);
}

}  // namespace qb
