#include "app/startup_win.h"

#include <optional>
#include <vector>

#include "app/app_globals_win.h"
#include "app/lifecycle_win.h"
#include "links/app_settings.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "options/options_window_win.h"

namespace qb {

namespace {

constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
constexpr int kWindowExtraBytes = 30;
constexpr COLORREF kDialogFace = RGB(236, 233, 216);

// The four window classes, registered in order and unregistered when the
// run is over (with their brushes).
class WindowClasses {
public:
    explicit WindowClasses(HINSTANCE instance) : instance_(instance) {
        HICON icon = LoadIconA(instance, "MAINICON");
        registered_all_ = add(kMainClass, main_window_proc, icon, std::nullopt) &&
                          add(kPropertiesClass, properties_window_proc, icon, kDialogFace) &&
                          add(kOptionsClass, options_window_proc, icon, kDialogFace) &&
                          add(kSplashClass, splash_window_proc, nullptr, kDialogFace);
    }
    WindowClasses(const WindowClasses&) = delete;
    WindowClasses& operator=(const WindowClasses&) = delete;
    ~WindowClasses() {
        for (auto it = names_.rbegin(); it != names_.rend(); ++it) UnregisterClassA(*it, instance_);
    }
    bool registered_all() const { return registered_all_; }
    void unregister(const char* name) {
        UnregisterClassA(name, instance_);
        std::erase(names_, name);
    }

private:
    bool add(const char* name, WNDPROC procedure, HICON icon, std::optional<COLORREF> background) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = kClassStyle;
        wc.lpfnWndProc = procedure;
        wc.cbWndExtra = kWindowExtraBytes;
        wc.hInstance = instance_;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        if (background) {
            brushes_.emplace_back(CreateSolidBrush(*background));
            wc.hbrBackground = brushes_.back().get();
        }
        wc.lpszClassName = name;
        if (!RegisterClassExA(&wc)) return false;
        names_.push_back(name);
        return true;
    }

    HINSTANCE instance_;
    std::vector<UniqueBrush> brushes_;  // outlive the classes that use them
    std::vector<const char*> names_;
    bool registered_all_ = false;
};

// Windows of the run that are still there when it ends.
struct RunWindows {
    ~RunWindows() {
        if (splash_window) DestroyWindow(splash_window);
        splash_window = nullptr;
        if (HWND window = main_window) {
            main_window = nullptr;  // so its destruction does not post WM_QUIT
            DestroyWindow(window);
        }
    }
};

void create_skin_buttons(HWND window, HINSTANCE instance) {
    CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_BITMAP, 350, 1, 25, 25, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(CMD_CLOSE)), instance, nullptr);
    CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 380, 1, 25, 25, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(CMD_OPTIONS)), instance, nullptr);
}

int run_message_loop() {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 0;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

LRESULT CALLBACK splash_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wparam, lparam);
    PaintDc paint(window);
    bitmap_cache.draw(paint.get(), "LOGO", 0, 0);
    return 0;
}

int run_program(HINSTANCE instance) {
    app_instance = instance;
    reset_run_state();
    WindowClasses classes(instance);
    if (!classes.registered_all()) return 1;
    RunWindows windows;

    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    screen_width = desktop.right;
    screen_height = desktop.bottom;

    splash_window = CreateWindowExA(0, kSplashClass, "", WS_POPUP, screen_width / 2 - 150, screen_height / 2 - 75, 200,
                                    150, nullptr, nullptr, instance, nullptr);
    resource_library.reset(LoadLibraryA("data.dll"));
    if (resource_library) bitmap_cache.add_from_resource(resource_library.get(), "LOGO");
    ShowWindow(splash_window, SW_SHOW);
    UpdateWindow(splash_window);

    main_window = CreateWindowExA(WS_EX_ACCEPTFILES, kMainClass, kMainTitle, WS_POPUP, screen_width / 2 - 200,
                                  screen_height / 2 - 150, 400, 300, nullptr, nullptr, instance, nullptr);
    if (main_window == nullptr) return 2;

    initialise(main_window, instance);
    create_skin_buttons(main_window, instance);
    reshape_window(main_window);
    SetTimer(main_window, kHintTimer, kHintTimerPeriod, nullptr);
    SetTimer(main_window, kIdleTimer, kIdleTimerPeriod, nullptr);
    animation_timer_running = false;

    DestroyWindow(splash_window);
    splash_window = nullptr;
    classes.unregister(kSplashClass);

    ShowWindow(main_window, SW_SHOW);

    const int exit_code = run_message_loop();
    finish_run(main_window, /*session_ending=*/false);
    return exit_code;
}

}  // namespace qb
