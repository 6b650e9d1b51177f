// The floor of a start-up: a bare Win32 program that shows one 400 x 300
// popup window, painted with one fill, and ends when the window is
// closed. The start-up benchmark launches it beside Quillobrante.exe.
// With --shell-icon it first asks the shell for its own icon, once: the
// floor of a program that shows files' icons. The shell's library is
// loaded for that mode only, so that the plain start loads nothing but
// user32 and gdi32 (and what every process has). With --steps FILE it
// writes when each of its steps ended, in ms since the process was
// created ("step<TAB>ms" lines), and closes itself once painted: the
// start-steps benchmark sets the program's steps beside these.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
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

// The steps of this start, timed from the process's creation.
class StepMarks {
public:
    StepMarks() {
        FILETIME unused_exit{}, unused_kernel{}, unused_user{};
        GetProcessTimes(GetCurrentProcess(), &created_, &unused_exit, &unused_kernel, &unused_user);
    }
    void mark(const char* step) {
        FILETIME now{};
        GetSystemTimePreciseAsFileTime(&now);
        const int length = std::snprintf(text_ + used_, sizeof text_ - used_, "%s\t%.3f\n", step,
                                         (ticks(now) - ticks(created_)) / 10000.0);
        if (length > 0 && used_ + length < sizeof text_) used_ += length;
    }
    void write(const char* path) const {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, text_, static_cast<DWORD>(used_), &written, nullptr);
        CloseHandle(file);
    }

private:
    static double ticks(const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    }
    FILETIME created_{};
    char text_[1024] = {};
    std::size_t used_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    StepMarks marks;
    marks.mark("process created to main");
    const char* steps_file = command_line ? std::strstr(command_line, "--steps ") : nullptr;
    if (steps_file) steps_file += std::strlen("--steps ");
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
    marks.mark("window classes");
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - 200;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - 150;
    HWND window = CreateWindowExA(0, kClass, "", WS_POPUP, x, y, 400, 300, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 2;
    marks.mark("window created");
    ShowWindow(window, SW_SHOW);
    if (steps_file) {
        UpdateWindow(window);
        marks.mark("shown and painted");
        marks.write(steps_file);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
