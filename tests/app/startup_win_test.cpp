// The program's spine, run in this process: classes, splash, main window,
// drive figures, the message loop and the exit codes.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <optional>

#include "app/lifecycle_win.h"
#include "app/single_instance_win.h"
#include "app/startup_win.h"
#include "common/drive_facts_win.h"
#include "common/fault_guard_win.h"
#include "common/file_io_win.h"
#include "common/wide_text_win.h"
#include "links/app_settings.h"
#include "links/settings_codec.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/skin_button_win.h"
#include "support/test_support_win.h"
#include "support/window_capture_win.h"
#include "theme/theme_file_win.h"

namespace qb {
namespace {

using namespace qb::test;

using Startup = ::testing::Test;

TEST_F(Startup, DriveFiguresOfALabelledRemovableDrive) {
    const ProgramLocation location = location_in(std::string(kTestDrive) + "\\Apps");
    const DriveFacts facts = read_drive_info(location.drive_root);
    const auto& [total_mb, free_mb, drive_type, volume_label] = facts;
    EXPECT_EQ(drive_type, 2u);
    EXPECT_EQ(volume_label, to_wide(kTestDriveLabel));

    // The same figures worked out here from the bytes, as a cross-check of
    // the megabyte conversion (free space may move a little meanwhile).
    ULARGE_INTEGER available{}, total{}, total_free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\", &available, &total, &total_free));
    EXPECT_GT(total_mb, 1.0);
    EXPECT_LE(free_mb, total_mb);
    EXPECT_NEAR(total_mb, static_cast<double>(total.QuadPart) / 1048576.0, 1e-6);
    EXPECT_NEAR(free_mb, static_cast<double>(available.QuadPart) / 1048576.0, 64.0);
    EXPECT_NE(total_mb, std::floor(total_mb)) << "the figure keeps its fraction";
}

TEST_F(Startup, UnlabelledAndFixedDrives) {
    const ProgramLocation unlabelled = location_in(kUnlabelledDrive);
    EXPECT_EQ(unlabelled.drive_root, "G:\\");
    DriveFacts facts = read_drive_info(unlabelled.drive_root);
    EXPECT_EQ(facts.drive_type, 2u);
    EXPECT_EQ(facts.volume_label, L"Quillobrante");

    facts = read_drive_info(location_in(kFixedDrive).drive_root);
    EXPECT_EQ(facts.drive_type, 3u);
    EXPECT_STREQ(drive_type_image_name(facts.drive_type), "DT_HDD");
}

TEST_F(Startup, DriveWithoutAnswerHasNoSpaceFigures) {
    const ProgramLocation nowhere = location_in("Q:");  // no such drive
    DriveFacts facts;
    facts.total_mb = facts.free_mb = 5.0;
    read_disk_space(nowhere.drive_root, facts);
    EXPECT_EQ(facts.total_mb, 0.0);
    EXPECT_EQ(facts.free_mb, 0.0);
}

TEST_F(Startup, FaultGuardTurnsAFaultIntoAFailure) {
    int unused = 0;
    EXPECT_FALSE(run_guarded<int>(
        [](int&) {
            volatile int* nowhere = nullptr;
            *nowhere = 1;
        },
        unused));
    // The guard is gone afterwards and works again.
    bool ran = false;
    EXPECT_TRUE(run_guarded<bool>([](bool& flag) { flag = true; }, ran));
    EXPECT_TRUE(ran);

    // Guards nest: a fault inside an inner guard comes back to the inner
    // one, and the outer call goes on and completes.
    struct Nested {
        bool inner_faulted;
        bool outer_went_on;
    } nested{false, false};
    EXPECT_TRUE(run_guarded<Nested>(
        [](Nested& n) {
            int none = 0;
            n.inner_faulted = !run_guarded<int>(
                [](int&) {
                    volatile int* nowhere = nullptr;
                    *nowhere = 2;
                },
                none);
            n.outer_went_on = true;
        },
        nested));
    EXPECT_TRUE(nested.inner_faulted);
    EXPECT_TRUE(nested.outer_went_on);
}

TEST_F(Startup, HeaderHeightFollowsTheSystemCaption) {
    EXPECT_EQ(measure_header(), std::max(25, GetSystemMetrics(SM_CYCAPTION)));
}

// Where windows were created, seen by a hook before they exist.
struct CreatedWindow {
    std::string class_name;
    RECT rect;
    DWORD style;
    DWORD ex_style;
};
std::vector<CreatedWindow> created_windows;
bool refuse_main_window = false;

LRESULT CALLBACK watch_creation(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wparam), name, sizeof name);
        created_windows.push_back({name, {cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy}, DWORD(cs->style),
                                   cs->dwExStyle});
        if (refuse_main_window && std::string(name) == "Quillobrante") return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

class CreationHook {
public:
    CreationHook() : hook_(SetWindowsHookExA(WH_CBT, watch_creation, nullptr, GetCurrentThreadId())) {
        created_windows.clear();
    }
    ~CreationHook() {
        UnhookWindowsHookEx(hook_);
        refuse_main_window = false;
    }

private:
    HHOOK hook_;
};

WNDCLASSEXA class_info() {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    return info;
}

std::string program_folder(const std::string& name) {
    std::string folder = fresh_folder(kTestDrive, name);
    install_themes(folder);
    return folder;
}

TEST_F(Startup, WindowsAppearCentredAndEscapeEndsTheRunWithZero) {
    const std::string folder = program_folder("spine");
    // A stored window of 600 x 400.
    StoredSettings stored;
    stored.window_width = 600;
    stored.window_height = 400;
    stored.theme_name.text = "\\MAINTHEME";
    stored.options = {true, false, false, false, false};
    write_bytes(folder + "\\data.qb", encode_settings(stored));

    CreationHook hook;
    RECT main_rect{};
    WNDCLASSEXA main_class = class_info(), properties_class = class_info();
    bool splash_class_gone = false;
    LOGBRUSH properties_brush{};
    TestProgram program(folder);
    HINSTANCE app_instance = program.state.instance;
    const int code = program.run([&](HWND window) {
        GetWindowRect(window, &main_rect);
        GetClassInfoExA(app_instance, "Quillobrante", &main_class);
        GetClassInfoExA(app_instance, "IconWindow", &properties_class);
        GetObjectA(properties_class.hbrBackground, sizeof properties_brush, &properties_brush);
        WNDCLASSEXA splash = class_info();
        splash_class_gone = !GetClassInfoExA(app_instance, "LogoWindow", &splash);
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);

    EXPECT_EQ(program.state.location.program_dir, folder);
    EXPECT_EQ(program.state.screen.cx, 1024);
    EXPECT_EQ(program.state.screen.cy, 768);
    auto created = [](const char* name) -> const CreatedWindow* {
        for (const CreatedWindow& w : created_windows)
            if (w.class_name == name) return &w;
        return nullptr;
    };
    const CreatedWindow* splash = created("LogoWindow");
    const CreatedWindow* main = created("Quillobrante");
    ASSERT_TRUE(splash && main);
    EXPECT_LT(splash - created_windows.data(), main - created_windows.data()) << "the splash comes first";
    EXPECT_EQ(splash->rect.left, 362);
    EXPECT_EQ(splash->rect.top, 309);
    EXPECT_EQ(splash->rect.right - splash->rect.left, 200);
    EXPECT_EQ(splash->rect.bottom - splash->rect.top, 150);
    EXPECT_EQ(main->rect.left, 312);  // created at 400 x 300, centred
    EXPECT_EQ(main->rect.top, 234);
    EXPECT_EQ(main->rect.right - main->rect.left, 400);
    EXPECT_EQ(main->style, DWORD(WS_POPUP));
    EXPECT_TRUE(main->ex_style & WS_EX_ACCEPTFILES);

    // Then sized from the settings file and centred again.
    EXPECT_EQ(main_rect.left, 212);
    EXPECT_EQ(main_rect.top, 184);
    EXPECT_EQ(main_rect.right - main_rect.left, 600);
    EXPECT_EQ(main_rect.bottom - main_rect.top, 400);

    EXPECT_EQ(main_class.style, UINT(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(main_class.cbWndExtra, 30);
    EXPECT_EQ(main_class.hbrBackground, nullptr);
    EXPECT_EQ(properties_brush.lbColor, RGB(236, 233, 216));
    EXPECT_TRUE(splash_class_gone) << "the splash class goes with the splash";

    // The skin buttons were on the window, both 25 x 25, of the program's
    // own class: the system's button would load the visual-style library.
    int buttons = 0;
    for (const CreatedWindow& w : created_windows) {
        if (w.class_name == kSkinButtonClass) {
            ++buttons;
            EXPECT_EQ(w.rect.right - w.rect.left, 25);
        }
        EXPECT_NE(w.class_name, "Button");
    }
    EXPECT_EQ(buttons, 2);

    // After the run the classes are gone again, so a new run can register them.
    WNDCLASSEXA after = class_info();
    EXPECT_FALSE(GetClassInfoExA(app_instance, "Quillobrante", &after));
}

TEST_F(Startup, AStoredSizeLargerThanTheScreenIsShrunkIntoTheWorkAreaButStaysStored) {
    const std::string folder = program_folder("too-large");
    StoredSettings stored;
    stored.window_width = 1600;  // from a larger monitor than the 1024 x 768 here
    stored.window_height = 1200;
    stored.theme_name.text = "\\MAINTHEME";
    stored.options = {true, false, false, false, false};
    const std::string settings_path = folder + "\\data.qb";
    write_bytes(settings_path, encode_settings(stored));
    set_old_modification_time(settings_path);
    const FILETIME written = modification_time(settings_path);

    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT work = monitor.rcWork;

    RECT placed{};
    RECT restored{};
    Size kept;
    Size minimised;
    TestProgram first(folder);
    EXPECT_EQ(first.run([&](HWND window) {
        GetWindowRect(window, &placed);
        // Minimised (the taskbar button, Win+M) and restored: the iconic
        // rectangle and the fitted size are no sizes of the user's.
        ShowWindow(window, SW_MINIMIZE);
        minimised = {first.state.settings.window_width, first.state.settings.window_height};
        ShowWindow(window, SW_RESTORE);
        GetWindowRect(window, &restored);
        kept = {first.state.settings.window_width, first.state.settings.window_height};
        press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_EQ(minimised, (Size{1600, 1200}));
    EXPECT_EQ(restored.right - restored.left, placed.right - placed.left);
    EXPECT_EQ(restored.bottom - restored.top, placed.bottom - placed.top);
    EXPECT_EQ(placed.left, work.left);
    EXPECT_EQ(placed.top, work.top);
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.bottom, work.bottom);
    EXPECT_GE(placed.right - placed.left, kMinWindowWidth);
    EXPECT_GE(placed.bottom - placed.top, kMinWindowHeight);
    EXPECT_EQ(kept, (Size{1600, 1200})) << "the stored size is kept for a larger screen";
    const FILETIME after = modification_time(settings_path);
    EXPECT_EQ(CompareFileTime(&written, &after), 0) << "fitting the window changed nothing to save";

    // The user's own sizing of a fitted window is what is stored then.
    TestProgram second(folder);
    EXPECT_EQ(second.run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        kept = {second.state.settings.window_width, second.state.settings.window_height};
        press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_EQ(kept, (Size{500, 400}));
    const StoredSettings saved = decode_settings(read_bytes(settings_path));
    EXPECT_EQ(saved.window_width, 500);
    EXPECT_EQ(saved.window_height, 400);
}

TEST_F(Startup, ASizeTheStartHadToMendIsSavedSoonAndAStoredOneIsNot) {
    struct Case {
        const char* what;
        std::optional<Size> stored;  // none: a fresh stick
        bool save_pending;
        bool unreadable = false;  // data.qb is there but cannot be read
    };
    const Case cases[] = {
        {"a fresh stick", std::nullopt, true},
        {"a stored size below the smallest", Size{50, 40}, true},
        {"a stored size that fits", Size{600, 400}, false},
        {"a stored size fitted to a smaller screen", Size{1600, 1200}, false},
        {"a data.qb that cannot be read", std::nullopt, false, true},
    };
    for (const Case& c : cases) {
        const std::string folder = program_folder("mended-size");
        if (c.unreadable) {
            ASSERT_TRUE(CreateDirectoryA((folder + "\\data.qb").c_str(), nullptr));
        }
        if (c.stored) {
            StoredSettings stored;
            stored.window_width = c.stored->cx;
            stored.window_height = c.stored->cy;
            stored.theme_name.text = "\\MAINTHEME";
            write_bytes(folder + "\\data.qb", encode_settings(stored));
        }
        bool pending = false;
        TestProgram program(folder);
        EXPECT_EQ(program.run([&](HWND window) {
            // Only a timer that was set can be killed.
            pending = KillTimer(window, kSaveTimer) != FALSE;
            press_key(window, VK_ESCAPE);
        }), 0) << c.what;
        EXPECT_EQ(pending, c.save_pending) << c.what;
    }
}

TEST_F(Startup, CloseButtonEndsTheRunWithZero) {
    TestProgram program(program_folder("close-button"));
    bool still_running_after_sliding_off = false;
    const int code = program.run([&](HWND window) {
        HWND close = GetDlgItem(window, CMD_CLOSE);
        ASSERT_NE(close, nullptr);
        // Pressed, then slid off the button and let go there: no click.
        SendMessageA(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(GetCapture(), close);
        SendMessageA(close, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
        SendMessageA(close, WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
        EXPECT_EQ(GetCapture(), nullptr);
        MSG quit{};
        still_running_after_sliding_off = !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
        // Pressed and let go on it: the click closes.
        SendMessageA(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(close, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    });
    EXPECT_TRUE(still_running_after_sliding_off);
    EXPECT_EQ(code, 0);
}

TEST_F(Startup, ExitCodeOneWhenAClassCannotBeRegistered) {
    const std::string folder = program_folder("class-taken");
    HMODULE instance = LoadLibraryA((folder + "\\data.dll").c_str());
    ASSERT_NE(instance, nullptr);
    WNDCLASSEXA taken = class_info();
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = instance;
    taken.lpszClassName = "OptWindow";
    ASSERT_TRUE(RegisterClassExA(&taken));

    CreationHook hook;
    TestProgram program(folder);
    EXPECT_EQ(program.run([](HWND) { ADD_FAILURE() << "no window may run"; }), 1);
    EXPECT_TRUE(created_windows.empty()) << "no window exists before the classes";
    UnregisterClassA("OptWindow", instance);
    FreeLibrary(instance);
}

TEST_F(Startup, ExitCodeTwoWhenTheMainWindowCannotBeCreated) {
    const std::string folder = program_folder("no-main-window");
    CreationHook hook;
    refuse_main_window = true;
    TestProgram program(folder);
    EXPECT_EQ(program.run([](HWND) { ADD_FAILURE() << "no window may run"; }), 2);
    EXPECT_FALSE(std::ifstream(folder + "\\data.qb").good()) << "nothing is saved";
}

TEST_F(Startup, SessionEndSavesLikeANormalClose) {
    const std::string folder = program_folder("session-end");
    bool saved_before_the_loop_ended = false;
    TestProgram program(folder);
    const int code = program.run([&](HWND window) {
        DeleteFileA((folder + "\\data.qb").c_str());
        // Only the session's end may save here, not the timer the start set.
        KillTimer(window, kSaveTimer);
        // The first start's size differs from the stored 0 x 0: a change to save.
        SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
        SendMessageA(window, WM_ENDSESSION, TRUE, 0);
        saved_before_the_loop_ended = GetFileAttributesA((folder + "\\data.qb").c_str()) != INVALID_FILE_ATTRIBUTES;
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(saved_before_the_loop_ended) << "Windows ends the process right after WM_ENDSESSION";
    const auto bytes = read_bytes(folder + "\\data.qb");
    ASSERT_GE(bytes.size(), 9u);
    EXPECT_EQ(bytes[5], 0x75);  // 373 wide
}

TEST_F(Startup, ThePictureLibraryIsLoadedForItsPicturesOnly) {
    const std::string folder = program_folder("library-trace");
    const std::string own = test_program_folder();
    // data.dll here runs start-up code when loaded as code; the program's
    // own module is another copy of the real library.
    ASSERT_TRUE(CopyFileA((own + "\\trace_library.dll").c_str(), (folder + "\\data.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((own + "\\data.dll").c_str(), (folder + "\\program.dll").c_str(), FALSE));
    bool status_images = false;
    bool logo = false;
    TestProgram program(folder, "program.dll");
    EXPECT_EQ(program.run([&](HWND window) {
        status_images = program.state.bitmaps.bitmap_of("DT_FLASH") != nullptr;
        logo = program.state.bitmaps.bitmap_of("LOGO") != nullptr;
        press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_TRUE(status_images) << "its pictures are used";
    EXPECT_TRUE(logo);
    EXPECT_EQ(GetFileAttributesA((folder + "\\trace.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "its start-up code never ran";

    // Without a data.dll beside the program, one in the current folder is
    // not taken either.
    const std::string elsewhere = fresh_folder(kTestDrive, "library-elsewhere");
    ASSERT_TRUE(CopyFileA((own + "\\trace_library.dll").c_str(), (elsewhere + "\\data.dll").c_str(), FALSE));
    DeleteFileA((folder + "\\data.dll").c_str());
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(elsewhere.c_str());
    TestProgram bare(folder, "program.dll");
    bool no_images = false;
    EXPECT_EQ(bare.run([&](HWND window) {
        no_images = bare.state.bitmaps.bitmap_of("DT_FLASH") == nullptr;
        press_key(window, VK_ESCAPE);
    }), 0);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(no_images) << "no library beside the program: no pictures";
    EXPECT_EQ(GetFileAttributesA((elsewhere + "\\trace.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    // A library cut short (a copy the stick lost half of) is refused whole:
    // the start goes on without its pictures instead of reading past it.
    std::vector<std::uint8_t> library = read_bytes(own + "\\data.dll");
    ASSERT_GT(library.size(), 4096u);
    library.resize(library.size() / 2);
    ASSERT_NO_FATAL_FAILURE(write_bytes(folder + "\\data.dll", library));
    ASSERT_EQ(read_bytes(folder + "\\data.dll").size(), library.size());
    TestProgram cut(folder, "program.dll");
    bool none_from_the_cut = false;
    EXPECT_EQ(cut.run([&](HWND window) {
        none_from_the_cut = cut.state.bitmaps.bitmap_of("LOGO") == nullptr && cut.state.bitmaps.bitmap_of("DT_DEL") == nullptr;
        press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_TRUE(none_from_the_cut);

    // The control: the same library loaded as code does leave its trace.
    const std::string control = fresh_folder(kTestDrive, "library-control");
    ASSERT_TRUE(CopyFileA((own + "\\trace_library.dll").c_str(), (control + "\\data.dll").c_str(), FALSE));
    const HMODULE as_code = LoadLibraryA((control + "\\data.dll").c_str());
    ASSERT_NE(as_code, nullptr);
    FreeLibrary(as_code);
    EXPECT_NE(GetFileAttributesA((control + "\\trace.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the tracing library leaves its trace when its code runs";
}

// Runs `work` on a thread of its own while this one answers messages
// (the other thread's calls into this thread's windows need that).
void on_another_thread(const std::function<void()>& work) {
    struct Job {
        const std::function<void()>* work;
        static DWORD WINAPI run(void* job) {
            (*static_cast<Job*>(job)->work)();
            return 0;
        }
    } job{&work};
    UniqueKernelHandle thread(CreateThread(nullptr, 0, &Job::run, &job, 0, nullptr));
    ASSERT_TRUE(thread);
    pump_messages_until([&] { return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0; }, 30000);
    ASSERT_EQ(WaitForSingleObject(thread.get(), 0), WAIT_OBJECT_0);
}

BOOL CALLBACK count_desktop(HWND window, LPARAM counter) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "Quillobrante" && IsWindowVisible(window)) ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int visible_desktops() {
    int count = 0;
    EnumWindows(count_desktop, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(Startup, ASecondStartShowsTheRunningDesktopAndEndsWithZero) {
    const std::string folder = program_folder("second-start");
    TestProgram first(folder);
    int second_code = -1;
    DWORD second_ms = 0;
    HWND second_window = reinterpret_cast<HWND>(1);
    HWND foreground_before = nullptr;
    HWND foreground_after = nullptr;
    HWND desktop = nullptr;
    int desktops = 0;
    const int code = first.run([&](HWND window) {
        desktop = window;
        // Something else is in front when the program file is started again.
        HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr,
                                     nullptr, nullptr);
        SetForegroundWindow(other);
        foreground_before = GetForegroundWindow();
        on_another_thread([&] {
            // The same program file: the same module, loaded again.
            HMODULE module = LoadLibraryA((folder + "\\data.dll").c_str());
            RecordingSeams seams;
            ProgramState second(module, seams);
            const DWORD start = GetTickCount();
            second_code = run_program(second);
            second_ms = GetTickCount() - start;
            second_window = second.main_window;
            FreeLibrary(module);
        });
        // The activation reaches this thread as messages.
        pump_messages_until([&] { return GetForegroundWindow() == window; }, 5000);
        foreground_after = GetForegroundWindow();
        desktops = visible_desktops();
        DestroyWindow(other);
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(second_code, 0);
    EXPECT_LT(second_ms, 4000u) << "it found the running desktop";
    EXPECT_EQ(second_window, nullptr) << "no window of its own";
    EXPECT_EQ(desktops, 1);
    EXPECT_NE(foreground_before, desktop);
    EXPECT_EQ(foreground_after, desktop) << "the running desktop came to the front";

    // Once the first copy has ended, the next start runs normally.
    TestProgram later(folder);
    bool shown = false;
    EXPECT_EQ(later.run([&](HWND window) {
        shown = IsWindowVisible(window);
        press_key(window, VK_ESCAPE);
    }),
              0);
    EXPECT_TRUE(shown);
}

TEST_F(Startup, OneCopyHoldsTheLockAndOneThatDiedLeavesItFree) {
    const std::string name = program_instance_name("E:\\lock-test\\Quillobrante.exe");
    {
        SingleInstance first(name);
        EXPECT_TRUE(first.first());
        on_another_thread([&] {
            EXPECT_FALSE(SingleInstance(name).first()) << "the same program file";
            EXPECT_TRUE(SingleInstance(program_instance_name("F:\\lock-test\\Quillobrante.exe")).first())
                << "a copy on another stick";
        });
    }
    on_another_thread([&] { EXPECT_TRUE(SingleInstance(name).first()) << "released at the end of the run"; });

    // A copy killed while it ran never released the lock: the next one takes it over.
    HANDLE left_behind = nullptr;
    on_another_thread([&] {
        left_behind = CreateMutexA(nullptr, TRUE, name.c_str());  // owned, and the thread ends
    });
    ASSERT_NE(left_behind, nullptr);
    EXPECT_TRUE(SingleInstance(name).first());
    CloseHandle(left_behind);
}

TEST_F(Startup, AProgramFolderOf300CharactersKeepsItsFilesThere) {
    std::string folder = fresh_folder(kTestDrive, "deep");
    while (folder.size() < 300) {
        folder += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryW(system_path(folder).c_str(), nullptr));
    }
    install_themes(folder);
    write_text(folder + "\\note.txt", "n");
    StoredSettings stored;
    stored.window_width = 450;
    stored.window_height = 320;
    stored.theme_name.text = "\\MAINTHEME";
    write_bytes(folder + "\\data.qb", encode_settings(stored));

    TestProgram program(folder);
    ProgramState& state = program.state;
    RECT placed{};
    const int code = program.run([&](HWND window) {
        GetWindowRect(window, &placed);
        drop_files(window, {folder + "\\note.txt"}, {100, 100});
        EXPECT_TRUE(pump_messages_until(
            [&] { return decode_settings(read_bytes(folder + "\\data.qb")).links.size() == 1; }, 10000))
            << "the soon save reached the deep folder";
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(state.location.program_dir, folder) << "the whole path, not its first 260 characters";
    EXPECT_EQ(state.location.drive_root, "E:\\");
    EXPECT_EQ(placed.right - placed.left, 450) << "data.qb was read";
    EXPECT_FALSE(state.old_theme) << "Theme.ini was read";
    const BitmapEntry* background = state.bitmaps.find("BackGround");
    ASSERT_NE(background, nullptr);
    EXPECT_TRUE(background->bitmap) << "the skin's pictures were read";
    ASSERT_EQ(state.links.count(), 1);
    EXPECT_TRUE(state.links.at(0)->image) << "the dropped file's icon";
    // The theme's colours are written there too, and read back.
    ThemeColors edited = state.theme;
    edited.header_color = RGB(12, 34, 56);
    edited.fill_type = 1;
    ASSERT_TRUE(write_theme(state.theme_folder(), edited));
    ThemeColors reread;
    EXPECT_FALSE(read_theme(state.theme_folder(), reread));
    EXPECT_EQ(reread.header_color, RGB(12, 34, 56));
    EXPECT_EQ(reread.fill_type, 1);
    EXPECT_EQ(reread.frame_color, state.theme.frame_color) << "the other keys stayed";

    // Nothing was written anywhere else on the way down.
    for (std::string parent = folder; parent.size() > 2; parent.resize(parent.rfind('\\'))) {
        if (parent != folder) {
            EXPECT_FALSE(file_exists(parent + "\\data.qb")) << parent.size();
        }
    }
}

TEST_F(Startup, AProgramStartedInLowerCaseStoresItsDrivesFilesRootRelative) {
    const std::string folder = program_folder("lower-case");
    const std::string tools = fresh_folder(kTestDrive, "LowerTools");
    write_text(tools + "\\app.exe", "MZ");
    // As some launchers and autoruns start it: "e:\..." (the folder as it is otherwise).
    const std::string lower = "e:" + folder.substr(2);
    TestProgram program(lower);
    const int code = program.run([&](HWND window) {
        ASSERT_EQ(program.state.location.drive_root, "e:\\") << "the program sees its lower-case path";
        drop_files(window, {tools + "\\app.exe"}, {100, 100});
        pump_messages_until([&] { return !program.state.changes.links_changed; }, 10000);
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    const StoredSettings saved = decode_settings(read_bytes(folder + "\\data.qb"));
    ASSERT_EQ(saved.links.size(), 1u);
    EXPECT_TRUE(saved.links[0].root_relative);
    EXPECT_EQ(saved.links[0].target.text, "LowerTools\\app.exe") << "no drive letter to break at the next start";
}

TEST_F(Startup, AProgramOnANetworkShareHasTheShareAsItsRoot) {
    const std::string folder = program_folder("net-prog");
    const std::string tools = fresh_folder(kTestDrive, "NetTools");
    write_text(tools + "\\tool.exe", "MZ");
    StoredSettings stored;
    stored.window_width = 400;
    stored.window_height = 300;
    stored.theme_name.text = "\\MAINTHEME";
    stored.options = {false, false, false, false, true};  // the search service on
    write_bytes(folder + "\\data.qb", encode_settings(stored));

    const std::string share = kTestShare;
    TestProgram program(share + "\\net-prog");
    const ProgramState& state = program.state;
    bool scanned = false;
    const int code = program.run([&](HWND window) {
        ASSERT_EQ(state.location.program_dir, share + "\\net-prog");
        drop_files(window, {share + "\\NetTools\\tool.exe"}, {100, 100});
        // The drive scan walks the share and keeps paths relative to it.
        // (A first scan stopped halfway is not kept, so it is let finish.)
        scanned = pump_messages_until(
            [&] { return program.state.found_files.find("NetTools\\tool.exe") && !state.search_in_progress; }, 20000);
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(state.location.drive_root, share + "\\") << "not \\:\\";
    EXPECT_TRUE(scanned);
    save_found_files_at_exit(program.state);
    FoundFileList stored_files;
    stored_files.load_from(read_bytes(folder + "\\files.dat"));
    EXPECT_TRUE(stored_files.find("NetTools\\tool.exe")) << "files.dat beside the program, paths relative to the share";
    const StoredSettings saved = decode_settings(read_bytes(folder + "\\data.qb"));
    ASSERT_EQ(saved.links.size(), 1u);
    EXPECT_EQ(saved.links[0].target.text, share + "\\NetTools\\tool.exe") << "a network path stays whole";
    EXPECT_FALSE(saved.links[0].root_relative);
}

// Ways a theme's picture can be broken on a stick.
enum class Broken { HugeHeader, Truncated, Empty, NotABitmap, Folder };

void break_picture(const std::string& path, Broken how) {
    std::vector<std::uint8_t> bytes = read_bytes(path);
    ASSERT_GT(bytes.size(), 54u) << path;
    DeleteFileA(path.c_str());
    switch (how) {
        case Broken::HugeHeader: {
            // A sound header that claims 60000 x 60000 pixels of 32 bits
            // (over 13 gigabytes) in front of the few bytes there are.
            const std::uint32_t side = 60000;
            for (int i = 0; i < 4; ++i) {
                bytes[18 + i] = static_cast<std::uint8_t>(side >> (8 * i));
                bytes[22 + i] = static_cast<std::uint8_t>(side >> (8 * i));
            }
            bytes[28] = 32;
            break;
        }
        case Broken::Truncated: bytes.resize(bytes.size() / 2); break;
        case Broken::Empty: bytes.clear(); break;
        case Broken::NotABitmap: bytes.assign(4000, 'x'); break;
        case Broken::Folder: ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)); return;
    }
    write_bytes(path, bytes);
}

TEST_F(Startup, BrokenThemePicturesAreMissingAndStartUpGoesOn) {
    const char* const skin_pictures[] = {"BackGround", "CloseButton", "OptButton", "RightSide"};
    for (Broken how : {Broken::HugeHeader, Broken::Truncated, Broken::Empty, Broken::NotABitmap, Broken::Folder}) {
        SCOPED_TRACE(static_cast<int>(how));
        const std::string folder = program_folder("broken-pictures");
        const std::string theme = folder + "\\Data\\MAINTHEME";
        for (const char* file :
             {"Background.bmp", "Right.bmp", "CloseButton.bmp", "OptButton.bmp", "DefaultProgram.bmp"}) {
            break_picture(theme + "\\" + file, how);
        }
        // A link whose target is gone shows the theme's default picture, broken too.
        StoredSettings stored;
        stored.window_width = 400;
        stored.window_height = 300;
        stored.theme_name.text = "\\MAINTHEME";
        StoredLink gone;
        gone.target.text = "nothing-here.txt";
        gone.root_relative = true;
        stored.links.push_back(gone);
        write_bytes(folder + "\\data.qb", encode_settings(stored));

        TestProgram program(folder);
        std::uint32_t header = 0;
        std::uint32_t work = 0;
        std::uint32_t tab = 0;
        const int code = program.run([&](HWND window) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            const WindowPixels shown = capture_window(window);
            ASSERT_EQ(shown.width, 400);
            header = shown.pixels[5 * shown.width + 5];
            work = shown.pixels[200 * shown.width + 300];
            tab = shown.pixels[150 * shown.width + 375];  // between the two buttons
            press_key(window, VK_ESCAPE);
        });
        EXPECT_EQ(code, 0);
        // Painted (the header: MAINTHEME's 42, 104, 172 lightened by 18 % in
        // row 5, worked out by hand), and without the broken pictures: the
        // composed background and the tab have nothing drawn into them.
        EXPECT_EQ(header, 0x5083BBu);
        EXPECT_EQ(work, 0u);
        EXPECT_EQ(tab, 0u);
        const BitmapCache& bitmaps = program.state.bitmaps;
        for (const char* name : skin_pictures) {
            ASSERT_NE(bitmaps.find(name), nullptr) << name;
            EXPECT_FALSE(bitmaps.find(name)->bitmap) << name << " is simply missing";
        }
        EXPECT_TRUE(bitmaps.bitmap_of("DT_FLASH")) << "the rest of the skin is there";
        ASSERT_EQ(program.state.links.count(), 1);
        EXPECT_FALSE(program.state.links.at(0)->image);
    }
}

TEST_F(Startup, AutorunFileIsMadeReadOnlyAndSystem) {
    const std::string folder = program_folder("autorun-attributes");
    const std::string autorun = std::string(kTestDrive) + "\\autorun.inf";
    SetFileAttributesA(autorun.c_str(), FILE_ATTRIBUTE_NORMAL);
    write_text(autorun, "[autorun]\r\nopen=Quillobrante.exe\r\n");
    TestProgram program(folder);
    EXPECT_EQ(program.run([](HWND window) { press_key(window, VK_ESCAPE); }), 0);
    const DWORD attributes = GetFileAttributesA(autorun.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA(autorun.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(autorun.c_str());
}

}  // namespace
}  // namespace qb
