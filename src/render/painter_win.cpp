#include "render/painter_win.h"

#include <cstdio>
#include <optional>

#include "app/app_globals_win.h"
#include "app/drive_info.h"
#include "links/app_settings.h"
#include "mainwindow/main_window_state.h"
#include "render/caption_layout.h"
#include "render/gdi_helpers_win.h"
#include "render/hint_balloon_win.h"
#include "render/shading.h"
#include "render/skin_win.h"
#include "render/status_geometry.h"
#include "render/status_panel_win.h"
#include "render/transparent_win.h"
#include "theme/theme_values.h"

namespace qb {

void paint_main_window(HWND window, Link* dragged, const Rect& update) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    PaintDc paint(window);
    {
        UniqueBitmap buffer_bits(CreateCompatibleBitmap(paint.get(), width, height));
        BitmapDc buffer(paint.get(), buffer_bits.get());
        draw_main_window(buffer.get(), width, height, regions_for_update(update, width, height, header_height),
                         dragged, window);
        SetStretchBltMode(paint.get(), COLORONCOLOR);
        // The paint DC clips the copy to the update region.
        BitBlt(paint.get(), update.left, update.top, update.right - update.left, height, buffer.get(), update.left,
               update.top, SRCCOPY);
    }
}

void draw_main_window(HDC dc, int width, int height, const PaintRegions& regions, Link* dragged, HWND window) {
    // Pictures are drawn only in the work area and the status strip.
    std::optional<TransparentDrawing> pictures;
    if (regions.work || regions.status) pictures.emplace(dc);
    if (regions.work) {
        draw_background(dc, width, height);
        draw_links(dc);
        draw_drag_feedback(dc, dragged);
        draw_new_programs_panel(dc, width, height);
    }
    if (regions.header) draw_header(dc, width);
    if (regions.work) draw_shading_lines(dc, width, height);
    if (regions.right) draw_right_side(dc, width, height, window);
    if (regions.work) draw_hint(dc);
    draw_work_frame(dc, width, height);
    if (regions.status) draw_status_bar(dc, width, height);
    if (regions.status || regions.work) draw_drive_type(dc, width, height);
}

void draw_background(HDC dc, int width, int height) {
    const BitmapEntry* composed = bitmap_cache.find("BackGroundRESIZED");
    if (theme_colors.fill_type != 0 && composed && composed->bitmap) {
        BitmapDc source(dc, composed->bitmap.get());
        BitBlt(dc, 0, header_height - 1, composed->width, composed->height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    UniqueBrush brush = solid_brush(theme_colors.background_color);
    RECT area{0, header_height, width, height};
    FillRect(dc, &area, brush.get());
}

namespace {

void draw_selection_mark(HDC dc, int x, int y) {
    UniqueBrush brush = solid_brush(rgb(200, 200, 200));
    UniquePen pen = solid_pen(rgb(97, 97, 97));
    MixGuard mix(dc, R2_MASKPEN);
    SelectGuard select_brush(dc, brush.get());
    SelectGuard select_pen(dc, pen.get());
    RoundRect(dc, x, y, x + kHitSize, y + kHitSize, 5, 5);
}

void draw_caption(HDC dc, const std::string& caption, int box_x, int top) {
    const auto lines = layout_caption(caption, kHitSize, [dc](std::string_view text) { return measure_text(dc, text); });
    for (const CaptionLine& line : lines) {
        draw_text_shadowed(dc, box_x + line.left, top + line.top, line.text, theme_colors.font_color,
                           theme_colors.double_font);
    }
}

}  // namespace

void draw_links(HDC dc) {
    UniqueFont font = create_caption_font();
    SelectGuard select_font(dc, font.get());
    for (Link& link : link_list) {
        const int x = link.x + 5;
        const int y = header_height + link.y + 5;
        if (link.selected) draw_selection_mark(dc, x, y);
        draw_transparent(dc, static_cast<HBITMAP>(link.image.get()),
                         static_cast<std::int16_t>(x + kHitSize / 2 - link.image_width / 2),
                         static_cast<std::int16_t>(y + 5), link.transparent_color);
        if (link.caption) draw_caption(dc, *link.caption, x, y + link.image_height + 5);
    }
}

void draw_drag_feedback(HDC dc, Link* dragged) {
    if (dragged == nullptr) return;
    UniqueBrush brush = solid_brush(rgb(70, 70, 70));
    UniquePen pen = solid_pen(rgb(97, 97, 97));
    MixGuard mix(dc, R2_MERGEPEN);
    SelectGuard select_brush(dc, brush.get());
    SelectGuard select_pen(dc, pen.get());
    const int bx = drag_point.x - grab_dx;
    const int by = drag_point.y - grab_dy;
    RoundRect(dc, bx, by, bx + kHitSize, by + kHitSize, 5, 5);
    if (app_settings.auto_arrange) {
        // The grid cell that holds the middle of the dragged box.
        const int cx = (bx - 5 + kHitSize / 2) / kCellSize * kCellSize;
        const int cy = (by - header_height - 5 + kHitSize / 2) / kCellSize * kCellSize;
        const int left = cx + 5;
        const int top = cy + header_height + 5;
        RoundRect(dc, left, top, left + kHitSize, top + kHitSize, 5, 5);
    }
}

void draw_header(HDC dc, int width) {
    const double d = header_height;
    const int rows = shaded_rows_float(d);
    for (int i = 0; i < rows; ++i) {
        draw_hline(dc, i, shaded(theme_colors.header_color, shade_percent_float(i, d)), 0, width);
    }

    const bool countdown_shown = app_settings.auto_close_when_idle && idle_countdown < kCountdownShownBelow;
    char countdown[32] = {};
    if (countdown_shown) std::snprintf(countdown, sizeof countdown, "[ %-2d ]", idle_countdown);

    // The text's place comes from the label's height in the default font.
    const int label_height = measure_text(dc, volume_label).cy;
    const int top = header_height / 2 - label_height / 2 - 3;

    UniqueFont font = create_header_font(header_height);
    SelectGuard select_font(dc, font.get());
    const int previous_mode = SetBkMode(dc, TRANSPARENT);
    // Both shadows go down before both texts: a long label then lies over
    // the countdown's shadow, not under it.
    if (theme_colors.double_font) {
        draw_text_shadowed(dc, 18, top + 1, volume_label, kBlack, false);
        if (countdown_shown) draw_text_shadowed(dc, width - 100, top + 1, countdown, kBlack, false);
    }
    draw_text_shadowed(dc, 17, top, volume_label, theme_colors.font_color, false);
    if (countdown_shown) draw_text_shadowed(dc, width - 101, top, countdown, theme_colors.font_color, false);
    SetBkMode(dc, previous_mode);
}

void draw_shading_lines(HDC dc, int width, int height) {
    MixGuard mix(dc, R2_MASKPEN);
    const int hh = header_height;
    draw_hline(dc, hh, rgb(55, 55, 55), 0, width);
    draw_hline(dc, hh + 1, rgb(105, 105, 105), 0, width);
    draw_hline(dc, height - hh - 1, rgb(105, 105, 105), 0, width);
    draw_hline(dc, hh + 2, rgb(165, 165, 165), 0, width);
    draw_hline(dc, height - hh - 1, rgb(165, 165, 165), 0, width);
    if (found_files.count_new() > 0) {
        // The line opens where the new-programs panel meets the status strip.
        draw_hline(dc, height - hh - 2, rgb(165, 165, 165), 0, panel_left(width));
        draw_hline(dc, height - hh - 2, rgb(165, 165, 165), panel_right(width) + 1, width);
    }
    draw_hline(dc, hh + 3, rgb(225, 225, 225), 0, width);
}

void draw_work_frame(HDC dc, int width, int height) {
    const Color frame = theme_colors.frame_color;
    const int hh = header_height;
    const int w = width;
    const int h = height;
    struct Segment {
        int x1, y1, x2, y2;
    };
    auto draw = [dc](Color color, std::initializer_list<Segment> segments) {
        UniquePen pen = solid_pen(color);
        SelectGuard select(dc, pen.get());
        for (const Segment& s : segments) {
            MoveToEx(dc, s.x1, s.y1, nullptr);
            LineTo(dc, s.x2, s.y2);
        }
    };
    MixGuard mix(dc, R2_COPYPEN);
    draw(darken(frame, 20), {{0, hh, 0, h}, {1, h - 2, w - 52, h - 2}, {w - 52, h - 2, w - 52, hh - 1}});
    draw(darken(frame, 40), {{1, h - 1, w - 51, h - 1}, {w - 51, h - 1, w - 51, hh - 1}});
    draw(frame, {{1, hh, 1, h - 3}, {1, h - 3, w - 53, h - 3}, {w - 53, h - 3, w - 53, hh - 1}});
    draw(lighten(frame, 30), {{2, hh, 2, h - 3}});
}

}  // namespace qb
