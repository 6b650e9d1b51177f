#include "mainwindow/accessible_events_win.h"

#include "mainwindow/panel_rows.h"
#include "render/status_geometry.h"

namespace qb {

namespace {
void raise(ProgramState& program, DWORD event, long id) {
    if (program.main_window) NotifyWinEvent(event, program.main_window, OBJID_CLIENT, id);
}
}  // namespace

AccessibleCounts accessible_counts(ProgramState& program) {
    return {program.links.count(), shown_panel_rows(program.found_files.count_new())};
}

long accessible_link_id(const LinkList& links, const Link* link) {
    long id = 1;
    for (const Link& each : links) {
        if (&each == link) return id;
        ++id;
    }
    return kAccessibleSelf;
}

void announce_selection(ProgramState& program, const Link* link) {
    const long id = accessible_link_id(program.links, link);
    if (id == kAccessibleSelf) return;
    // A reader follows the focus: only while the keyboard's is ours.
    if (program.main_window && GetFocus() == program.main_window) raise(program, EVENT_OBJECT_FOCUS, id);
    raise(program, EVENT_OBJECT_SELECTION, id);
}

void announce_focus(ProgramState& program) {
    // The system itself says that the window got it.
    const long id = accessible_link_id(program.links, program.links.selected_link());
    if (id != kAccessibleSelf) raise(program, EVENT_OBJECT_FOCUS, id);
}

void announce_link_added(ProgramState& program, const Link& link) {
    raise(program, EVENT_OBJECT_CREATE, accessible_link_id(program.links, &link));
    announce_children_changed(program);
}

void announce_link_renamed(ProgramState& program, const Link& link) {
    raise(program, EVENT_OBJECT_NAMECHANGE, accessible_link_id(program.links, &link));
}

void announce_link_removed(ProgramState& program, long id) {
    raise(program, EVENT_OBJECT_DESTROY, id);
    announce_children_changed(program);
}

void announce_children_changed(ProgramState& program) {
    raise(program, EVENT_OBJECT_REORDER, kAccessibleSelf);
    const AccessibleCounts counts = accessible_counts(program);
    raise(program, EVENT_OBJECT_NAMECHANGE, accessible_child_id({AccessiblePart::StatusStrip, 0}, counts));
}

void announce_language_changed(ProgramState& program) {
    const AccessibleCounts counts = accessible_counts(program);
    for (AccessiblePart part : {AccessiblePart::CloseButton, AccessiblePart::OptionsButton, AccessiblePart::StatusStrip}) {
        raise(program, EVENT_OBJECT_NAMECHANGE, accessible_child_id({part, 0}, counts));
    }
}

}  // namespace qb
