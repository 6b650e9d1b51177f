#include "render/painter_win.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "links/link_images_win.h"
#include "render/caption_layout.h"
#include "render/countdown_display.h"
#include "render/drag_feedback.h"
#include "render/gdi_helpers_win.h"
#include "render/hint_balloon_win.h"
#include "render/shading.h"
#include "render/skin_win.h"
#include "render/status_geometry.h"
#include "render/status_panel_win.h"
#include "render/transparent_win.h"

namespace qb {

namespace {

// Kept layouts of captions no link shows any more are dropped at this size.
constexpr std::size_t kMaxCaptionLayouts = 4096;

bool reaches(const std::optional<Rect>& clip, const Rect& extent) {
    return !clip || !intersect(*clip, extent).empty();
}

}  // namespace

PaintCache::~PaintCache() {
    if (dc_ && original_bitmap_) SelectObject(dc_.get(), original_bitmap_);
}

void PaintCache::copy_links_layer(HDC dc, const PaintScene& scene, const Rect& area) {
    const int width = scene.width;
    const int height = scene.height;
    const LinksLayerInputs inputs{width, height, scene.header_height, scene.theme, scene.bitmaps.generation(),
                                  scene.links};
    if (!dc_ || width != width_ || height != height_) {
        key_.reset();
        if (dc_ && original_bitmap_) SelectObject(dc_.get(), original_bitmap_);
        original_bitmap_ = nullptr;
        bitmap_.reset();
        dc_.reset(CreateCompatibleDC(dc));
        bitmap_.reset(CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1)));
        if (!dc_ || !bitmap_) {
            dc_.reset();
            bitmap_.reset();
            draw_background(dc, scene);
            draw_links(dc, scene, nullptr, &layouts_);
            return;
        }
        original_bitmap_ = SelectObject(dc_.get(), bitmap_.get());
        width_ = width;
        height_ = height;
    }
    if (!key_ || !key_->matches(inputs)) {
        const std::optional<std::vector<Rect>> changed =
            key_ ? key_->changed_areas(inputs) : std::optional<std::vector<Rect>>();
        if (changed) {
            if (!changed->empty()) redraw(scene, *changed);
        } else {
            const Rect whole{0, 0, width, height};
            redraw(scene, std::span(&whole, 1));
        }
        key_.emplace(inputs);
    }
    BitBlt(dc, area.left, area.top, area.width(), area.height(), dc_.get(), area.left, area.top, SRCCOPY);
}

void PaintCache::redraw(const PaintScene& scene, std::span<const Rect> places) {
    HDC layer = dc_.get();
    // As a new buffer: black, and every setting of the DC at its default.
    // Outside `places` the drawing is left as it is.
    const int saved = SaveDC(layer);
    UniqueRegion clip(CreateRectRgn(0, 0, 0, 0));
    for (const Rect& place : places) {
        PatBlt(layer, place.left, place.top, place.width(), place.height(), BLACKNESS);
        UniqueRegion piece(CreateRectRgn(place.left, place.top, place.right, place.bottom));
        CombineRgn(clip.get(), clip.get(), piece.get(), RGN_OR);
    }
    SelectClipRgn(layer, clip.get());
    draw_background(layer, scene);
    {
        TransparentDrawing pictures(layer);
        draw_links(layer, scene, &pictures, &layouts_, places);
    }
    RestoreDC(layer, saved);
}

std::optional<std::vector<Rect>> PaintCache::changed_links(const LinksLayerInputs& inputs) const {
    if (!key_) return std::nullopt;
    return key_->changed_areas(inputs);
}

void paint_main_window(HWND window, const PaintScene& scene, const Rect& update, PaintCache* cache) {
    const int width = scene.width;
    const int height = scene.height;
    PaintDc paint(window);
    {
        // A new bitmap costs nothing until its pixels are touched, and only
        // those of the update rectangle are.
        UniqueBitmap buffer_bits(CreateCompatibleBitmap(paint.get(), width, height));
        BitmapDc buffer(paint.get(), buffer_bits.get());
        IntersectClipRect(buffer.get(), update.left, update.top, update.right, update.bottom);
        draw_main_window(buffer.get(), scene, regions_for_update(update, width, height, scene.header_height), cache,
                         update);
        SetStretchBltMode(paint.get(), COLORONCOLOR);
        // The paint DC clips the copy to the update region.
        BitBlt(paint.get(), update.left, update.top, update.right - update.left, height, buffer.get(), update.left,
               update.top, SRCCOPY);
    }
}

void draw_main_window(HDC dc, const PaintScene& scene, const PaintRegions& regions, PaintCache* cache,
                      const std::optional<Rect>& clip) {
    // Pictures are drawn only in the work area and the status strip.
    std::optional<TransparentDrawing> scratch;
    if (regions.work || regions.status) scratch.emplace(dc);
    TransparentDrawing* pictures = scratch ? &*scratch : nullptr;
    if (regions.work) {
        if (cache) {
            cache->copy_links_layer(dc, scene, clip.value_or(Rect{0, 0, scene.width, scene.height}));
        } else {
            draw_background(dc, scene);
            draw_links(dc, scene, pictures);
        }
        draw_drag_feedback(dc, scene);
        if (reaches(clip, new_programs_panel_extent(scene.found_files, scene.width, scene.height,
                                                      scene.header_height))) {
            draw_new_programs_panel(dc, scene, pictures);
        }
    }
    if (regions.header) draw_header(dc, scene);
    if (regions.work) draw_shading_lines(dc, scene);
    if (regions.right && reaches(clip, right_side_extent(scene.width, scene.height, scene.bitmaps, scene.buttons))) {
        draw_right_side(dc, scene.width, scene.height, scene.bitmaps, scene.buttons);
    }
    if (regions.work) draw_hint(dc, scene.hint, scene.header_height, scene.theme.frame_color, scene.language);
    draw_work_frame(dc, scene);
    if (regions.status) draw_status_bar(dc, scene, pictures);
    if ((regions.status || regions.work) && reaches(clip, drive_type_extent(scene))) {
        draw_drive_type(dc, scene, pictures);
    }
}

void draw_background(HDC dc, const PaintScene& scene) {
    const BitmapEntry* composed = scene.bitmaps.find("BackGroundRESIZED");
    if (scene.theme.fill_type != 0 && composed && composed->bitmap) {
        BitmapDc source(dc, composed->bitmap.get());
        BitBlt(dc, 0, scene.header_height - 1, composed->width, composed->height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    UniqueBrush brush = solid_brush(scene.theme.background_color);
    RECT area{0, scene.header_height, scene.width, scene.height};
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

void draw_caption(HDC dc, const ThemeColors& theme, const std::string& caption, int box_x, int top,
                  CaptionLayouts* layouts) {
    const MeasureText measure = [dc](std::string_view text) { return measure_text(dc, text); };
    std::vector<CaptionLine> own;
    const std::vector<CaptionLine>* lines = &own;
    if (layouts) {
        auto kept = layouts->find(caption);
        if (kept == layouts->end()) {
            if (layouts->size() >= kMaxCaptionLayouts) layouts->clear();
            kept = layouts->emplace(caption, layout_caption(caption, kHitSize, measure)).first;
        }
        lines = &kept->second;
    } else {
        own = layout_caption(caption, kHitSize, measure);
    }
    for (const CaptionLine& line : *lines) {
        draw_text_shadowed(dc, box_x + line.left, top + line.top, line.text, theme.font_color, theme.double_font);
    }
}

// With masks made with the picture when it has them (the same pixels).
void draw_link_picture(HDC dc, const Link& link, std::int16_t x, std::int16_t y, TransparentDrawing* pictures) {
    if (!link.image) return;
    const TransparentMasks* masks = link_picture_masks(link);
    if (masks == nullptr || GetMapMode(dc) != MM_TEXT) {
        draw_transparent(dc, static_cast<HBITMAP>(link.image.get()), x, y, link.transparent_color, pictures);
        return;
    }
    if (pictures) {
        pictures->draw(dc, *masks, x, y);
        return;
    }
    TransparentDrawing own(dc);
    own.draw(dc, *masks, x, y);
}

}  // namespace

void draw_links(HDC dc, const PaintScene& scene, TransparentDrawing* pictures, CaptionLayouts* layouts,
                std::span<const Rect> areas) {
    UniqueFont font = create_caption_font();
    SelectGuard select_font(dc, font.get());
    const Rect shown{0, 0, scene.width, scene.height};
    auto reaches_areas = [areas](const Rect& extent) {
        return areas.empty() || std::any_of(areas.begin(), areas.end(),
                                            [&](const Rect& area) { return !intersect(extent, area).empty(); });
    };
    for (const Link& link : scene.links) {
        // A stick full of tools has links far outside the window.
        const Rect extent = link_paint_extent(link, scene.header_height);
        if (intersect(extent, shown).empty() || !reaches_areas(extent)) continue;
        const Point box = link_to_client(link.x, link.y, scene.header_height);
        const int x = box.x;
        const int y = box.y;
        if (link.selected) draw_selection_mark(dc, x, y);
        draw_link_picture(dc, link, static_cast<std::int16_t>(x + kHitSize / 2 - link.image_width / 2),
                          static_cast<std::int16_t>(y + 5), pictures);
        if (link.caption) draw_caption(dc, scene.theme, *link.caption, x, y + link.image_height + 5, layouts);
    }
}

void draw_drag_feedback(HDC dc, const PaintScene& scene) {
    if (!scene.drag_box) return;
    UniqueBrush brush = solid_brush(rgb(70, 70, 70));
    UniquePen pen = solid_pen(rgb(97, 97, 97));
    MixGuard mix(dc, R2_MERGEPEN);
    SelectGuard select_brush(dc, brush.get());
    SelectGuard select_pen(dc, pen.get());
    const DragFeedback feedback = drag_feedback(*scene.drag_box, scene.settings.auto_arrange, scene.header_height);
    RoundRect(dc, feedback.square.left, feedback.square.top, feedback.square.right, feedback.square.bottom, 5, 5);
    if (const std::optional<Rect>& cell = feedback.cell) {
        RoundRect(dc, cell->left, cell->top, cell->right, cell->bottom, 5, 5);
    }
}

void draw_header(HDC dc, const PaintScene& scene) {
    const int width = scene.width;
    const int header_height = scene.header_height;
    const ThemeColors& theme = scene.theme;
    const std::wstring& volume_label = scene.drive.volume_label;
    const double d = header_height;
    const int rows = shaded_rows_float(d);
    for (int i = 0; i < rows; ++i) {
        draw_hline(dc, i, shaded(theme.header_color, shade_percent_float(i, d)), 0, width);
    }

    const bool shown = countdown_shown(scene.settings.auto_close_when_idle, scene.idle_countdown);
    char countdown[32] = {};
    if (shown) std::snprintf(countdown, sizeof countdown, "[ %-2d ]", scene.idle_countdown);

    // The text's place comes from the label's height in the default font.
    const int label_height = measure_text(dc, volume_label).cy;
    const int top = header_height / 2 - label_height / 2 - 3;

    UniqueFont font = create_header_font(header_height);
    SelectGuard select_font(dc, font.get());
    const int previous_mode = SetBkMode(dc, TRANSPARENT);
    // Both shadows go down before both texts: a long label then lies over
    // the countdown's shadow, not under it.
    if (theme.double_font) {
        draw_text_shadowed(dc, 18, top + 1, volume_label, kBlack, false);
        if (shown) draw_text_shadowed(dc, width - 100, top + 1, countdown, kBlack, false);
    }
    draw_text_shadowed(dc, 17, top, volume_label, theme.font_color, false);
    if (shown) draw_text_shadowed(dc, width - 101, top, countdown, theme.font_color, false);
    SetBkMode(dc, previous_mode);
}

void draw_shading_lines(HDC dc, const PaintScene& scene) {
    const int width = scene.width;
    const int height = scene.height;
    MixGuard mix(dc, R2_MASKPEN);
    const int hh = scene.header_height;
    draw_hline(dc, hh, rgb(55, 55, 55), 0, width);
    draw_hline(dc, hh + 1, rgb(105, 105, 105), 0, width);
    draw_hline(dc, height - hh - 1, rgb(105, 105, 105), 0, width);
    draw_hline(dc, hh + 2, rgb(165, 165, 165), 0, width);
    draw_hline(dc, height - hh - 1, rgb(165, 165, 165), 0, width);
    if (scene.found_files.count_new() > 0) {
        // The line opens where the new-programs panel meets the status strip.
        draw_hline(dc, height - hh - 2, rgb(165, 165, 165), 0, panel_left(width));
        draw_hline(dc, height - hh - 2, rgb(165, 165, 165), panel_right(width) + 1, width);
    }
    draw_hline(dc, hh + 3, rgb(225, 225, 225), 0, width);
}

void draw_work_frame(HDC dc, const PaintScene& scene) {
    const Color frame = scene.theme.frame_color;
    const int hh = scene.header_height;
    const int w = scene.width;
    const int h = scene.height;
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
