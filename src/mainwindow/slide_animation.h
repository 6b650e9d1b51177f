#pragma once
// The new-programs panel's rows rising into place: where the rows of a
// finished scan start, and one tick of the slide timer.
#include <cstdint>

#include "mainwindow/main_window_state.h"
#include "search/found_file_list.h"

namespace qb {

inline constexpr int kSlideStep = 14;  // pixels per tick
inline constexpr unsigned kSlideTimerMs = 70;

struct NewProgramsPlacement {
    bool start_timer = false;  // start the slide timer; the state says it runs
    std::uint16_t repaint = 0;
};

// WM_NEW_PROGRAMS: rows that are not placed yet start on top of the rows
// already shown and slide up from there. Rows left above their place by
// records a rescan removed drop to it at once, as rows do when one below
// them is dismissed. The caller also re-reads the drive's space.
NewProgramsPlacement place_new_rows(FoundFileList& list, MainWindowState& state);

struct SlideTick {
    bool stop_timer = false;  // kill the slide timer; the state says it stopped
    std::uint16_t repaint = 0;
};

// One tick of the slide timer: every row below its place rises by 14
// pixels. The timer stops, without a repaint, once the top row rests or
// no new record is left.
SlideTick slide_tick(FoundFileList& list, MainWindowState& state, bool show_hints);

// What WM_SEARCH_STATE repaints: the status strip, and the work area too
// when the panel may just have emptied.
std::uint16_t search_state_areas(FoundFileList& list);

}  // namespace qb
