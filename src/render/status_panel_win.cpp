#include "render/status_panel_win.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/ui_texts.h"
#include "render/gdi_helpers_win.h"
#include "render/shading.h"
#include "render/status_geometry.h"
#include "render/transparent_win.h"

namespace qb {

void draw_band(HDC dc, int y0, int x1, int x2, int d, Color color, std::initializer_list<int> separators) {
    for (int i = 0; i < d; ++i) draw_hline(dc, y0 + i, shaded(color, shade_percent_int(i, d)), x1, x2);
    if (x1 != 0) return;
    for (int v : separators) {
        draw_vline(dc, v, darken(color, 50), y0 + 1, y0 + d);
        draw_vline(dc, v + 1, color, y0 + 1, y0 + d);
        draw_vline(dc, v + 2, lighten(color, 50), y0 + 1, y0 + d);
    }
}

namespace {

void draw_status_image(HDC dc, const BitmapCache& bitmaps, const char* name, int x, int y,
                       TransparentDrawing* pictures) {
    if (HBITMAP bitmap = bitmaps.bitmap_of(name)) {
        draw_transparent(dc, bitmap, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), kMagenta, pictures);
    }
}

MeasureText measurer(HDC dc) {
    return [dc](std::string_view text) { return measure_text(dc, text); };
}

}  // namespace

void draw_status_bar(HDC dc, const PaintScene& scene, TransparentDrawing* pictures) {
    const int width = scene.width;
    const int height = scene.height;
    const ThemeColors& theme = scene.theme;
    const int hh = scene.header_height;
    const int bottom_top = height - hh;
    const int left = panel_left(width);
    const int right = panel_right(width);
    const bool shadow = theme.double_font;
    draw_band(dc, bottom_top, 0, width, hh, theme.header_color, {left, right, width});

    const Gauge gauge = gauge_geometry(width, bottom_top, height, scene.drive.total_mb, scene.drive.free_mb);
    {
        UniquePen pen = solid_pen(darken(theme.frame_color, 40));
        UniqueBrush used_brush = solid_brush(lighten(theme.header_color, 30));
        SelectGuard select_pen(dc, pen.get());
        {
            SelectGuard select_brush(dc, used_brush.get());
            Rectangle(dc, gauge.used.left, gauge.used.top, gauge.used.right, gauge.used.bottom);
        }
        SelectGuard select_white(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, gauge.free.left, gauge.free.top, gauge.free.right, gauge.free.bottom);
    }
    if (gauge.used_percent) {
        char text[32];
        std::snprintf(text, sizeof text, "%d %%", *gauge.used_percent);
        const Size size = measure_text(dc, text);
        draw_text_shadowed(dc, gauge.g / 2 + 4 - size.cx / 2, height - hh / 2 - size.cy / 2, text,
                           theme.font_color, shadow);
    }

    const int new_count = scene.found_files.count_new();
    if (new_count > 0) {
        char text[64];
        std::snprintf(text, sizeof text, "%s %d", ui_text(text::kNewProgramsCount, scene.language), new_count);
        const Size size = measure_text(dc, text);
        draw_text_shadowed(dc, left + 7, height - hh / 2 - size.cy / 2, text, theme.font_color, shadow);
    }

    const char* state = scene.search_in_progress ? "DT_FIND" : new_count > 0 ? "DT_DEL" : nullptr;
    if (state) draw_status_image(dc, scene.bitmaps, state, right - 22, height - hh / 2 - 8, pictures);
}

void draw_new_programs_panel(HDC dc, const PaintScene& scene, TransparentDrawing* pictures) {
    const FoundFileList& found_files = scene.found_files;
    auto guard = found_files.guard();
    const int shown = std::min(found_files.count_new(), kPanelMaxRows);
    if (shown == 0) return;
    const int width = scene.width;
    const int height = scene.height;
    const ThemeColors& theme = scene.theme;
    const int hh = scene.header_height;
    const Rect panel = new_programs_panel_rect(found_files, width, height, hh);
    const int bottom = panel.bottom;
    const int left = panel.left;
    const int right = panel.right;
    const int top = panel.top;

    {
        MixGuard mix(dc, R2_MASKPEN);
        auto outline = [dc](Color color, std::initializer_list<POINT> points) {
            UniquePen pen = solid_pen(color);
            SelectGuard select(dc, pen.get());
            Polyline(dc, points.begin(), static_cast<int>(points.size()));
        };
        outline(rgb(165, 165, 165), {{left - 1, bottom - 2},
                                     {left - 1, top},
                                     {left, top - 1},
                                     {right, top - 1},
                                     {right + 1, top},
                                     {right + 1, bottom}});
        outline(rgb(225, 225, 225), {{left - 2, bottom - 2},
                                     {left - 2, top},
                                     {left + 1, top - 2},
                                     {right, top - 2},
                                     {right + 2, top},
                                     {right + 2, bottom - 1}});
    }

    const MeasureText measure = measurer(dc);
    int widest = 0;
    for (int i = 0; i < shown; ++i) {
        if (const FoundFile* record = found_files.new_at(i)) widest = std::max(widest, measure(record->name).cx);
    }
    const int name_width = std::min(widest, 6 * (right - left) / 10) + 10;
    const int folder_limit = right - left - name_width - 54;
    const bool shadow = theme.double_font;

    for (int i = shown - 1; i >= 0; --i) {
        const FoundFile* record = found_files.new_at(i);
        if (record == nullptr) continue;
        const int y = bottom + record->slide_offset;
        draw_band(dc, y, left, right + 1, kPanelRowHeight, lighten(theme.header_color, 10));
        const std::string_view name = record->name;
        const std::string_view folder = record->folder;
        draw_text_shadowed(dc, left + 4, y + 5, name.substr(0, shown_name_bytes(name, name_width - 20, measure)),
                           theme.font_color, shadow);
        draw_text_shadowed(dc, left + name_width + 4, y + 5,
                           folder.substr(0, shown_folder_bytes(folder, folder_limit, measure)),
                           darken(theme.font_color, 15), shadow);
        draw_status_image(dc, scene.bitmaps, "DT_ADD", right - 38, y + 6, pictures);
        draw_status_image(dc, scene.bitmaps, "DT_DEL", right - 20, y + 6, pictures);
    }

    const int separator = left + name_width;
    draw_vline(dc, separator, darken(theme.header_color, 50), bottom + 3, top - 1);
    draw_vline(dc, separator + 1, theme.header_color, bottom + 3, top - 1);
    draw_vline(dc, separator + 2, lighten(theme.header_color, 50), bottom + 3, top - 1);
}

Rect drive_type_extent(const PaintScene& scene) {
    const char* name = drive_type_image_name(scene.drive.drive_type);
    const BitmapEntry* entry = name ? scene.bitmaps.find(name) : nullptr;
    if (entry == nullptr || !entry->bitmap) return {};
    const int x = scene.width - 106;
    const int y = scene.height - 56;
    return {x, y, x + entry->width, y + entry->height};
}

void draw_drive_type(HDC dc, const PaintScene& scene, TransparentDrawing* pictures) {
    if (const char* name = drive_type_image_name(scene.drive.drive_type)) {
        draw_status_image(dc, scene.bitmaps, name, scene.width - 106, scene.height - 56, pictures);
    }
}

}  // namespace qb
