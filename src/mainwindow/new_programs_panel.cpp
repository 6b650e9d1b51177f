#include "mainwindow/new_programs_panel.h"

#include <vector>

#include "mainwindow/panel_rows.h"
#include "render/window_areas.h"
#include "render/status_geometry.h"

namespace qb {

namespace {

constexpr std::uint16_t kPanelAreas = AREA_FOOTER | AREA_WORK;
constexpr int kAdoptStep = kCellSize / 2;
constexpr int kAdoptLimit = 200;

// Every bound inclusive, as the panel's presses are tested.
bool contains(const Rect& r, Point p) { return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom; }

Rect panel_rect_of(const std::vector<FoundFile*>& rows, Size client, int header) {
    const int shown = shown_panel_rows(static_cast<int>(rows.size()));
    return new_programs_panel_rect(client.cx, client.cy, header, rows[shown - 1]->slide_offset);
}

// The row under a point of the panel, counted from the top of the status
// strip; none above the rows shown, which the painter did not draw.
std::optional<int> row_at(const std::vector<FoundFile*>& rows, Point p, Size client, int header) {
    const int row = (client.cy - header - p.y) / kPanelRowHeight;
    if (row < 0 || row >= shown_panel_rows(static_cast<int>(rows.size()))) return std::nullopt;
    return row;
}

void dismiss(const std::vector<FoundFile*>& rows, int row) {
    for (std::size_t j = static_cast<std::size_t>(row) + 1; j < rows.size(); ++j) {
        rows[j]->slide_offset += kPanelRowHeight;
    }
    rows[static_cast<std::size_t>(row)]->is_new = false;
}

Adoption adopt(const std::vector<FoundFile*>& rows, int row, MainWindowState& state, std::string_view drive_root) {
    Adoption adoption{std::string(drive_root) + rows[static_cast<std::size_t>(row)]->path, state.adopt};
    state.adopt = next_adopt_position(state.adopt);
    dismiss(rows, row);
    return adoption;
}

bool on_dismiss_all_button(Point p, Size client, int header) {
    const int middle = client.cy - header / 2;
    return client.cx - 132 <= p.x && p.x <= client.cx - 115 && middle - 8 <= p.y && p.y <= middle + 9;
}

}  // namespace

std::optional<Rect> current_panel_rect(FoundFileList& list, Size client, int header) {
    auto lock = list.guard();
    const std::vector<FoundFile*> rows = new_rows(list);
    if (rows.empty()) return std::nullopt;
    return panel_rect_of(rows, client, header);
}

Point next_adopt_position(Point adopt) {
    auto step = [](int value) {
        value += kAdoptStep;
        return value > kAdoptLimit ? kFirstAdoptPosition : value;
    };
    return {step(adopt.x), step(adopt.y)};
}

bool dismiss_row(FoundFileList& list, int row) {
    auto lock = list.guard();
    const std::vector<FoundFile*> rows = new_rows(list);
    if (row < 0 || row >= static_cast<int>(rows.size())) return false;
    dismiss(rows, row);
    return true;
}

std::optional<Adoption> adopt_row(FoundFileList& list, MainWindowState& state, int row, std::string_view drive_root) {
    auto lock = list.guard();
    const std::vector<FoundFile*> rows = new_rows(list);
    if (row < 0 || row >= shown_panel_rows(static_cast<int>(rows.size()))) return std::nullopt;
    return adopt(rows, row, state, drive_root);
}

std::uint16_t dismiss_all(FoundFileList& list) {
    list.for_each([](FoundFile& record) { record.is_new = false; });
    return kPanelAreas;
}

PanelPress panel_left_press(FoundFileList& list, MainWindowState& state, Point p, Size client, int header,
                            std::string_view drive_root) {
    // One guard from the hit test to the change: a scan cannot swap the
    // record under the row that was pressed.
    auto lock = list.guard();
    const std::vector<FoundFile*> rows = new_rows(list);
    if (rows.empty()) return {};
    const Rect panel = panel_rect_of(rows, client, header);
    if (contains(panel, p)) {
        PanelPress press;
        press.taken = true;
        const std::optional<int> row = row_at(rows, p, client, header);
        if (!row) return press;
        FoundFile& record = *rows[static_cast<std::size_t>(*row)];
        // The two buttons answer only within their height on the row.
        const int band_top = client.cy - header + record.slide_offset + 6;
        if (p.y < band_top || p.y > band_top + 16) return press;
        const int right = panel.right;
        if (right - 20 <= p.x && p.x <= right - 3) {
            dismiss(rows, *row);
            press.repaint = kPanelAreas;
        } else if (right - 38 <= p.x && p.x <= right - 21) {
            press.adopt = adopt(rows, *row, state, drive_root);
            press.repaint = kPanelAreas;
        }
        return press;
    }
    if (on_dismiss_all_button(p, client, header)) return {true, dismiss_all(list), std::nullopt};
    return {};
}

PanelPress panel_right_press(FoundFileList& list, Point p, Size client, int header) {
    auto lock = list.guard();
    const std::vector<FoundFile*> rows = new_rows(list);
    if (rows.empty() || !contains(panel_rect_of(rows, client, header), p)) return {};
    if (const std::optional<int> row = row_at(rows, p, client, header)) dismiss(rows, *row);
    return {true, kPanelAreas, std::nullopt};
}

}  // namespace qb
