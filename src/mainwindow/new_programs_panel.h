#pragma once
// Presses on the new-programs panel and on the status strip's
// dismiss-all button: adopting a program as a link, dismissing one row or
// every row, and where adopted links go.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/geometry.h"
#include "mainwindow/main_window_state.h"
#include "search/found_file_list.h"

namespace qb {

// The panel where it stands now; none while no new record is shown.
std::optional<Rect> current_panel_rect(FoundFileList& list, Size client, int header);

// The position after `adopt` for the next adopted program: one half cell
// down and right, each coordinate back to 30 once it passes 200.
Point next_adopt_position(Point adopt);

// Takes row `row` (0 at the bottom) out of the panel: its record stays
// known but is no longer new, and the rows above it move down one row at
// once. False when there is no such row.
bool dismiss_row(FoundFileList& list, int row);

// Every new record becomes known; returns the areas to repaint.
std::uint16_t dismiss_all(FoundFileList& list);

// A program to make a link of: the caller appends a link for `path`, sets
// its position (snapped to the grid when arranging), resolves overlaps,
// makes its picture and sets links_changed and links_loaded.
struct Adoption {
    std::string path;  // the drive root and the record's path
    Point position;
};

// What the adopt button of row `row` (0 at the bottom; one of the rows
// shown) does: the row leaves the panel and its program is to become a link
// at the next adopt position. None for a row not shown.
std::optional<Adoption> adopt_row(FoundFileList& list, MainWindowState& state, int row, std::string_view drive_root);

struct PanelPress {
    bool taken = false;  // the press belonged to the panel: nothing below sees it
    std::uint16_t repaint = 0;
    std::optional<Adoption> adopt;
};

// A left-button press that the hint balloon did not take: the adopt and
// dismiss buttons of a row, or the dismiss-all button of the status
// strip. Not taken: the press goes on to the links.
PanelPress panel_left_press(FoundFileList& list, MainWindowState& state, Point point, Size client, int header,
                            std::string_view drive_root);

// A right-button press that the hint balloon did not take: anywhere on a
// row dismisses it. Not taken: the press goes on to the links.
PanelPress panel_right_press(FoundFileList& list, Point point, Size client, int header);

}  // namespace qb
