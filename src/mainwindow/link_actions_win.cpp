#include "mainwindow/link_actions_win.h"

#include "common/file_io_win.h"
#include "common/ui_texts.h"
#include "links/link_images_win.h"
#include "mainwindow/accessible_events_win.h"
#include "mainwindow/drag.h"
#include "mainwindow/new_programs_panel.h"
#include "mainwindow/open_target.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"

namespace qb {

bool select_link(MainWindow& window, Link* link) {
    LinkList& links = window.program.links;
    const Link* before = links.selected_link();
    const bool repaint = links.select_only(link);
    if (before != links.selected_link()) announce_selection(window.program, links.selected_link());
    return repaint;
}

void open_link(MainWindow& window, const Link& link, HWND owner, bool keep_running) {
    ProgramState& program = window.program;
    const std::optional<OpenRequest> request = open_request(link, program.location.drive_root, keep_running);
    if (!request) return;  // a link that names nothing opens nothing
    if (!file_exists(request->path)) {
        program.seams.message_box(owner, text::kFileNotFound, text::kErrorCaption, MB_OK, program.language);
        return;
    }
    program.seams.shell_open(owner, request->path.c_str(), request->folder ? request->folder->c_str() : nullptr);
    if (request->quit_after) PostQuitMessage(0);
}

void forget_removed_link(MainWindow& window, const Link* link) {
    forget_link(window.view, link);
    forget_edited_link(window, link);
}

void delete_link_confirmed(MainWindow& window, Link* link, HWND owner) {
    if (link == nullptr) return;
    ProgramState& program = window.program;
    const int answer =
        program.seams.message_box(owner, text::kConfirmDeleteLink, text::kConfirmCaption, MB_YESNO | MB_ICONQUESTION,
                                  program.language);
    if (answer != IDYES) return;
    // Nothing may keep pointing at the link once it is freed: a drag under
    // way or the properties window.
    forget_removed_link(window, link);
    const long id = accessible_link_id(program.links, link);
    if (program.links.remove(link)) {
        announce_link_removed(program, id);
        note_change(program, &ChangeFlags::links_changed);
        repaint_areas(program.main_window, AREA_ALL, program.header_height);
    }
}

Link& add_link_for_path(MainWindow& window, HWND main_window, const std::string& path, Point at) {
    ProgramState& program = window.program;
    note_change(program, &ChangeFlags::links_changed);
    Link& link = program.links.append_from_path(path, program.location.drive_root);
    const bool on_grid = program.settings.auto_arrange;
    LinkList::set_x(link, at.x, on_grid);
    LinkList::set_y(link, at.y, on_grid);
    RECT client{};
    GetClientRect(main_window, &client);
    program.links.resolve_overlaps(client.right, client.bottom, program.link_grid());
    make_icon_image(link, path, main_window, default_picture_path(program.theme_folder()));
    program.links_loaded = true;
    announce_link_added(program, link);
    return link;
}

bool adopt_panel_row(MainWindow& window, HWND main_window, int row) {
    ProgramState& program = window.program;
    const std::optional<Adoption> adoption =
        adopt_row(program.found_files, window.view, row, program.location.drive_root);
    if (!adoption) return false;
    add_link_for_path(window, main_window, adoption->path, adoption->position);
    return true;
}

}  // namespace qb
