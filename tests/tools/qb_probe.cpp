// Reaches a running program's window for the end-to-end tests: there is
// no window manager under Xvfb, so keys are posted to the window rather
// than typed.
//
//   qb_probe wait-window CLASS TIMEOUT_MS   prints "left top right bottom" once visible
//   qb_probe post-key CLASS VK              posts WM_KEYDOWN/WM_KEYUP of VK
//   qb_probe command-line                   prints the probe's own command line
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND find_visible(const char* window_class) {
    HWND window = FindWindowA(window_class, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

int wait_window(const char* window_class, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = find_visible(window_class)) {
            RECT r{};
            GetWindowRect(window, &r);
            std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
            return 0;
        }
        if (GetTickCount() - start > timeout) return 3;
        Sleep(50);
    }
}

int post_key(const char* window_class, UINT key) {
    HWND window = FindWindowA(window_class, nullptr);
    if (!window) return 3;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
    PostMessageA(window, WM_KEYDOWN, key, scan | 1);
    PostMessageA(window, WM_KEYUP, key, scan | 1 | (1u << 30) | (1u << 31));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "wait-window") == 0)
        return wait_window(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    if (argc >= 4 && std::strcmp(argv[1], "post-key") == 0)
        return post_key(argv[2], static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)));
    if (argc >= 2 && std::strcmp(argv[1], "command-line") == 0) {
        std::printf("%s\n", GetCommandLineA());
        return 0;
    }
    std::fprintf(stderr, "usage: qb_probe wait-window CLASS MS | post-key CLASS VK | command-line\n");
    return 2;
}
