#pragma once
// Small drawing routines shared by the painter, the status panel and the
// hint balloon.
#include <windows.h>

#include <string_view>

#include "common/color.h"
#include "common/geometry.h"
#include "common/win_handles_win.h"

namespace qb {

UniquePen solid_pen(Color color, int width = 1);
UniqueBrush solid_brush(Color color);

// A one-pixel line from (x1, y) to (x2, y), the end point excluded.
void draw_hline(HDC dc, int y, Color color, int x1, int x2);
// A one-pixel line from (x, y1) to (x, y2), the end point excluded.
void draw_vline(HDC dc, int x, Color color, int y1, int y2);

// Texts are the program's code page 1251 ones, or wide ones as the
// system gave them (the drive's label).
Size measure_text(HDC dc, std::string_view text);
Size measure_text(HDC dc, std::wstring_view text);

// Text with a transparent background; with `shadow` a black copy one
// pixel right and down is drawn first.
void draw_text_shadowed(HDC dc, int x, int y, std::string_view text, Color color, bool shadow);
void draw_text_shadowed(HDC dc, int x, int y, std::wstring_view text, Color color, bool shadow);

// Fonts name the Cyrillic character set: the font mapper then picks the
// same face on every system, not one of the system's own language.
// Link captions and the hint balloon.
UniqueFont create_caption_font();
// The drive label in the header strip.
UniqueFont create_header_font(int header);

// Sets a raster mix and puts the previous one back.
class MixGuard {
public:
    MixGuard(HDC dc, int mix) : dc_(dc), previous_(SetROP2(dc, mix)) {}
    MixGuard(const MixGuard&) = delete;
    MixGuard& operator=(const MixGuard&) = delete;
    ~MixGuard() { SetROP2(dc_, previous_); }

private:
    HDC dc_;
    int previous_;
};

}  // namespace qb
