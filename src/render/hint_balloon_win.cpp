#include "render/hint_balloon_win.h"

#include "render/gdi_helpers_win.h"
#include "render/hint_text.h"
#include "render/shading.h"

namespace qb {

namespace {
constexpr Color kBalloonFill = rgb(241, 255, 162);
}

void draw_hint(HDC dc, HintKind hint, int header_height, Color frame_color, Language language) {
    if (hint == HintKind::None) return;
    const int hh = header_height;
    {
        UniqueBrush fill = solid_brush(kBalloonFill);
        UniquePen shadow_pen = solid_pen(rgb(30, 30, 30), 2);
        UniquePen outline_pen = solid_pen(darken(frame_color, 15));
        UniquePen join_pen = solid_pen(kBalloonFill);
        SelectGuard select_brush(dc, fill.get());
        {
            SelectGuard select_pen(dc, shadow_pen.get());
            RoundRect(dc, 6, hh + 21, 201, hh + 111, 10, 10);
        }
        {
            SelectGuard select_pen(dc, outline_pen.get());
            RoundRect(dc, 5, hh + 20, 200, hh + 110, 10, 10);
            const POINT pointer[] = {{10, hh + 20}, {40, hh + 20}, {5, hh + 5}};
            Polygon(dc, pointer, 3);
            RoundRect(dc, 180, hh + 90, 195, hh + 105, 3, 3);
            MoveToEx(dc, 184, hh + 94, nullptr);
            LineTo(dc, 192, hh + 102);
            MoveToEx(dc, 191, hh + 94, nullptr);
            LineTo(dc, 183, hh + 102);
        }
        {
            // Where the pointer joins the balloon, its top edge is erased.
            SelectGuard select_pen(dc, join_pen.get());
            MoveToEx(dc, 11, hh + 20, nullptr);
            LineTo(dc, 39, hh + 20);
        }
    }

    UniqueFont font = create_caption_font();
    SelectGuard select_font(dc, font.get());
    int top = hh + 25;
    for (const std::string& line : hint_lines(hint_text(hint, language))) {
        draw_text_shadowed(dc, 10, top, line, kBlack, false);
        top += measure_text(dc, line).cy + 2;
    }
}

}  // namespace qb
