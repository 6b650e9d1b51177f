#include "app/startup_win.h"

#include <optional>
#include <vector>

#include "app/lifecycle_win.h"
#include "app/single_instance_win.h"
#include "common/file_io_win.h"
#include "common/program_location_win.h"
#include "common/wide_text_win.h"
#include "mainwindow/arriving_pictures_win.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/skin_button_win.h"
#include "mainwindow/window_shape_win.h"
#include "options/options_window_win.h"
#include "search/watch_thread_win.h"

namespace qb {

namespace {

constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
constexpr int kWindowExtraBytes = 30;
constexpr COLORREF kDialogFace = RGB(236, 233, 216);
// How long a second start waits for the running copy's window (which may
// still be starting) before it ends anyway.
constexpr DWORD kFindRunningCopyMs = 5000;

// The five window classes, registered in order and unregistered when the
// run is over (with their brushes). They are Unicode classes: their
// windows take and give texts as UTF-16 whatever the system's language.
class WindowClasses {
public:
    WindowClasses(HINSTANCE instance, WNDPROC splash_procedure) : instance_(instance) {
        HICON icon = LoadIconW(instance, L"MAINICON");
        registered_all_ = add(kMainClass, main_window_proc, icon, std::nullopt) &&
                          add(kPropertiesClass, properties_window_proc, icon, kDialogFace) &&
                          add(kOptionsClass, options_window_proc, icon, kDialogFace) &&
                          add(kSkinButtonClass, skin_button_proc, nullptr, std::nullopt) &&
                          add(kSplashClass, splash_procedure, nullptr, kDialogFace);
    }
    WindowClasses(const WindowClasses&) = delete;
    WindowClasses& operator=(const WindowClasses&) = delete;
    ~WindowClasses() {
        for (auto it = names_.rbegin(); it != names_.rend(); ++it) UnregisterClassW(to_wide(*it).c_str(), instance_);
    }
    bool registered_all() const { return registered_all_; }
    void unregister(const char* name) {
        UnregisterClassW(to_wide(name).c_str(), instance_);
        std::erase(names_, name);
    }

private:
    bool add(const char* name, WNDPROC procedure, HICON icon, std::optional<COLORREF> background) {
        const std::wstring wide_name = to_wide(name);
        WNDCLASSEXW wc{};
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
        wc.lpszClassName = wide_name.c_str();
        if (!RegisterClassExW(&wc)) return false;
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
    explicit RunWindows(ProgramState& run_program) : program(run_program) {}
    RunWindows(const RunWindows&) = delete;
    RunWindows& operator=(const RunWindows&) = delete;
    ~RunWindows() {
        if (splash) DestroyWindow(splash);
        if (HWND window = program.main_window) {
            program.main_window = nullptr;  // so its destruction does not post WM_QUIT
            DestroyWindow(window);
        }
    }
    ProgramState& program;
    HWND splash = nullptr;
};

// The splash shows the picture "LOGO", which lives in the bitmap cache of
// the program given at its creation.
LRESULT CALLBACK splash_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* program = reinterpret_cast<const ProgramState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_PAINT || program == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    PaintDc paint(window);
    program->bitmaps.draw(paint.get(), "LOGO", 0, 0);
    return 0;
}

void end_session(ProgramState& program) { finish_run(program, /*session_ending=*/true); }

// The options skin button: the options window, owned by the main window.
void open_options(ProgramState& program) { open_options_window(program, program.main_window); }

void retext_options(ProgramState& program) { retext_options_window(program); }

// The picture library beside the program, by its full path and as
// resources only: the system's library search would take a data.dll from
// any other folder when ours is missing, and loading it as code would run
// its start-up code inside the program. Only its pictures are used. An
// image's mapping, not a plain data file's: the loader then refuses a
// file cut short, whose pictures would be read past its end.
UniqueLibrary load_picture_library(const ProgramLocation& location) {
    const std::wstring path = system_path(location.beside_program("\\data.dll"));
    constexpr DWORD kResourcesOnly = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    UniqueLibrary library(LoadLibraryExW(path.c_str(), nullptr, kResourcesOnly));
    // Systems before Vista know only the plain data-file flag.
    if (!library && GetLastError() == ERROR_INVALID_PARAMETER) {
        library.reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    }
    return library;
}

void create_skin_buttons(HWND window, HINSTANCE instance) {
    // Placed for the window's size by reshape_window.
    create_skin_button(window, CMD_CLOSE, {350, 1}, instance);
    create_skin_button(window, CMD_OPTIONS, {380, 1}, instance);
}

int run_message_loop() {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 0;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int run_program(ProgramState& program) {
    HINSTANCE instance = program.instance;
    // A second start of the same program file shows the running desktop
    // instead of opening one of its own.
    const std::string instance_name = program_instance_name(module_file_path(instance));
    SingleInstance single(instance_name);
    if (!single.first()) {
        activate_running_copy(instance_name, kFindRunningCopyMs);
        return 0;
    }
    program.start_step_done("single instance");
    WindowClasses classes(instance, splash_window_proc);
    if (!classes.registered_all()) return 1;
    program.start_step_done("window classes");
    // The main window's data outlives the window, which RunWindows destroys.
    MainWindow data(program, MainWindowHooks{.open_options = open_options, .end_session = end_session, .language_changed = retext_options});
    RunWindows windows(program);

    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    program.screen = {desktop.right, desktop.bottom};
    const Size screen = program.screen;

    windows.splash = CreateWindowExW(0, to_wide(kSplashClass).c_str(), L"", WS_POPUP, screen.cx / 2 - 150, screen.cy / 2 - 75, 200,
                                     150, nullptr, nullptr, instance, &program);
    program.start_step_done("splash created");
    program.resource_library = load_picture_library(locate_program(instance));
    if (program.resource_library) program.bitmaps.add_from_resource(program.resource_library.get(), "LOGO");
    program.start_step_done("picture library");
    ShowWindow(windows.splash, SW_SHOW);
    UpdateWindow(windows.splash);
    program.start_step_done("splash shown");

    program.main_window = create_main_window(data);
    if (program.main_window == nullptr) return 2;
    HWND window = program.main_window;
    single.mark_window(window);
    program.start_step_done("main window created");

    initialise(data, window);
    create_skin_buttons(window, instance);
    program.start_step_done("skin buttons");
    reshape_window(program, window);
    program.window_shaped = true;
    // A size the start had to mend (a fresh stick's, one too small) is
    // saved soon, as any size the user gives the window.
    note_window_size(program);
    program.start_step_done("window shaped");
    SetTimer(window, kHintTimer, kHintTimerPeriod, nullptr);
    SetTimer(window, kIdleTimer, kIdleTimerPeriod, nullptr);
    data.view.slide_timer_running = false;

    mark_pictures_to_come(program);
    ShowWindow(window, SW_SHOW);
    // Painted before any picture can arrive to compete with the paint.
    UpdateWindow(window);
    program.start_step_done("shown and painted");
    // The splash goes once the desktop it stood for is there.
    DestroyWindow(windows.splash);
    windows.splash = nullptr;
    classes.unregister(kSplashClass);
    // Nothing can bring the other links into view before this is done.
    take_unseen_pictures(program);
    start_picture_lookups(program);
    if (program.settings.use_search_service) start_search_service(program);

    const int exit_code = run_message_loop();
    finish_run(program, /*session_ending=*/false);
    return exit_code;
}

}  // namespace qb
