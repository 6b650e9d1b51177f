#include "mainwindow/accessible_desktop_win.h"

#include <objbase.h>
#include <oleacc.h>

#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/system_libraries_win.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"
#include "mainwindow/accessible_events_win.h"
#include "mainwindow/accessible_tree.h"
#include "mainwindow/keys.h"
#include "mainwindow/link_actions_win.h"
#include "mainwindow/panel_rows.h"
#include "mainwindow/window_shape_win.h"
#include "render/status_geometry.h"
#include "render/window_areas.h"

namespace qb {

namespace {

BSTR bstr_of(const std::wstring& text) {
    const AutomationFunctions* automation = automation_functions();
    return automation ? automation->SysAllocString(text.c_str()) : nullptr;
}
BSTR bstr_of(std::string_view text_1251) { return bstr_of(to_wide(text_1251)); }

// An empty VARIANT (VT_EMPTY), without oleaut32's VariantInit.
void clear(VARIANT* out) { *out = VARIANT{}; }

void set_i4(VARIANT* out, long value) {
    clear(out);
    out->vt = VT_I4;
    out->lVal = value;
}

// Answers for "no such thing here": an empty out value and S_FALSE.
HRESULT no_text(BSTR* out) {
    *out = nullptr;
    return S_FALSE;
}

HRESULT no_child(VARIANT* out) {
    clear(out);
    return S_FALSE;
}

}  // namespace

class DesktopAccessible final : public IAccessible {
public:
    DesktopAccessible(MainWindow& data, HWND window, bool started_com)
        : data_(&data), window_(window), started_com_(started_com) {}
    DesktopAccessible(const DesktopAccessible&) = delete;
    DesktopAccessible& operator=(const DesktopAccessible&) = delete;

    // Forgets the window; true when COM was started for it on this thread.
    bool disconnect() {
        data_ = nullptr;
        window_ = nullptr;
        return std::exchange(started_com_, false);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: no type information; clients call the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return connected() ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        // The system's object of the whole window.
        const AccessibilityFunctions* accessibility = accessibility_functions();
        if (!accessibility) return E_FAIL;
        return accessibility->CreateStdAccessibleObject(window_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) return E_POINTER;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        *count = accessible_child_count(counts());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
        if (child == nullptr) return E_POINTER;
        *child = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        // Every child is a simple element of this object.
        return child_of(id) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        *name = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        std::optional<std::wstring> text = name_of(*child);
        if (!text) return S_FALSE;
        *name = bstr_of(*text);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
        if (value == nullptr) return E_POINTER;
        *value = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        return child_of(id) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override {
        if (description == nullptr) return E_POINTER;
        *description = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        std::optional<std::string> text;
        if (child->part == AccessiblePart::Link) {
            const Link* link = program().links.at(child->index);
            if (link && link->target) text = full_target(*link, program().location.drive_root);
        } else if (child->part == AccessiblePart::PanelRow) {
            if (const std::optional<FoundFile> record = panel_row(child->index)) text = record->folder;
        }
        if (!text) return no_text(description);
        *description = bstr_of(*text);
        return *description ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        clear(role);
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        set_i4(role, role_of(child->part));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
        if (state == nullptr) return E_POINTER;
        clear(state);
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        set_i4(state, static_cast<long>(state_of(*child)));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override {
        if (help == nullptr) return E_POINTER;
        *help = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        return child_of(id) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = -1;
        return connected() ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
        if (shortcut == nullptr) return E_POINTER;
        *shortcut = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        return child_of(id) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        clear(focus);
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != window_) return S_FALSE;
        const long id = accessible_link_id(program().links, program().links.selected_link());
        set_i4(focus, id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        clear(selection);
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const long id = accessible_link_id(program().links, program().links.selected_link());
        if (id == kAccessibleSelf) return S_FALSE;
        set_i4(selection, id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
        if (action == nullptr) return E_POINTER;
        *action = nullptr;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        const char* text = default_action_of(child->part);
        if (text == nullptr) return S_FALSE;
        *action = bstr_of(text);
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child || child->part != AccessiblePart::Link) return E_INVALIDARG;
        // One link is selected at a time.
        if (flags & (SELFLAG_ADDSELECTION | SELFLAG_EXTENDSELECTION)) return E_INVALIDARG;
        Link* link = program().links.at(child->index);
        if (link == nullptr) return E_INVALIDARG;
        bool repaint = false;
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) {
            repaint = select_link(*data_, link);
        } else if ((flags & SELFLAG_REMOVESELECTION) && link->selected) {
            repaint = select_link(*data_, nullptr);
        }
        if (repaint) repaint_view(window_, AREA_LINKS, program(), data_->paint_cache);
        if ((flags & SELFLAG_TAKEFOCUS) && GetFocus() != window_) {
            // The keyboard's focus itself, with the window brought forward;
            // gaining it announces the link now selected.
            SetForegroundWindow(window_);
            SetFocus(window_);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        const std::optional<RECT> place = screen_rect_of(*child);
        if (!place) return S_FALSE;
        *left = place->left;
        *top = place->top;
        *width = place->right - place->left;
        *height = place->bottom - place->top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        clear(end);
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> from = child_of(start);
        if (!from) return E_INVALIDARG;
        const AccessibleCounts now = counts();
        const long last = accessible_child_count(now);
        if (from->part == AccessiblePart::Window) {
            if (direction == NAVDIR_FIRSTCHILD && last > 0) set_i4(end, 1);
            if (direction == NAVDIR_LASTCHILD && last > 0) set_i4(end, last);
            return end->vt == VT_EMPTY ? S_FALSE : S_OK;
        }
        const long id = accessible_child_id(*from, now);
        if (direction == NAVDIR_NEXT && id < last) set_i4(end, id + 1);
        if (direction == NAVDIR_PREVIOUS && id > 1) set_i4(end, id - 1);
        return end->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) override {
        if (found == nullptr) return E_POINTER;
        clear(found);
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const POINT screen{x, y};
        const AccessibleCounts now = counts();
        // Topmost first: the panel over the links, the buttons over all.
        std::vector<AccessibleChild> order{{AccessiblePart::CloseButton, 0},
                                           {AccessiblePart::OptionsButton, 0},
                                           {AccessiblePart::StatusStrip, 0}};
        for (int row = 0; row < now.panel_rows; ++row) order.push_back({AccessiblePart::PanelRow, row});
        for (const AccessibleChild& child : order) {
            const std::optional<RECT> place = screen_rect_of(child);
            if (place && PtInRect(&*place, screen)) {
                set_i4(found, accessible_child_id(child, now));
                return S_OK;
            }
        }
        POINT client = screen;
        ScreenToClient(window_, &client);
        RECT area{};
        GetClientRect(window_, &area);
        if (!PtInRect(&area, client)) return no_child(found);
        const Link* link = program().links.hit_test(client.x, client.y, program().header_height);
        set_i4(found, accessible_link_id(program().links, link));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        const std::optional<AccessibleChild> child = child_of(id);
        if (!child) return E_INVALIDARG;
        switch (child->part) {
            case AccessiblePart::Link: {
                Link* link = program().links.at(child->index);
                if (link == nullptr) return E_INVALIDARG;
                if (select_link(*data_, link)) repaint_view(window_, AREA_LINKS, program(), data_->paint_cache);
                // As Enter opens it, once this call has returned: a message
                // about a missing target, or the shell's own questions,
                // must not hold the reader inside its call.
                return press(CMD_OPEN);
            }
            case AccessiblePart::CloseButton: return press(CMD_CLOSE);
            case AccessiblePart::OptionsButton: return press(CMD_OPTIONS);
            case AccessiblePart::PanelRow:
                if (!adopt_panel_row(*data_, window_, child->index)) return E_INVALIDARG;
                announce_children_changed(program());
                repaint_areas(window_, AREA_FOOTER | AREA_WORK, program().header_height);
                return S_OK;
            case AccessiblePart::Window:
            case AccessiblePart::StatusStrip: break;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~DesktopAccessible() = default;

    bool connected() const { return data_ != nullptr; }
    ProgramState& program() const { return data_->program; }
    AccessibleCounts counts() const { return accessible_counts(data_->program); }

    std::optional<AccessibleChild> child_of(const VARIANT& id) const {
        if (id.vt != VT_I4) return std::nullopt;
        return accessible_child(id.lVal, counts());
    }

    // A copy of a shown panel row, taken under the list's guard: the watch
    // thread may change the list meanwhile.
    std::optional<FoundFile> panel_row(int row) const {
        FoundFileList& found = program().found_files;
        auto lock = found.guard();
        const std::vector<FoundFile*> rows = new_rows(found);
        if (row < 0 || row >= shown_panel_rows(static_cast<int>(rows.size()))) return std::nullopt;
        return *rows[static_cast<std::size_t>(row)];
    }

    std::optional<std::wstring> name_of(const AccessibleChild& child) const {
        switch (child.part) {
            case AccessiblePart::Window: {
                wchar_t title[64] = {};
                GetWindowTextW(window_, title, 64);
                return std::wstring(title);
            }
            case AccessiblePart::Link: {
                const Link* link = program().links.at(child.index);
                if (link == nullptr) return std::nullopt;
                return to_wide(link->caption.value_or(std::string()));
            }
            case AccessiblePart::CloseButton: return to_wide(ui_text(text::kAccessibleCloseButton, program().language));
            case AccessiblePart::OptionsButton:
                return to_wide(ui_text(text::kAccessibleOptionsButton, program().language));
            case AccessiblePart::StatusStrip: return status_name();
            case AccessiblePart::PanelRow: {
                const std::optional<FoundFile> record = panel_row(child.index);
                if (!record) return std::nullopt;
                return to_wide(record->name);
            }
        }
        return std::nullopt;
    }

    std::wstring status_name() const {
        const ProgramState& state = program();
        const Size client = client_size();
        const Gauge gauge = gauge_geometry(client.cx, client.cy - state.header_height, client.cy,
                                           state.drive.total_mb, state.drive.free_mb);
        const StatusSentence sentence =
            status_sentence(state.drive.drive_type, gauge.used_percent, state.found_files.count_new(), state.language);
        return to_wide(sentence.before_label) + state.drive.volume_label + to_wide(sentence.after_label);
    }

    static long role_of(AccessiblePart part) {
        switch (part) {
            case AccessiblePart::Window: return ROLE_SYSTEM_CLIENT;
            case AccessiblePart::Link:
            case AccessiblePart::PanelRow: return ROLE_SYSTEM_LISTITEM;
            case AccessiblePart::CloseButton:
            case AccessiblePart::OptionsButton: return ROLE_SYSTEM_PUSHBUTTON;
            case AccessiblePart::StatusStrip: return ROLE_SYSTEM_STATICTEXT;
        }
        return ROLE_SYSTEM_CLIENT;
    }

    DWORD state_of(const AccessibleChild& child) const {
        switch (child.part) {
            case AccessiblePart::Window:
                return STATE_SYSTEM_FOCUSABLE | (GetFocus() == window_ ? STATE_SYSTEM_FOCUSED : 0);
            case AccessiblePart::Link: {
                const Link* link = program().links.at(child.index);
                const bool chosen = link && link->selected;
                const bool focused = chosen && GetFocus() == window_;
                return STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | (chosen ? STATE_SYSTEM_SELECTED : 0) |
                       (focused ? STATE_SYSTEM_FOCUSED : 0);
            }
            case AccessiblePart::CloseButton:
            case AccessiblePart::OptionsButton: {
                HWND button = GetDlgItem(window_, child.part == AccessiblePart::CloseButton ? CMD_CLOSE : CMD_OPTIONS);
                return button && IsWindowVisible(button) ? 0 : STATE_SYSTEM_INVISIBLE;
            }
            case AccessiblePart::StatusStrip:
            case AccessiblePart::PanelRow: return STATE_SYSTEM_READONLY;
        }
        return 0;
    }

    const char* default_action_of(AccessiblePart part) const {
        switch (part) {
            case AccessiblePart::Link: return ui_text(text::kAccessibleOpen, program().language);
            case AccessiblePart::CloseButton:
            case AccessiblePart::OptionsButton: return ui_text(text::kAccessiblePress, program().language);
            case AccessiblePart::PanelRow: return ui_text(text::kAccessibleAdopt, program().language);
            case AccessiblePart::Window:
            case AccessiblePart::StatusStrip: break;
        }
        return nullptr;
    }

    Size client_size() const {
        RECT client{};
        GetClientRect(window_, &client);
        return {client.right, client.bottom};
    }

    std::optional<RECT> screen_rect_of(const AccessibleChild& child) const {
        const Size client = client_size();
        const int header = program().header_height;
        RECT place{};
        switch (child.part) {
            case AccessiblePart::Window: place = {0, 0, client.cx, client.cy}; break;
            case AccessiblePart::Link: {
                // The square that takes the link's clicks.
                const Link* link = program().links.at(child.index);
                if (link == nullptr) return std::nullopt;
                const Point at = link_to_client(link->x, link->y, header);
                place = {at.x, at.y, at.x + kHitSize, at.y + kHitSize};
                break;
            }
            case AccessiblePart::CloseButton:
            case AccessiblePart::OptionsButton: {
                HWND button = GetDlgItem(window_, child.part == AccessiblePart::CloseButton ? CMD_CLOSE : CMD_OPTIONS);
                if (button == nullptr || !GetWindowRect(button, &place)) return std::nullopt;
                return place;
            }
            case AccessiblePart::StatusStrip: place = {0, client.cy - header, client.cx, client.cy}; break;
            case AccessiblePart::PanelRow: {
                const std::optional<FoundFile> record = panel_row(child.index);
                if (!record) return std::nullopt;
                const int y = client.cy - header + record->slide_offset;
                place = {panel_left(client.cx), y, panel_right(client.cx) + 1, y + kPanelRowHeight};
                break;
            }
        }
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }

    // A command, after this call returns: what it starts (the options
    // window, the end of the run, a link opened) does not run inside a
    // client's call.
    HRESULT press(int command) const {
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window_, command)));
        return S_OK;
    }

    LONG references_ = 1;
    MainWindow* data_;
    HWND window_;
    bool started_com_;
};

LRESULT on_get_object(MainWindow& data, HWND window, WPARAM wparam, LPARAM lparam) {
    if (static_cast<LONG>(lparam) != OBJID_CLIENT) return DefWindowProcW(window, WM_GETOBJECT, wparam, lparam);
    const ComFunctions* com = com_functions();
    const AccessibilityFunctions* accessibility = accessibility_functions();
    if (!com || !accessibility) return DefWindowProcW(window, WM_GETOBJECT, wparam, lparam);
    if (data.accessible == nullptr) {
        // The object is handed to clients through COM, which this thread
        // starts only now that one asks.
        const HRESULT started = com->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        data.accessible = new (std::nothrow) DesktopAccessible(data, window, SUCCEEDED(started));
        if (data.accessible == nullptr) {
            if (SUCCEEDED(started)) com->CoUninitialize();
            return DefWindowProcW(window, WM_GETOBJECT, wparam, lparam);
        }
    }
    return accessibility->LresultFromObject(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(data.accessible));
}

void disconnect_accessible(MainWindow& data) {
    DesktopAccessible* object = std::exchange(data.accessible, nullptr);
    if (object == nullptr) return;
    const bool started_com = object->disconnect();
    // The object exists only where COM's functions were had (on_get_object).
    const ComFunctions* com = com_functions();
    // Clients in other processes are told at once that it is gone.
    if (com) com->CoDisconnectObject(static_cast<IAccessible*>(object), 0);
    object->Release();
    if (started_com && com) com->CoUninitialize();
}

}  // namespace qb
