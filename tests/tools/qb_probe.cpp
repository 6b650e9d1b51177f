// Reaches a running program's windows for the end-to-end tests: there is
// no window manager under Xvfb, so keys are posted to a window rather
// than typed, and window places are read here for the mouse to aim at.
//
//   qb_probe wait-window CLASS TIMEOUT_MS   prints "left top right bottom" once visible
//   qb_probe wait-gone CLASS TIMEOUT_MS     waits until no visible window of CLASS is left
//   qb_probe post-key CLASS VK [extended]   posts WM_KEYDOWN/WM_KEYUP of VK
//   qb_probe post-chars CLASS TEXT          posts WM_CHAR for each character of TEXT (ASCII), as typed
//   qb_probe accessible-selection CLASS     the name of the selected child of the window's accessible
//                                           object, as a screen reader reads it (CP1251)
//   qb_probe dialog-text TIMEOUT_MS         the text of the message box shown (CP1251)
//   qb_probe dialog-button ID               prints the screen rectangle of its button ID
//   qb_probe menu-item INDEX TIMEOUT_MS     prints the screen rectangle of item INDEX of the popup menu shown
//   qb_probe window-text CLASS              the title of the visible window of CLASS (CP1251)
//   qb_probe child-rect CLASS ID            prints the screen rectangle of control ID of the visible window of CLASS
//   qb_probe list-item CLASS ID INDEX       prints the screen rectangle of item INDEX of list box ID in it
//   qb_probe command-line                   prints the probe's own command line
//   qb_probe end-session CLASS              the session ends: WM_QUERYENDSESSION, then WM_ENDSESSION (TRUE)
//   qb_probe foreground                     prints the class of the window in front
//   qb_probe count-windows CLASS            prints how many visible windows of CLASS there are
//   qb_probe hold-file PATH MS              keeps PATH open, sharing nothing, for MS (prints "held" once open)
#include <windows.h>
#include <objbase.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/code_page_1251.h"

namespace {

// Texts are read as the system holds them (UTF-16), whatever its
// language, and printed in code page 1251 for the tests.
void print_text(const wchar_t* text) {
    const std::u16string wide(text, text + std::wcslen(text));
    std::printf("%s\n", qb::cp1251_from_utf16(wide).value_or("<not in code page 1251>").c_str());
}

constexpr const char* kDialogClass = "#32770";
constexpr const char* kMenuClass = "#32768";

HWND find_visible(const char* window_class) {
    HWND window = FindWindowA(window_class, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND wait_for(const char* window_class, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = find_visible(window_class)) return window;
        if (GetTickCount() - start > timeout) return nullptr;
        Sleep(50);
    }
}

void print_rect(const RECT& r) { std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom); }

int wait_window(const char* window_class, DWORD timeout) {
    HWND window = wait_for(window_class, timeout);
    if (!window) return 3;
    RECT r{};
    GetWindowRect(window, &r);
    print_rect(r);
    return 0;
}

int wait_gone(const char* window_class, DWORD timeout) {
    const DWORD start = GetTickCount();
    while (find_visible(window_class)) {
        if (GetTickCount() - start > timeout) return 3;
        Sleep(50);
    }
    return 0;
}

int post_key(const char* window_class, UINT key, bool extended) {
    HWND window = FindWindowA(window_class, nullptr);
    if (!window) return 3;
    const LPARAM flags = (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16) | 1 | (extended ? (1 << 24) : 0);
    PostMessageA(window, WM_KEYDOWN, key, flags);
    PostMessageA(window, WM_KEYUP, key, flags | (1u << 30) | (1u << 31));
    return 0;
}

int post_chars(const char* window_class, const char* text) {
    HWND window = FindWindowA(window_class, nullptr);
    if (!window) return 3;
    for (const char* c = text; *c != '\0'; ++c) PostMessageW(window, WM_CHAR, static_cast<unsigned char>(*c), 1);
    return 0;
}

// From another process, as a screen reader does: the client object of the
// window, its selection, and that child's name.
int accessible_selection(const char* window_class) {
    HWND window = FindWindowA(window_class, nullptr);
    if (!window) return 3;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 4;
    int result = 5;
    IAccessible* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object))) &&
        object) {
        VARIANT selected{};
        BSTR name = nullptr;
        if (object->get_accSelection(&selected) == S_OK && selected.vt == VT_I4 &&
            object->get_accName(selected, &name) == S_OK && name) {
            print_text(name);
            SysFreeString(name);
            result = 0;
        }
        object->Release();
    }
    CoUninitialize();
    return result;
}

// The message box's text is its static control.
BOOL CALLBACK print_static(HWND child, LPARAM) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") != 0) return TRUE;
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    if (text[0] == L'\0') return TRUE;
    print_text(text);
    return FALSE;
}

int dialog_text(DWORD timeout) {
    HWND dialog = wait_for(kDialogClass, timeout);
    if (!dialog) return 3;
    EnumChildWindows(dialog, print_static, 0);
    return 0;
}

int dialog_button(int id) {
    HWND dialog = find_visible(kDialogClass);
    HWND button = dialog ? GetDlgItem(dialog, id) : nullptr;
    if (!button) return 3;
    RECT r{};
    GetWindowRect(button, &r);
    print_rect(r);
    return 0;
}

int menu_item(int index, DWORD timeout) {
    HWND menu_window = wait_for(kMenuClass, timeout);
    if (!menu_window) return 3;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menu_window, 0x01E1 /* MN_GETHMENU */, 0, 0));
    RECT r{};
    if (!menu || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r)) return 4;
    print_rect(r);
    return 0;
}

// As Windows ends a session: asks, then tells, and waits for each answer.
int end_session(const char* window_class) {
    HWND window = FindWindowA(window_class, nullptr);
    if (!window) return 3;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer);
    if (!SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer)) return 4;
    return 0;
}

int foreground() {
    HWND window = GetForegroundWindow();
    if (!window) return 3;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    std::printf("%s\n", name);
    return 0;
}

struct Count {
    const char* window_class;
    int found;
};

BOOL CALLBACK count_visible(HWND window, LPARAM lparam) {
    auto* count = reinterpret_cast<Count*>(lparam);
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, count->window_class) == 0 && IsWindowVisible(window)) ++count->found;
    return TRUE;
}

int count_windows(const char* window_class) {
    Count count{window_class, 0};
    EnumWindows(count_visible, reinterpret_cast<LPARAM>(&count));
    std::printf("%d\n", count.found);
    return 0;
}

// Another program that holds a file: open for reading, shared with nobody.
int hold_file(const char* path, DWORD ms) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(ms);
    CloseHandle(file);
    return 0;
}

int window_text(const char* window_class) {
    HWND window = find_visible(window_class);
    if (!window) return 3;
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    print_text(text);
    return 0;
}

HWND visible_child(const char* window_class, int id) {
    HWND window = find_visible(window_class);
    HWND child = window ? GetDlgItem(window, id) : nullptr;
    return child && IsWindowVisible(child) ? child : nullptr;
}

int child_rect(const char* window_class, int id) {
    HWND child = visible_child(window_class, id);
    if (!child) return 3;
    RECT r{};
    GetWindowRect(child, &r);
    print_rect(r);
    return 0;
}

// Worked out from messages that carry no pointers, which is all that a
// message to another process can carry here.
int list_item(const char* window_class, int id, int index) {
    HWND list = visible_child(window_class, id);
    if (!list) return 3;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (index < 0 || index >= count) return 4;
    const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    RECT client{};
    GetClientRect(list, &client);
    POINT origin{0, static_cast<LONG>((index - top) * height)};
    ClientToScreen(list, &origin);
    print_rect({origin.x, origin.y, origin.x + client.right, origin.y + static_cast<LONG>(height)});
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    auto number = [&](int i) { return std::strtoul(argv[i], nullptr, 0); };
    const char* verb = argc >= 2 ? argv[1] : "";
    if (argc >= 4 && std::strcmp(verb, "wait-window") == 0) return wait_window(argv[2], number(3));
    if (argc >= 4 && std::strcmp(verb, "wait-gone") == 0) return wait_gone(argv[2], number(3));
    if (argc >= 4 && std::strcmp(verb, "post-key") == 0)
        return post_key(argv[2], static_cast<UINT>(number(3)), argc >= 5 && std::strcmp(argv[4], "extended") == 0);
    if (argc >= 4 && std::strcmp(verb, "post-chars") == 0) return post_chars(argv[2], argv[3]);
    if (argc >= 3 && std::strcmp(verb, "accessible-selection") == 0) return accessible_selection(argv[2]);
    if (argc >= 3 && std::strcmp(verb, "dialog-text") == 0) return dialog_text(number(2));
    if (argc >= 3 && std::strcmp(verb, "dialog-button") == 0) return dialog_button(static_cast<int>(number(2)));
    if (argc >= 4 && std::strcmp(verb, "menu-item") == 0) return menu_item(static_cast<int>(number(2)), number(3));
    if (argc >= 3 && std::strcmp(verb, "window-text") == 0) return window_text(argv[2]);
    if (argc >= 4 && std::strcmp(verb, "child-rect") == 0) return child_rect(argv[2], static_cast<int>(number(3)));
    if (argc >= 5 && std::strcmp(verb, "list-item") == 0)
        return list_item(argv[2], static_cast<int>(number(3)), static_cast<int>(number(4)));
    if (argc >= 3 && std::strcmp(verb, "end-session") == 0) return end_session(argv[2]);
    if (std::strcmp(verb, "foreground") == 0) return foreground();
    if (argc >= 3 && std::strcmp(verb, "count-windows") == 0) return count_windows(argv[2]);
    if (argc >= 4 && std::strcmp(verb, "hold-file") == 0) return hold_file(argv[2], number(3));
    // As a careless program would: by name, the program's folder searched first.
    if (argc >= 3 && std::strcmp(verb, "load-library") == 0) return LoadLibraryA(argv[2]) ? 0 : 1;
    if (std::strcmp(verb, "code-page") == 0) {
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (std::strcmp(verb, "command-line") == 0) {
        print_text(GetCommandLineW());
        return 0;
    }
    std::fprintf(stderr,
                 "usage: qb_probe wait-window CLASS MS | wait-gone CLASS MS | post-key CLASS VK [extended] |\n"
                 "       dialog-text MS | dialog-button ID | menu-item INDEX MS | window-text CLASS |\n"
                 "       child-rect CLASS ID | list-item CLASS ID INDEX | command-line |\n"
                 "       end-session CLASS | foreground | count-windows CLASS | hold-file PATH MS |\n"
                 "       post-chars CLASS TEXT | accessible-selection CLASS | load-library NAME | code-page\n");
    return 2;
}
