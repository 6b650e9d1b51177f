// The desktop used with mouse and keyboard: real messages sent to the real
// main window of a program running in this process, its modal questions
// answered through the seams.
#include <gtest/gtest.h>

#include <memory>

#include "common/file_io_win.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"
#include "links/settings_codec.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A key as the keyboard sends it; extended keys are the dedicated ones.
void send_key(HWND window, UINT key, bool extended) {
    const LPARAM flags = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16) | (extended ? (1 << 24) : 0);
    SendMessageA(window, WM_KEYDOWN, key, flags);
}

class Interaction : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "interaction");
        install_themes(folder_);
        tools_ = fresh_folder(kTestDrive, "Tools");
        write_text(tools_ + "\\app.exe", "MZ");
        write_text(tools_ + "\\b.txt", "b");
        write_text(tools_ + "\\c.txt", "c");
        program_ = std::make_unique<TestProgram>(folder_);
    }

    // Runs the program with `script`, which leaves the window to Escape.
    int run(std::function<void(HWND)> script) {
        return program_->run([this, script](HWND window) {
            // The settings of a first start are all off; the tests want hints on.
            state().settings.show_hints = true;
            script(window);
            press_key(window, VK_ESCAPE);
        });
    }
    ProgramState& state() { return program_->state; }
    RecordingSeams& seams() { return program_->seams; }
    MainWindow& data(HWND window) { return *main_window_data(window); }

    // A link to `path` at the link position (x, y), as a drop would add it.
    Link& add_link(const std::string& path, int x, int y) {
        Link& link = state().links.append_from_path(path, state().location.drive_root);
        LinkList::set_x(link, x, false);
        LinkList::set_y(link, y, false);
        return link;
    }
    // The client point in the middle of a link's square.
    POINT middle_of(const Link& link) const { return {link.x + 5 + 34, link.y + 25 + 5 + 34}; }
    void click(HWND window, UINT down, POINT at) { SendMessageA(window, down, 0, point_param(at.x, at.y)); }

    std::string folder_;
    std::string tools_;
    std::unique_ptr<TestProgram> program_;
};

TEST_F(Interaction, ADropBecomesALinkAtTheDropPointWithAndWithoutTheGrid) {
    EXPECT_EQ(run([&](HWND window) {
        drop_files(window, {"E:\\Tools\\app.exe"}, {100, 100});
        ASSERT_EQ(state().links.count(), 1);
        const Link& free = *state().links.at(0);
        EXPECT_EQ(free.caption, "app.exe");
        EXPECT_EQ(free.target, "Tools\\app.exe");
        EXPECT_TRUE(free.root_relative);
        EXPECT_EQ(free.x, 100);
        EXPECT_EQ(free.y, 100);
        EXPECT_TRUE(free.image) << "the file's shell icon";
        EXPECT_TRUE(state().changes.links_changed);
        EXPECT_TRUE(state().links_loaded) << "the add-links hint is not offered any more";

        // The same drop on the grid, on an empty desktop: the cell (75, 75).
        state().links.clear();
        state().settings.auto_arrange = true;
        drop_files(window, {"E:\\Tools\\app.exe"}, {100, 100});
        ASSERT_EQ(state().links.count(), 1);
        const Link& snapped = *state().links.at(0);
        EXPECT_EQ(snapped.x, 75);
        EXPECT_EQ(snapped.y, 75);

        // Dropped on an occupied cell with the grid: the later link moves to
        // a free neighbour (left first).
        drop_files(window, {"E:\\Tools\\b.txt"}, {80, 80});
        ASSERT_EQ(state().links.count(), 2);
        EXPECT_EQ(state().links.at(1)->x, 0);
        EXPECT_EQ(state().links.at(1)->y, 75);

        // Several names at once: one link, for the first.
        drop_files(window, {"E:\\Tools\\c.txt", "E:\\Tools\\b.txt", "E:\\Tools\\app.exe"}, {300, 10});
        ASSERT_EQ(state().links.count(), 3);
        EXPECT_EQ(state().links.at(2)->caption, "c.txt");

        // A drop without a readable name adds nothing.
        drop_files(window, {""}, {10, 10});
        EXPECT_EQ(state().links.count(), 3);
    }), 0);
    // The links were saved at the end of the run.
    const StoredSettings saved = decode_settings(read_bytes(folder_ + "\\data.qb"));
    ASSERT_EQ(saved.links.size(), 3u);
    EXPECT_EQ(saved.links[0].target.text, "Tools\\app.exe");
    EXPECT_EQ(saved.links[0].x, 75);
}

TEST_F(Interaction, PressesSelectAndDragLinks) {
    EXPECT_EQ(run([&](HWND window) {
        Link& a = add_link(tools_ + "\\b.txt", 0, 0);
        Link& b = add_link(tools_ + "\\c.txt", 150, 75);
        click(window, WM_LBUTTONDOWN, middle_of(a));
        EXPECT_TRUE(a.selected);
        EXPECT_EQ(state().links.at(1), &a) << "moved to the end: drawn on top";
        click(window, WM_LBUTTONUP, middle_of(a));
        EXPECT_EQ(a.x, 0) << "a press and release without moving keeps the place";
        EXPECT_FALSE(state().changes.links_changed);

        click(window, WM_LBUTTONDOWN, {300, 200});  // empty work area
        EXPECT_FALSE(a.selected);
        EXPECT_FALSE(b.selected);
        click(window, WM_LBUTTONUP, {300, 200});

        // A drag with the grid: by 41 pixels to the next cell.
        state().settings.auto_arrange = true;
        const POINT from = middle_of(b);
        click(window, WM_LBUTTONDOWN, from);
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, point_param(from.x + 41, from.y));
        EXPECT_EQ(data(window).view.drag.point.x, from.x + 41) << "the feedback follows";
        click(window, WM_LBUTTONUP, {from.x + 41, from.y});
        EXPECT_EQ(b.x, 225);
        EXPECT_EQ(b.y, 75);
        EXPECT_TRUE(state().changes.links_changed);
        EXPECT_EQ(data(window).view.drag.link, nullptr);
    }), 0);
}

TEST_F(Interaction, DeleteAsksAndTheKeypadsDeleteDoesNothing) {
    seams().answer = IDNO;
    EXPECT_EQ(run([&](HWND window) {
        Link& link = add_link(tools_ + "\\b.txt", 0, 0);
        link.selected = true;
        send_key(window, VK_DELETE, /*extended=*/false);  // the keypad's, Num Lock off
        EXPECT_TRUE(seams().boxes.empty());

        send_key(window, VK_DELETE, true);
        ASSERT_EQ(seams().boxes.size(), 1u);
        EXPECT_EQ(seams().boxes[0].text, "Вы действительно хотите удалить ссылку?");
        EXPECT_EQ(seams().boxes[0].caption, "Подтверждение");
        EXPECT_EQ(seams().boxes[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(state().links.count(), 1) << "No keeps the link";
        EXPECT_FALSE(state().changes.links_changed);

        seams().answer = IDYES;
        send_key(window, VK_DELETE, true);
        EXPECT_EQ(state().links.count(), 0);
        EXPECT_TRUE(state().changes.links_changed);

        // Nothing selected: nothing to ask.
        send_key(window, VK_DELETE, true);
        EXPECT_EQ(seams().boxes.size(), 2u);
    }), 0);
}

TEST_F(Interaction, ADeletedLinkIsForgottenByTheDragAndThePropertiesWindow) {
    seams().answer = IDYES;
    EXPECT_EQ(run([&](HWND window) {
        Link& dragged = add_link(tools_ + "\\b.txt", 0, 0);
        Link& edited = add_link(tools_ + "\\c.txt", 150, 0);
        // Press on a link, delete it, then release.
        click(window, WM_LBUTTONDOWN, middle_of(dragged));
        send_key(window, VK_DELETE, true);
        EXPECT_EQ(data(window).view.drag.link, nullptr);
        EXPECT_FALSE(data(window).view.drag.dragging);
        click(window, WM_LBUTTONUP, {300, 100});
        ASSERT_EQ(state().links.count(), 1);

        // The properties window of a deleted link saves nothing.
        state().links.select_only(&edited);
        SendMessageA(window, WM_COMMAND, CMD_PROPERTIES, 0);
        HWND properties = data(window).properties_window;
        ASSERT_NE(properties, nullptr);
        SendMessageA(window, WM_COMMAND, CMD_DELETE, 0);
        EXPECT_EQ(state().links.count(), 0);
        EXPECT_FALSE(IsWindowVisible(properties));
        SendMessageA(properties, WM_COMMAND, kPropertiesSave, 0);
        EXPECT_EQ(data(window).edited_link, nullptr);
    }), 0);
}

TEST_F(Interaction, ArrowKeysMoveTheSelection) {
    EXPECT_EQ(run([&](HWND window) {
        send_key(window, VK_RIGHT, true);  // no links: nothing
        Link& first = add_link(tools_ + "\\b.txt", 75, 0);
        Link& right = add_link(tools_ + "\\c.txt", 150, 0);
        Link& below = add_link(tools_ + "\\app.exe", 75, 75);
        send_key(window, VK_UP, true);  // nothing selected: the first link, whatever the key
        EXPECT_TRUE(first.selected);
        send_key(window, VK_RIGHT, true);
        EXPECT_TRUE(right.selected);
        EXPECT_FALSE(first.selected);
        send_key(window, VK_LEFT, true);
        send_key(window, VK_DOWN, true);
        EXPECT_TRUE(below.selected);
        send_key(window, VK_DOWN, /*extended=*/false);  // the keypad's arrow
        EXPECT_TRUE(below.selected);
    }), 0);
}

TEST_F(Interaction, OpeningALinkGoesThroughTheShellAndMayEndTheRun) {
    int code = run([&](HWND window) {
        Link& gone = add_link(folder_ + "\\deleted.txt", 0, 0);
        gone.close_on_activate = true;
        click(window, WM_LBUTTONDBLCLK, middle_of(gone));
        ASSERT_EQ(seams().boxes.size(), 1u);
        EXPECT_EQ(seams().boxes[0].text, "Файл не найден. Проверьте правильность ссылки.");
        EXPECT_EQ(seams().boxes[0].caption, "Ошибка");
        EXPECT_EQ(seams().boxes[0].type, UINT(MB_OK));
        EXPECT_TRUE(seams().opened.empty());

        // Open and stay: the shell opens it in its folder, the run goes on.
        Link& tool = add_link(tools_ + "\\app.exe", 150, 0);
        tool.close_on_activate = true;
        state().links.select_only(&tool);
        SendMessageA(window, WM_COMMAND, CMD_OPEN_STAY, 0);
        ASSERT_EQ(seams().opened.size(), 1u);
        EXPECT_EQ(seams().opened[0].path, "E:\\Tools\\app.exe");
        EXPECT_EQ(seams().opened[0].folder, "E:\\Tools");
        MSG quit{};
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));

        // A link to the drive root opens in the root itself, not in "E:".
        Link& root = add_link("E:\\", 300, 0);
        state().links.select_only(&root);
        send_key(window, VK_RETURN, false);
        ASSERT_EQ(seams().opened.size(), 2u);
        EXPECT_EQ(seams().opened[1].path, "E:\\");
        EXPECT_EQ(seams().opened[1].folder, "E:\\");
    });
    EXPECT_EQ(code, 0);

    // A double click on a closing link opens it and ends the run by itself.
    TestProgram closing(folder_);
    code = closing.run([&](HWND window) {
        Link& tool = closing.state.links.append_from_path(tools_ + "\\app.exe", closing.state.location.drive_root);
        tool.close_on_activate = true;
        SendMessageA(window, WM_LBUTTONDBLCLK, 0, point_param(40, 65));
        MSG quit{};
        if (!PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
            ADD_FAILURE() << "opening a closing link ends the run";
            press_key(window, VK_ESCAPE);
        }
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(closing.seams.opened.size(), 1u);
    EXPECT_EQ(closing.seams.opened[0].path, "E:\\Tools\\app.exe");
}

TEST_F(Interaction, TheContextMenuOffersFourOrFiveEntries) {
    EXPECT_EQ(run([&](HWND window) {
        Link& plain = add_link(tools_ + "\\b.txt", 0, 0);
        Link& closing = add_link(tools_ + "\\c.txt", 150, 0);
        closing.close_on_activate = true;
        click(window, WM_RBUTTONDOWN, middle_of(plain));
        EXPECT_TRUE(plain.selected);
        click(window, WM_RBUTTONDOWN, middle_of(closing));
        ASSERT_EQ(seams().menus.size(), 2u);
        const auto& four = seams().menus[0].items;
        ASSERT_EQ(four.size(), 4u);
        EXPECT_EQ(four[0].text, "Открыть ссылку");
        EXPECT_EQ(four[0].id, UINT(CMD_OPEN));
        EXPECT_EQ(four[1].text, "Свойства");
        EXPECT_TRUE(four[2].separator);
        EXPECT_EQ(four[3].text, "Удалить");
        EXPECT_EQ(four[3].id, UINT(CMD_DELETE));
        const auto& five = seams().menus[1].items;
        ASSERT_EQ(five.size(), 5u);
        EXPECT_EQ(five[0].text, "Открыть без выхода из программы");
        EXPECT_EQ(five[0].id, UINT(CMD_OPEN_STAY));
        // At the click point on the screen.
        RECT placed{};
        GetWindowRect(window, &placed);
        EXPECT_EQ(seams().menus[1].at.x, placed.left + middle_of(closing).x);
        EXPECT_EQ(seams().menus[1].at.y, placed.top + middle_of(closing).y);

        // A right click on empty space clears the selection and shows the
        // desktop's own menu: the languages.
        click(window, WM_RBUTTONDOWN, {300, 200});
        EXPECT_EQ(state().links.selected_link(), nullptr);
        ASSERT_EQ(seams().menus.size(), 3u);
        EXPECT_EQ(seams().menus[2].items.size(), kLanguageCount);

        // The chosen item arrives as WM_COMMAND: "Свойства" opens the window.
        seams().menu_answer = CMD_PROPERTIES;
        click(window, WM_RBUTTONDOWN, middle_of(plain));
        MSG message{};
        while (PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) DispatchMessageA(&message);
        ASSERT_NE(data(window).properties_window, nullptr);
        EXPECT_TRUE(IsWindowVisible(data(window).properties_window));
        EXPECT_EQ(data(window).edited_link, &plain);
    }), 0);
}

std::string text_of(HWND window, int id) { return window_text(GetDlgItem(window, id)).value_or("?"); }

TEST_F(Interaction, ThePropertiesWindowSavesCancelsAndComesBack) {
    EXPECT_EQ(run([&](HWND window) {
        Link& link = add_link(tools_ + "\\app.exe", 0, 0);
        show_link_properties(data(window), window, &link);
        HWND properties = data(window).properties_window;
        ASSERT_NE(properties, nullptr);
        char title[64] = {};
        GetWindowTextA(properties, title, sizeof title);
        EXPECT_STREQ(title, "Свойства значка");
        RECT placed{};
        GetWindowRect(properties, &placed);
        EXPECT_EQ(placed.left, state().screen.cx / 2 - 153);
        EXPECT_EQ(placed.top, state().screen.cy / 2 - 90);
        EXPECT_EQ(placed.right - placed.left, 306);
        EXPECT_EQ(placed.bottom - placed.top, 180);
        EXPECT_EQ(text_of(properties, kPropertiesCaptionEdit), "app.exe");
        EXPECT_EQ(text_of(properties, kPropertiesTargetEdit), "Tools\\app.exe");

        // Cancel changes nothing.
        SetDlgItemTextA(properties, kPropertiesCaptionEdit, "Other");
        SendMessageA(properties, WM_COMMAND, kPropertiesCancel, 0);
        EXPECT_FALSE(IsWindowVisible(properties));
        EXPECT_EQ(link.caption, "app.exe");
        EXPECT_FALSE(state().changes.links_changed);

        // Save: a target on our drive becomes root-relative, another drive's stays whole.
        show_link_properties(data(window), window, &link);
        EXPECT_EQ(text_of(properties, kPropertiesCaptionEdit), "app.exe") << "unsaved typing is replaced";
        SetDlgItemTextA(properties, kPropertiesCaptionEdit, std::string(1030, 'x').c_str());
        SetDlgItemTextA(properties, kPropertiesTargetEdit, "E:\\Tools\\b.txt");
        SendDlgItemMessageA(properties, kPropertiesCloseCheck, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageA(properties, WM_COMMAND, kPropertiesSave, 0);
        EXPECT_FALSE(IsWindowVisible(properties));
        EXPECT_EQ(link.caption, std::string(1022, 'x'));
        EXPECT_EQ(link.target, "Tools\\b.txt");
        EXPECT_TRUE(link.root_relative);
        EXPECT_TRUE(link.close_on_activate);
        EXPECT_TRUE(state().changes.links_changed);

        show_link_properties(data(window), window, &link);
        SetDlgItemTextA(properties, kPropertiesTargetEdit, "D:\\b.exe");
        SendMessageA(properties, WM_COMMAND, kPropertiesSave, 0);
        EXPECT_EQ(link.target, "D:\\b.exe");
        EXPECT_FALSE(link.root_relative);

        // Closed by its close box: the next request makes a new window.
        SendMessageA(properties, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(properties));
        EXPECT_EQ(data(window).properties_window, nullptr);
        show_link_properties(data(window), window, &link);
        ASSERT_NE(data(window).properties_window, nullptr);
        EXPECT_TRUE(IsWindowVisible(data(window).properties_window));
        RECT again{};
        GetWindowRect(data(window).properties_window, &again);
        EXPECT_EQ(again.left, state().screen.cx / 2 - 153) << "a new window at the centre of the screen";
        EXPECT_EQ(text_of(data(window).properties_window, kPropertiesTargetEdit), "D:\\b.exe");
    }), 0);
}

TEST_F(Interaction, TypingInThePropertiesWindowCountsAsInput) {
    EXPECT_EQ(run([&](HWND window) {
        state().settings.auto_close_when_idle = true;
        Link& link = add_link(tools_ + "\\app.exe", 0, 0);
        show_link_properties(data(window), window, &link);
        HWND edit = GetDlgItem(data(window).properties_window, kPropertiesCaptionEdit);
        for (int tick = 0; tick < 50; ++tick) SendMessageA(window, WM_TIMER, kIdleTimer, 0);
        EXPECT_EQ(data(window).view.idle_countdown, 10);
        SendMessageA(edit, WM_CHAR, 'a', 0);  // the edit tells its window: EN_CHANGE
        EXPECT_EQ(data(window).view.idle_countdown, 60);
    }), 0);
}

TEST_F(Interaction, TheIdleCountdownEndsTheRunOnlyWithHintsOn) {
    int ticks = 0;
    EXPECT_EQ(program_->run([&](HWND window) {
        state().settings.show_hints = false;
        state().settings.auto_close_when_idle = true;
        for (int tick = 0; tick < 100; ++tick) SendMessageA(window, WM_TIMER, kIdleTimer, 0);
        MSG quit{};
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "hints off: no countdown";
        state().settings.show_hints = true;
        for (ticks = 1; ticks <= 100; ++ticks) {
            SendMessageA(window, WM_TIMER, kIdleTimer, 0);
            if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
        }
        // The posted WM_QUIT ends the run; without one, Escape does, so a
        // failure shows as a failure and not as a hang.
        if (ticks > 100) press_key(window, VK_ESCAPE);
    }), 0);
    EXPECT_EQ(ticks, 61);
}

TEST_F(Interaction, NoIdleCloseWhileAQuestionWaitsForItsAnswer) {
    EXPECT_EQ(run([&](HWND window) {
        state().settings.auto_close_when_idle = true;
        Link& link = add_link(tools_ + "\\app.exe", 0, 0);
        show_link_properties(data(window), window, &link);
        HWND properties = data(window).properties_window;
        // A question owned by the properties window disables it while it waits.
        EnableWindow(properties, FALSE);
        MSG quit{};
        for (int tick = 0; tick < 100; ++tick) SendMessageA(window, WM_TIMER, kIdleTimer, 0);
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        EXPECT_EQ(data(window).view.idle_countdown, 60);
        // Answered: the countdown runs again.
        EnableWindow(properties, TRUE);
        SendMessageA(window, WM_TIMER, kIdleTimer, 0);
        EXPECT_EQ(data(window).view.idle_countdown, 59);
    }), 0);
}

TEST_F(Interaction, InputRestartsTheCountdownAndRepaintsTheHeaderThatShowedIt) {
    EXPECT_EQ(run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
        UpdateWindow(window);
        MainWindowState& view = data(window).view;
        const COLORREF mark = RGB(1, 2, 3);
        auto mark_header = [&] {
            WindowDc dc(window);
            SetPixel(dc.get(), 200, 10, mark);
        };
        auto header_marked = [&] {
            WindowDc dc(window);
            return GetPixel(dc.get(), 200, 10) == mark;
        };
        // At 16 the header showed no countdown: nothing to repaint.
        view.idle_countdown = 16;
        mark_header();
        SendMessageA(window, WM_MOUSEMOVE, 0, point_param(100, 100));
        EXPECT_EQ(view.idle_countdown, 60);
        EXPECT_TRUE(header_marked());
        // At 15 it is repainted at once. Moving over the window counts:
        // WM_NCHITTEST comes with every move.
        view.idle_countdown = 15;
        mark_header();
        POINT screen{100, 100};
        ClientToScreen(window, &screen);
        EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, point_param(screen.x, screen.y)), HTCLIENT);
        EXPECT_EQ(view.idle_countdown, 60);
        EXPECT_FALSE(header_marked());
        // And a key.
        view.idle_countdown = 3;
        mark_header();
        send_key(window, VK_F2, false);
        EXPECT_FALSE(header_marked());
    }), 0);
}

TEST_F(Interaction, HitTestsMoveTheWindowByItsTopAndSizeItByItsEdges) {
    EXPECT_EQ(run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
        auto code_at = [window](int x, int y) {
            POINT screen{x, y};
            ClientToScreen(window, &screen);
            return SendMessageA(window, WM_NCHITTEST, 0, point_param(screen.x, screen.y));
        };
        EXPECT_EQ(code_at(200, 25), HTCAPTION);
        EXPECT_EQ(code_at(200, 26), HTCLIENT);
        EXPECT_EQ(code_at(2, 100), HTLEFT);
        EXPECT_EQ(code_at(360, 150), HTCLIENT);
        EXPECT_EQ(code_at(348, 40), HTRIGHT);
        EXPECT_EQ(code_at(330, 297), HTBOTTOMRIGHT);
        EXPECT_EQ(code_at(200, 297), HTBOTTOM);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENS));
    }), 0);
}

TEST_F(Interaction, HintsComeOneAtATimeAndCloseByTheirBox) {
    EXPECT_EQ(run([&](HWND window) {
        state().autorun_state = 1;  // no autorun.inf found
        MainWindowState& view = data(window).view;
        SendMessageA(window, WM_TIMER, kHintTimer, 0);
        EXPECT_EQ(view.hints.active, HintKind::AddLinks) << "an empty desktop first";
        SendMessageA(window, WM_TIMER, kHintTimer, 0);
        EXPECT_EQ(view.hints.active, HintKind::AddLinks) << "never while one is shown";
        Link& under = add_link(tools_ + "\\b.txt", 0, 0);
        click(window, WM_LBUTTONDOWN, {100, 25 + 50});  // inside the balloon, over the link
        EXPECT_FALSE(under.selected) << "the balloon takes the press";
        click(window, WM_LBUTTONDOWN, {187, 25 + 97});  // its close box
        EXPECT_EQ(view.hints.active, HintKind::None);
        SendMessageA(window, WM_TIMER, kHintTimer, 0);
        EXPECT_EQ(view.hints.active, HintKind::AutorunMissing);
        SendMessageA(window, WM_TIMER, 7, 0);  // an unknown timer does nothing
        EXPECT_EQ(view.hints.active, HintKind::AutorunMissing);
    }), 0);
}

TEST_F(Interaction, RepaintsCoverTheNamedStripsOnly) {
    EXPECT_EQ(run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
        UpdateWindow(window);  // nothing pending: only what is asked for is painted
        const COLORREF mark = RGB(1, 2, 3);
        auto mark_pixels = [&] {
            WindowDc dc(window);
            SetPixel(dc.get(), 200, 10, mark);   // header
            SetPixel(dc.get(), 200, 150, mark);  // work area
            SetPixel(dc.get(), 200, 290, mark);  // status strip
        };
        auto marked = [&](int x, int y) {
            WindowDc dc(window);
            return GetPixel(dc.get(), x, y) == mark;
        };
        mark_pixels();
        repaint_areas(window, AREA_WORK, state().header_height);
        EXPECT_TRUE(marked(200, 10));
        EXPECT_FALSE(marked(200, 150));
        EXPECT_TRUE(marked(200, 290));

        mark_pixels();
        repaint_areas(window, AREA_FOOTER, state().header_height);
        EXPECT_TRUE(marked(200, 10));
        EXPECT_TRUE(marked(200, 150));
        EXPECT_FALSE(marked(200, 290));

        mark_pixels();
        repaint_areas(window, AREA_HEADER, state().header_height);
        EXPECT_FALSE(marked(200, 10));
        EXPECT_TRUE(marked(200, 150));
    }), 0);
}

TEST_F(Interaction, NewProgramsSlideUpAndAreAdoptedOrDismissed) {
    EXPECT_EQ(run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
        FoundFileList& found = state().found_files;
        for (int i = 0; i < 3; ++i) found.add("E:\\Tools\\p" + std::to_string(i) + ".exe");
        SendMessageA(window, WM_NEW_PROGRAMS, 0, 0);
        MainWindowState& view = data(window).view;
        EXPECT_TRUE(view.slide_timer_running);
        for (int tick = 0; tick < 6; ++tick) SendMessageA(window, WM_TIMER, kSlideTimer, 0);
        EXPECT_EQ(found.new_at(0)->slide_offset, -28);
        EXPECT_EQ(found.new_at(1)->slide_offset, -56);
        EXPECT_EQ(found.new_at(2)->slide_offset, -84);
        SendMessageA(window, WM_TIMER, kSlideTimer, 0);
        EXPECT_FALSE(view.slide_timer_running) << "in place: the timer stops";

        // The adopt button of the bottom row: a link at (30, 30).
        click(window, WM_LBUTTONDOWN, {260, 260});
        ASSERT_EQ(state().links.count(), 1);
        const Link& adopted = *state().links.at(0);
        EXPECT_EQ(adopted.caption, "p0.exe");
        EXPECT_EQ(adopted.target, "Tools\\p0.exe");
        EXPECT_TRUE(adopted.root_relative);
        EXPECT_EQ(adopted.x, 30);
        EXPECT_EQ(adopted.y, 30);
        EXPECT_TRUE(state().changes.links_changed);
        EXPECT_TRUE(state().links_loaded);
        EXPECT_EQ(found.count_new(), 2);
        EXPECT_EQ(found.new_at(0)->slide_offset, -28) << "the rows above moved down at once";
        EXPECT_EQ(found.count_all(), 3) << "an adopted program stays known";

        // A right click anywhere on a row dismisses it.
        click(window, WM_RBUTTONDOWN, {150, 265});
        EXPECT_EQ(found.count_new(), 1);
        EXPECT_TRUE(seams().menus.empty());

        // The dismiss-all button of the status strip.
        click(window, WM_LBUTTONDOWN, {275, 288});
        EXPECT_EQ(found.count_new(), 0);
        EXPECT_EQ(state().links.count(), 1);
    }), 0);
}

TEST_F(Interaction, CloseButtonEndsTheRunAndChangedLinksAreSaved) {
    EXPECT_EQ(program_->run([&](HWND window) {
        drop_files(window, {"E:\\Tools\\app.exe"}, {10, 10});
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_CLOSE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, CMD_CLOSE)));
    }), 0);
    const StoredSettings saved = decode_settings(read_bytes(folder_ + "\\data.qb"));
    ASSERT_EQ(saved.links.size(), 1u);
    EXPECT_EQ(saved.links[0].caption.text, "app.exe");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

using namespace qb::test;

// What the user drops or types reaches the links as the right code page
// 1251 bytes on any system, and a name the code page cannot hold is kept
// by its short name or refused: never stored with stand-ins.
class InteractionAnyLanguage : public Interaction {
protected:
    // The Russian interface, chosen on the stick, whatever the system speaks.
    void SetUp() override {
        Interaction::SetUp();
        write_text(folder_ + "\\language.ini", "Language=ru\r\n");
    }
};

// Whether two paths name one file: the same volume and file number.
bool same_file(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION facts[2] = {};
    const std::wstring* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        UniqueFile file(CreateFileW(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file || !GetFileInformationByHandle(file.get(), &facts[i])) return false;
    }
    return facts[0].dwVolumeSerialNumber == facts[1].dwVolumeSerialNumber &&
           facts[0].nFileIndexHigh == facts[1].nFileIndexHigh && facts[0].nFileIndexLow == facts[1].nFileIndexLow;
}

// Outside the test's macros, which would spell them in code page 1251.
constexpr const wchar_t* kJapaneseFile = L"日本語.txt";
constexpr const wchar_t* kJapaneseTarget = L"Tools\\日本語.txt";
constexpr const wchar_t* kForeignCaption = L"Résumé 日本";

TEST_F(InteractionAnyLanguage, DroppedAndTypedNamesAreStoredWhole) {
    EXPECT_EQ(run([&](HWND window) {
        const std::string cyrillic = tools_ + "\\Программы";
        ASSERT_TRUE(CreateDirectoryW(system_path(cyrillic).c_str(), nullptr));
        write_text(cyrillic + "\\Метка.exe", "MZ");
        const std::wstring japanese = to_wide(tools_) + L"\\" + kJapaneseFile;
        UniqueFile created(CreateFileW(japanese.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(created);
        created.reset();

        drop_files(window, std::vector<std::wstring>{to_wide(cyrillic) + L"\\Метка.exe"}, {10, 10});
        drop_files(window, std::vector<std::wstring>{japanese}, {200, 10});
        ASSERT_EQ(state().links.count(), 2);
        Link& program = *state().links.begin();
        Link& document = *std::next(state().links.begin());
        EXPECT_EQ(program.target, "Tools\\Программы\\Метка.exe");
        EXPECT_EQ(program.caption, "Метка.exe");
        // The short name: no stand-in, and it names the same file.
        ASSERT_TRUE(document.target);
        EXPECT_EQ(document.target->find('?'), std::string::npos) << *document.target;
        EXPECT_TRUE(document.target->starts_with("Tools\\"));
        EXPECT_TRUE(same_file(japanese, system_path(full_target(document, state().location.drive_root))));
        state().links.select_only(&document);
        SendMessageW(window, WM_COMMAND, CMD_OPEN_STAY, 0);
        ASSERT_EQ(seams().opened.size(), 1u);
        EXPECT_TRUE(regular_file_exists(seams().opened[0].path)) << seams().opened[0].path;

        // Typed in the properties window: Cyrillic is stored as typed, a
        // target outside the code page by its short name, and a caption
        // outside it is refused with the window left open.
        show_link_properties(data(window), window, &program);
        HWND properties = data(window).properties_window;
        SetWindowTextW(GetDlgItem(properties, kPropertiesCaptionEdit), L"Метка для Ёжика");
        SetWindowTextW(GetDlgItem(properties, kPropertiesTargetEdit), kJapaneseTarget);
        SendMessageW(properties, WM_COMMAND, kPropertiesSave, 0);
        EXPECT_EQ(program.caption, "Метка для Ёжика");
        EXPECT_EQ(program.target, document.target);
        EXPECT_TRUE(seams().boxes.empty());

        show_link_properties(data(window), window, &program);
        SetWindowTextW(GetDlgItem(properties, kPropertiesCaptionEdit), kForeignCaption);
        SendMessageW(properties, WM_COMMAND, kPropertiesSave, 0);
        ASSERT_EQ(seams().boxes.size(), 1u);
        EXPECT_EQ(seams().boxes[0].text, ui_text(text::kCaptionCannotBeKept, kRussian));
        EXPECT_TRUE(IsWindowVisible(properties));
        EXPECT_EQ(program.caption, "Метка для Ёжика");
        SendMessageW(properties, WM_COMMAND, kPropertiesCancel, 0);
    }), 0);
}

}  // namespace
}  // namespace qb
