#include "render/gdi_helpers_win.h"

#include "common/wide_text_win.h"

namespace qb {

UniquePen solid_pen(Color color, int width) { return UniquePen(CreatePen(PS_SOLID, width, color)); }

UniqueBrush solid_brush(Color color) { return UniqueBrush(CreateSolidBrush(color)); }

void draw_hline(HDC dc, int y, Color color, int x1, int x2) {
    UniquePen pen = solid_pen(color);
    SelectGuard select(dc, pen.get());
    MoveToEx(dc, x1, y, nullptr);
    LineTo(dc, x2, y);
}

void draw_vline(HDC dc, int x, Color color, int y1, int y2) {
    UniquePen pen = solid_pen(color);
    SelectGuard select(dc, pen.get());
    MoveToEx(dc, x, y1, nullptr);
    LineTo(dc, x, y2);
}

Size measure_text(HDC dc, std::string_view text) { return measure_text(dc, std::wstring_view(to_wide(text))); }

Size measure_text(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void draw_text_shadowed(HDC dc, int x, int y, std::string_view text, Color color, bool shadow) {
    draw_text_shadowed(dc, x, y, std::wstring_view(to_wide(text)), color, shadow);
}

void draw_text_shadowed(HDC dc, int x, int y, std::wstring_view text, Color color, bool shadow) {
    const int previous_mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previous_color = GetTextColor(dc);
    const int length = static_cast<int>(text.size());
    if (shadow) {
        SetTextColor(dc, kBlack);
        TextOutW(dc, x + 1, y + 1, text.data(), length);
    }
    SetTextColor(dc, color);
    TextOutW(dc, x, y, text.data(), length);
    SetTextColor(dc, previous_color);
    SetBkMode(dc, previous_mode);
}

namespace {
UniqueFont create_font(int height, int weight) {
    return UniqueFont(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_CHARACTER_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr));
}
}  // namespace

UniqueFont create_caption_font() { return create_font(14, FW_NORMAL); }

UniqueFont create_header_font(int header) { return create_font(header - 3, FW_BOLD); }

}  // namespace qb
