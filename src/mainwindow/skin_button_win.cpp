#include "mainwindow/skin_button_win.h"

#include "common/wide_text_win.h"
#include "common/win_handles_win.h"
#include "mainwindow/window_outline.h"

namespace qb {

namespace {

// The button's state, kept in its user data.
constexpr LONG_PTR kCaptured = 1;  // the left button went down on it
constexpr LONG_PTR kPressed = 2;   // and the pointer is over it now

LONG_PTR state_of(HWND button) { return GetWindowLongPtrW(button, GWLP_USERDATA); }

// Asks the owner to draw the button as it is now, on the button's own DC
// and without erasing, as the system's owner-drawn button does when its
// state changes.
void draw(HWND button, HDC dc, UINT action) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = action;
    item.itemState = (state_of(button) & kPressed) ? ODS_SELECTED : 0;
    item.hwndItem = button;
    item.hDC = dc;
    GetClientRect(button, &item.rcItem);
    SendMessageW(GetParent(button), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void set_state(HWND button, LONG_PTR state) {
    const bool was_pressed = state_of(button) & kPressed;
    SetWindowLongPtrW(button, GWLP_USERDATA, state);
    if (was_pressed != static_cast<bool>(state & kPressed)) {
        WindowDc dc(button);
        draw(button, dc.get(), ODA_SELECT);
    }
}

void click(HWND button) {
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

}  // namespace

LRESULT CALLBACK skin_button_proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(button);
            set_state(button, kCaptured | kPressed);
            return 0;
        case WM_MOUSEMOVE:
            if (state_of(button) & kCaptured) {
                RECT client{};
                GetClientRect(button, &client);
                const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
                set_state(button, kCaptured | (PtInRect(&client, at) ? kPressed : 0));
            }
            return 0;
        case WM_LBUTTONUP: {
            const bool clicked = (state_of(button) & (kCaptured | kPressed)) == (kCaptured | kPressed);
            set_state(button, 0);
            if (GetCapture() == button) ReleaseCapture();
            if (clicked) click(button);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lparam) != button) set_state(button, 0);
            return 0;
        case BM_CLICK: click(button); return 0;
        case WM_ERASEBKGND: {
            // The owner's button colour, as the system's owner-drawn button
            // erases before the owner draws.
            HWND parent = GetParent(button);
            const auto dc = reinterpret_cast<HDC>(wparam);
            auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORBTN, wparam, reinterpret_cast<LPARAM>(button)));
            if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
            RECT client{};
            GetClientRect(button, &client);
            FillRect(dc, &client, brush);
            return 1;
        }
        case WM_PAINT: {
            PaintDc paint(button);
            draw(button, paint.get(), ODA_DRAWENTIRE);
            return 0;
        }
        default: return DefWindowProcW(button, message, wparam, lparam);
    }
}

HWND create_skin_button(HWND parent, int id, Point at, HINSTANCE instance) {
    return CreateWindowExW(0, to_wide(kSkinButtonClass).c_str(), L"", WS_CHILD | WS_VISIBLE, at.x, at.y,
                           kSkinButtonSize, kSkinButtonSize, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace qb
