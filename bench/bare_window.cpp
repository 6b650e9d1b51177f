// The floor of a start-up: a bare Win32 program that shows one 400 x 300
// popup window, painted with one fill, and ends when the window is
// closed. The start-up benchmark launches it beside Quillobrante.exe.
// With --shell-icon it first asks the shell for its own icon, once: the
// floor of a program that shows files' icons. The shell's library is
// loaded for that mode only, so that the plain start loads nothing but
// user32 and gdi32 (and what every process has).
#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr const char* kClass = "QbBareWindow";

LRESULT CALLBACK bare_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    if (command_line && std::strstr(command_line, "--shell-icon")) {
        using ShellIconFunction = decltype(&::SHGetFileInfoA);
        const HMODULE shell = LoadLibraryA("shell32.dll");
        const auto shell_icon = shell ? reinterpret_cast<ShellIconFunction>(
                                            reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFileInfoA")))
                                      : nullptr;
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        SHFILEINFOA info{};
        if (shell_icon && shell_icon(path, 0, &info, sizeof info, SHGFI_ICON) && info.hIcon) DestroyIcon(info.hIcon);
    }
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = bare_window_proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    if (!RegisterClassExA(&wc)) return 1;
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - 200;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - 150;
    HWND window = CreateWindowExA(0, kClass, "", WS_POPUP, x, y, 400, 300, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 2;
    ShowWindow(window, SW_SHOW);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
