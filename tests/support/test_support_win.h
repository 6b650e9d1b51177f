#pragma once
// What the Windows tests share: the test drives, a program installed in a
// test folder with a fresh state, answers for the modal seams, and a
// canvas whose pixels can be read.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/color.h"
#include "common/modal_seams_win.h"
#include "common/program_location.h"
#include "common/win_handles_win.h"
#include "mainwindow/program_state_win.h"

namespace qb::test {

// Drives the test command maps before the Windows tests run: E: and F:
// are one removable folder labelled "QBTEST"; G: is removable without a
// label; H: is a fixed drive.
inline constexpr const char* kTestDrive = "E:";
inline constexpr const char* kSameFolderDrive = "F:";
inline constexpr const char* kUnlabelledDrive = "G:";
inline constexpr const char* kFixedDrive = "H:";
inline constexpr const char* kTestDriveLabel = "QBTEST";
// The folder of drive E: as a network share.
inline constexpr const char* kTestShare = "\\\\qbserver\\stick";

// A fresh, empty folder `name` on drive E: (removed first if present);
// returns its path without a trailing backslash.
std::string fresh_folder(const std::string& drive, const std::string& name);
// The location of a program installed in `folder`.
ProgramLocation location_in(const std::string& folder);
// Copies the built themes (Data\...) and data.dll beside the test into folder.
void install_themes(const std::string& folder);

std::vector<std::uint8_t> read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// This PC's identity as the registry holds it ("" when it has none), and
// another one for it: what tells one PC's pictures from another's.
std::wstring machine_guid();
bool set_machine_guid(const std::wstring& guid);
// Puts back, when it goes, the identity the PC had when it was made: also
// when a failed assertion ends a test that gave the PC another one.
class MachineGuidKeeper {
public:
    MachineGuidKeeper() : guid_(machine_guid()) {}
    ~MachineGuidKeeper() {
        if (!guid_.empty()) set_machine_guid(guid_);
    }
    MachineGuidKeeper(const MachineGuidKeeper&) = delete;
    MachineGuidKeeper& operator=(const MachineGuidKeeper&) = delete;
    const std::wstring& guid() const { return guid_; }

private:
    std::wstring guid_;
};
void write_text(const std::string& path, const std::string& text);
FILETIME modification_time(const std::string& path);
// Gives the file a modification time long past, so that any write shows.
void set_old_modification_time(const std::string& path);
// The folder of the running test program.
std::string test_program_folder();

// Records every modal question and answers it: message boxes with
// `answer`, popup menus by posting `menu_answer` as the owner's WM_COMMAND
// (0: dismissed, nothing is sent), the colour dialog with `color_answer`
// (none: cancelled); opening through the shell is only recorded.
class RecordingSeams final : public ModalSeams {
public:
    struct Box {
        std::string text;
        std::string caption;
        UINT type = 0;
        HWND owner = nullptr;
        Language language = kRussian;
    };
    struct MenuItem {
        std::string text;  // empty for a separator
        UINT id = 0;
        bool separator = false;
        bool enabled = true;
        bool checked = false;
    };
    struct Menu {
        std::vector<MenuItem> items;
        POINT at{};
        HWND owner = nullptr;
    };
    struct Opened {
        std::string path;
        std::string folder;  // empty when none was given
        bool had_folder = false;
    };
    int message_box(HWND, text::Id text, text::Id caption, UINT type, Language language) override;
    void popup_menu(HMENU menu, int x, int y, HWND owner) override;
    void shell_open(HWND owner, const char* path, const char* folder) override;
    bool choose_color(HWND owner, COLORREF& color) override;

    std::vector<Box> boxes;
    int answer = IDOK;
    std::vector<Menu> menus;
    UINT menu_answer = 0;
    std::vector<Opened> opened;
    std::vector<COLORREF> colors_offered;
    std::optional<COLORREF> color_answer;
};

// A 32-bit top-down DIB section with its own memory DC.
class Canvas {
public:
    Canvas(int width, int height, Color fill = kBlack);
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    Color pixel(int x, int y) const;
    void fill(Color color);
    void fill_rect(int left, int top, int right, int bottom, Color color);
    // Count of pixels of exactly `color` inside the rectangle.
    int count(int left, int top, int right, int bottom, Color color) const;

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ original_ = nullptr;
};

// A bitmap (DIB section) of width x height filled by `paint(x, y)`.
HBITMAP make_test_bitmap(int width, int height, Color (*paint)(int, int));
// Every pixel of a DIB-section bitmap, row by row from the top.
std::vector<Color> bitmap_pixels(HBITMAP bitmap);

}  // namespace qb::test

namespace qb::test {

// A program installed in `folder` (which holds data.dll), with a state of
// its own: its instance is that folder's data.dll (or another library of
// the folder, `module`), whose module path decides the program's
// location, and its modal questions are answered by `seams`.
class TestProgram {
public:
    explicit TestProgram(const std::string& folder, const std::string& module = "data.dll");
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;
    ~TestProgram();

    // Runs the whole program. `script` runs inside the message loop once
    // the main window is visible; the run ends when something posts
    // WM_QUIT (the script usually presses Escape). Returns the exit code;
    // files.dat is not saved (the entry does that after the run).
    int run(std::function<void(HWND)> script);
    // The script waits for the link pictures the start looks up after
    // showing the window; off, it sees them arrive.
    bool wait_for_pictures = true;

private:
    HMODULE module_;

public:
    RecordingSeams seams;
    ProgramState state;
};

// Posts a key press to a window as the keyboard would.
void press_key(HWND window, UINT key, bool extended = false);

// Sends WM_DROPFILES with a DROPFILES block as Explorer hands it over:
// the names, each ended by a zero, one more zero after the last, and the
// drop point.
void drop_files(HWND window, const std::vector<std::string>& names, POINT at);
void drop_files(HWND window, const std::vector<std::wstring>& names, POINT at);

// Runs this thread's messages until `done` says so or `ms` have passed;
// returns the last answer of `done`.
bool pump_messages_until(const std::function<bool()>& done, DWORD ms);

}  // namespace qb::test
