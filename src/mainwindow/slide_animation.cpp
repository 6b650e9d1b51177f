#include "mainwindow/slide_animation.h"

#include <algorithm>

#include "mainwindow/panel_rows.h"
#include "render/window_areas.h"

namespace qb {

NewProgramsPlacement place_new_rows(FoundFileList& list, MainWindowState& state) {
    {
        auto lock = list.guard();
        const std::vector<FoundFile*> rows = new_rows(list);
        int top = 0;  // the top of the rows already shown
        for (std::size_t i = 0; i < rows.size(); ++i) {
            int& offset = rows[i]->slide_offset;
            if (offset <= 0) offset = std::max(offset, rest_offset(static_cast<int>(i)));
            top = std::min(top, offset);
        }
        for (FoundFile* row : rows) {
            if (row->slide_offset > 0) row->slide_offset = top;
        }
    }
    NewProgramsPlacement placement;
    placement.repaint = AREA_FOOTER | AREA_WORK;
    if (!state.slide_timer_running) {
        state.slide_timer_running = true;
        placement.start_timer = true;
    }
    return placement;
}

SlideTick slide_tick(FoundFileList& list, MainWindowState& state, bool show_hints) {
    if (!show_hints || !state.slide_timer_running) return {};
    auto lock = list.guard();
    const std::vector<FoundFile*> rows = new_rows(list);
    // No record left (a rescan or a dismissal took the last one) stops the
    // timer as surely as rows in place do.
    const int n = static_cast<int>(rows.size());
    if (n == 0 || rows.back()->slide_offset <= rest_offset(n - 1)) {
        state.slide_timer_running = false;
        return {true, 0};
    }
    for (int i = 0; i < n; ++i) {
        if (rows[i]->slide_offset > rest_offset(i)) rows[i]->slide_offset -= kSlideStep;
    }
    return {false, AREA_WORK};
}

std::uint16_t search_state_areas(FoundFileList& list) {
    return list.count_new() > 0 ? AREA_FOOTER : static_cast<std::uint16_t>(AREA_FOOTER | AREA_WORK);
}

}  // namespace qb

