#pragma once
// One paint of the main window: the strips the update rectangle touches,
// drawn in a fixed layer order into an off-screen bitmap that reaches the
// window in one copy. The painter draws what it is given and changes
// nothing.
#include <windows.h>

#include <optional>

#include "common/drive_facts.h"
#include "common/geometry.h"
#include "links/app_settings.h"
#include "links/link_list.h"
#include "render/bitmap_cache_win.h"
#include "render/hint_text.h"
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
};

// Answers a paint request for `update` (BeginPaint to EndPaint).
void paint_main_window(HWND window, const PaintScene& scene, const Rect& update);

// Draws the layers of `regions` into `dc`; the frame of the work area is
// always drawn.
void draw_main_window(HDC dc, const PaintScene& scene, const PaintRegions& regions);

// The single layers, in their order.
void draw_background(HDC dc, const PaintScene& scene);
void draw_links(HDC dc, const PaintScene& scene, TransparentDrawing* pictures = nullptr);
void draw_drag_feedback(HDC dc, const PaintScene& scene);
void draw_header(HDC dc, const PaintScene& scene);
void draw_shading_lines(HDC dc, const PaintScene& scene);
void draw_work_frame(HDC dc, const PaintScene& scene);

}  // namespace qb
