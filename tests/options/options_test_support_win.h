#pragma once
// What the options window's tests share: a program installed in a test
// folder with both themes, the options window opened through the main
// window's options command, and commands sent as its controls send them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "common/file_io_win.h"
#include "mainwindow/keys.h"
#include "support/test_support_win.h"

namespace qb::test {

inline constexpr const char* kAutorunPath = "E:\\autorun.inf";

// Whatever is called autorun.inf in the drive root goes: the root is
// shared with every other test program.
inline void remove_autorun_entries() {
    for (const std::string& path : {std::string(kAutorunPath), replacement_path(kAutorunPath)}) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
    }
}

inline std::string text_of(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        remove_autorun_entries();
        folder_ = fresh_folder(kTestDrive, "options");
        install_themes(folder_);
        program_ = std::make_unique<TestProgram>(folder_);
    }
    void TearDown() override { remove_autorun_entries(); }

    // Runs the program with `script`, then presses Escape.
    int run(std::function<void(HWND)> script) {
        return program_->run([script](HWND window) {
            script(window);
            press_key(window, VK_ESCAPE);
        });
    }
    ProgramState& state() { return program_->state; }
    RecordingSeams& seams() { return program_->seams; }
    std::string theme_folder(const std::string& name) const { return folder_ + "\\Data\\" + name; }
    std::string theme_file(const std::string& name) const { return theme_folder(name) + "\\Theme.ini"; }

    // The options skin button's command, as the main window gets it.
    HWND open_options(HWND main) {
        SendMessageA(main, WM_COMMAND, CMD_OPTIONS, 0);
        return state().options_window;
    }
    // A control's command as the control sends it.
    static void command(HWND options, int id, int notification = BN_CLICKED) {
        SendMessageA(options, WM_COMMAND, MAKEWPARAM(id, notification),
                     reinterpret_cast<LPARAM>(GetDlgItem(options, id)));
    }
    static void click_check_box(HWND options, int id, bool on) {
        SendDlgItemMessageA(options, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        command(options, id);
    }
    static void choose_page(HWND options, int page) {
        SendDlgItemMessageA(options, 10020, LB_SETCURSEL, page, 0);
        command(options, 10020, LBN_SELCHANGE);
    }
    // Chooses a theme in the Themes page's list as a click would.
    static void choose_theme(HWND options, const char* name) {
        const LRESULT item = SendDlgItemMessageA(options, 10038, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(name));
        ASSERT_NE(item, LB_ERR) << name << " is not listed";
        SendDlgItemMessageA(options, 10038, LB_SETCURSEL, item, 0);
        command(options, 10038, LBN_SELCHANGE);
    }
    // The middle pixel of a control, once it has painted.
    static COLORREF middle_pixel(HWND control) {
        UpdateWindow(control);
        RECT r{};
        GetClientRect(control, &r);
        WindowDc dc(control);
        return GetPixel(dc.get(), r.right / 2, r.bottom / 2);
    }

    std::string folder_;
    std::unique_ptr<TestProgram> program_;
};

}  // namespace qb::test
