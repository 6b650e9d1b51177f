#pragma once
// Geometry of the status strip and the new-programs panel: the fill
// gauge, the section edges and how much of a name or folder is shown.
#include <cstddef>
#include <optional>
#include <string_view>

#include "common/geometry.h"
#include "render/caption_layout.h"
#include "search/found_file_list.h"

namespace qb {

inline constexpr int kPanelRowHeight = 28;
inline constexpr int kPanelMaxRows = 8;

// Left edge of the panel and end of the gauge section.
int panel_left(int width);
// Right edge of the panel and end of the new-programs section.
int panel_right(int width);

// Rows the panel shows of count_new new records: the first eight.
int shown_panel_rows(int count_new);

// The new-programs panel in a client area of width x height: from the
// panel's left to its right edge, from the top of its top shown row
// (record shown_panel_rows - 1, whose slide offset is top_row_offset)
// down to the top of the status strip. The painter draws it there and
// the mouse finds its rows there.
Rect new_programs_panel_rect(int width, int height, int header, int top_row_offset);

// The same for the new records of `found_files`: empty without any. The
// painter draws the panel there and the mouse tests its presses there.
Rect new_programs_panel_rect(const FoundFileList& found_files, int width, int height, int header_height);

// Every pixel the panel draws for the new records of `found_files`: its
// outline and column line, and each shown row wherever it slides now.
// Empty without new records.
Rect new_programs_panel_extent(const FoundFileList& found_files, int width, int height, int header_height);

struct Gauge {
    int g = 0;  // width of the gauge section
    Rect used;  // drawn first
    Rect free;  // drawn second, white
    // Whole percentage used; none when the drive's size is unknown.
    std::optional<int> used_percent;
};

// The gauge of a drive of total_mb with free_mb free, in a status strip
// whose top is `top` and bottom `bottom`. A size of 0 (no answer from
// the system) gives an empty (all-free) gauge and no percentage.
Gauge gauge_geometry(int width, int top, int bottom, double total_mb, double free_mb);

// Bytes of a panel name shown: the shortest prefix (at least 3 bytes)
// whose width reaches limit, plus one more byte; never past the name.
std::size_t shown_name_bytes(std::string_view name, int limit, const MeasureText& measure);
// The same for a folder, starting from one byte.
std::size_t shown_folder_bytes(std::string_view folder, int limit, const MeasureText& measure);

}  // namespace qb
