#pragma once
// One paint of the main window: the strips the update rectangle touches,
// drawn in a fixed layer order into an off-screen bitmap that reaches the
// window in one copy. The painter draws what it is given and changes
// nothing.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/drive_facts.h"
#include "common/geometry.h"
#include "common/ui_texts.h"
#include "links/app_settings.h"
#include "links/link_list.h"
#include "render/bitmap_cache_win.h"
#include "render/caption_layout.h"
#include "render/hint_text.h"
#include "render/links_layer.h"
#include "render/paint_regions.h"
#include "render/skin_win.h"
#include "render/transparent_win.h"
#include "search/found_file_list.h"
#include "theme/theme_values.h"

namespace qb {

// Everything one paint shows, for a client area of width x height.
struct PaintScene {
    int width = 0;
    int height = 0;
    int header_height = kMinHeaderHeight;
    const AppSettings& settings;
    const LinkList& links;
    const ThemeColors& theme;
    const BitmapCache& bitmaps;
    const FoundFileList& found_files;
    const DriveFacts& drive;
    bool search_in_progress = false;
    int idle_countdown = 60;
    HintKind hint = HintKind::None;
    // The top-left corner of the drag feedback square, during a drag.
    std::optional<Point> drag_box;
    SkinButtonPlaces buttons;
    // The language of the status strip's and the hint's texts.
    Language language = kRussian;
};

// Caption lines by caption text: the layout depends on nothing else.
using CaptionLayouts = std::unordered_map<std::string, std::vector<CaptionLine>>;

// What the main window keeps between its paints: the background and the
// links as last drawn, with what they showed then, and the caption
// layouts. Pixels that no layer draws are black in the kept drawing as in
// a new buffer, so a copy of it gives exactly what drawing the two layers
// would.
class PaintCache {
public:
    PaintCache() = default;
    PaintCache(const PaintCache&) = delete;
    PaintCache& operator=(const PaintCache&) = delete;
    ~PaintCache();

    // Copies `area` of the two layers into `dc` (a buffer of the scene's
    // size), drawing them again first when anything they show changed.
    void copy_links_layer(HDC dc, const PaintScene& scene, const Rect& area);
    CaptionLayouts& caption_layouts() { return layouts_; }
    // Where the window differs from the kept drawing when only links
    // changed since it was made (see LinksLayerKey::changed_areas); none
    // when nothing is kept or more changed.
    std::optional<std::vector<Rect>> changed_links(const LinksLayerInputs& inputs) const;

private:
    // Draws the two layers again within `places` only.
    void redraw(const PaintScene& scene, std::span<const Rect> places);

    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ original_bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::optional<LinksLayerKey> key_;
    CaptionLayouts layouts_;
};

// Answers a paint request for `update` (BeginPaint to EndPaint). Only
// `update` reaches the window, so only it is drawn.
void paint_main_window(HWND window, const PaintScene& scene, const Rect& update, PaintCache* cache = nullptr);

// Draws the layers of `regions` into `dc`; the frame of the work area is
// always drawn. With a cache the background and links come from it. With
// `clip`, the only part of `dc` that will be shown, a layer that lies
// wholly outside it is not drawn.
void draw_main_window(HDC dc, const PaintScene& scene, const PaintRegions& regions, PaintCache* cache = nullptr,
                      const std::optional<Rect>& clip = std::nullopt);

// The single layers, in their order.
void draw_background(HDC dc, const PaintScene& scene);
// With `areas`, only links that reach one of them are drawn.
void draw_links(HDC dc, const PaintScene& scene, TransparentDrawing* pictures = nullptr,
                CaptionLayouts* layouts = nullptr, std::span<const Rect> areas = {});
void draw_drag_feedback(HDC dc, const PaintScene& scene);
void draw_header(HDC dc, const PaintScene& scene);
void draw_shading_lines(HDC dc, const PaintScene& scene);
void draw_work_frame(HDC dc, const PaintScene& scene);

}  // namespace qb
