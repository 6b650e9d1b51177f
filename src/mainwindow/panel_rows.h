#pragma once
// The rows of the new-programs panel: one per new record, row 0 at the
// bottom, each resting 28 pixels above the one below it.
#include <vector>

#include "render/status_geometry.h"
#include "search/found_file_list.h"

namespace qb {

// Where row `row` rests: its slide offset once it has risen into place.
constexpr int rest_offset(int row) { return -kPanelRowHeight * (row + 1); }

// The new records in list order, in one walk of the list. The caller
// holds the list's guard while it uses them.
std::vector<FoundFile*> new_rows(FoundFileList& list);

}  // namespace qb
