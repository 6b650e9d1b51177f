#include "render/status_geometry.h"

#include <algorithm>
#include <cmath>

namespace qb {

// Three tenths of the width, truncated; in integers, so that no build
// rounds 0.3 x 400 down to 119.
int panel_left(int width) { return std::max(40, 3 * width / 10); }

int panel_right(int width) { return width - 110; }

int shown_panel_rows(int count_new) { return std::clamp(count_new, 0, kPanelMaxRows); }

Rect new_programs_panel_rect(int width, int height, int header, int top_row_offset) {
    const int strip_top = height - header;
    return {panel_left(width), strip_top + top_row_offset, panel_right(width), strip_top};
}

Rect new_programs_panel_rect(const FoundFileList& found_files, int width, int height, int header_height) {
    auto guard = found_files.guard();
    const int shown = shown_panel_rows(found_files.count_new());
    if (shown == 0) return {};
    const FoundFile* top_record = found_files.new_at(shown - 1);
    return new_programs_panel_rect(width, height, header_height, top_record ? top_record->slide_offset : 0);
}

Rect new_programs_panel_extent(const FoundFileList& found_files, int width, int height, int header_height) {
    auto guard = found_files.guard();
    const int shown = shown_panel_rows(found_files.count_new());
    if (shown == 0) return {};
    const Rect panel = new_programs_panel_rect(found_files, width, height, header_height);
    // The outline lies two pixels outside the panel, also while the rows
    // still slide up from below; the column line reaches three pixels
    // into the status strip.
    Rect extent{panel.left - 2, std::min(panel.top, panel.bottom) - 2, panel.right + 3,
                std::max(panel.top, panel.bottom) + 4};
    for (int i = 0; i < shown; ++i) {
        const FoundFile* record = found_files.new_at(i);
        if (record == nullptr) continue;
        const int y = panel.bottom + record->slide_offset;
        // A row's texts have their shadow one pixel below it.
        extent = bounding_union(extent, {panel.left - 2, y, panel.right + 3, y + kPanelRowHeight + 1});
    }
    return extent;
}

Gauge gauge_geometry(int width, int top, int bottom, double total_mb, double free_mb) {
    Gauge gauge;
    gauge.g = panel_left(width) - 8;
    int free = gauge.g;
    const bool known = total_mb > 0 && std::isfinite(total_mb) && std::isfinite(free_mb);
    if (known) {
        // Free space above the size (a drive that changed under us) or
        // below zero cannot be drawn outside the gauge.
        const double free_width = std::clamp(gauge.g * free_mb / total_mb, 0.0, double(gauge.g));
        free = static_cast<int>(free_width);
        gauge.used_percent = static_cast<int>(std::clamp(100.0 - 100.0 * free_mb / total_mb, 0.0, 100.0));
    }
    gauge.used = {4, top + 3, gauge.g - 4 - free, bottom - 3};
    gauge.free = {gauge.g - 5 - free, top + 3, gauge.g + 4, bottom - 3};
    return gauge;
}

namespace {

std::size_t shown_bytes(std::string_view text, std::size_t first, int limit, const MeasureText& measure) {
    std::size_t k = first;
    int width = 0;
    do {
        width = measure(text.substr(0, std::min(k, text.size()))).cx;
        ++k;
    } while (k < text.size() && width < limit);
    return std::min(k, text.size());
}

}  // namespace

std::size_t shown_name_bytes(std::string_view name, int limit, const MeasureText& measure) {
    return shown_bytes(name, 3, limit, measure);
}

std::size_t shown_folder_bytes(std::string_view folder, int limit, const MeasureText& measure) {
    return shown_bytes(folder, 1, limit, measure);
}

}  // namespace qb
