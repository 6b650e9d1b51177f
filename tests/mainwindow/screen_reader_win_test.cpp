// The desktop without a mouse and through a screen reader's eyes: keys and
// typed letters sent to the real main window, and its accessible object
// taken the way a screen reader takes it (AccessibleObjectFromWindow).
#include <gtest/gtest.h>

#include <algorithm>

#include <objbase.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "common/system_libraries_win.h"
#include "common/wide_text_win.h"
#include "mainwindow/main_window_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

// Cyrillic captions, held as code page 1251 bytes.
const std::string kNotes = "Заметки";
const std::string kCalendar = "Календарь";
const char kSmallKa = "к"[0];
const std::vector<std::string> kFixedNames{"Закрыть программу", "Настройки программы"};
const std::string kRemovableQbtest = "Съёмный диск «QBTEST», занято ";
const std::string kOneNewProgram = ", новых программ: 1";
const std::string kOpen = "Открыть";

VARIANT child(long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        // A screen reader's thread has COM; here it is the window's too.
        // Through the program's own table, as the program itself starts it.
        ASSERT_NE(com_functions(), nullptr);
        ASSERT_TRUE(SUCCEEDED(com_functions()->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        folder_ = fresh_folder(kTestDrive, "screenreader");
        install_themes(folder_);
        tools_ = fresh_folder(kTestDrive, "Tools");
        for (const char* name : {"notes.txt", "calendar.txt", "app.exe"}) write_text(tools_ + "\\" + name, "x");
        program_ = std::make_unique<TestProgram>(folder_);
    }
    void TearDown() override { com_functions()->CoUninitialize(); }

    int run(std::function<void(HWND)> script) {
        return program_->run([script](HWND window) {
            SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
            script(window);
            press_key(window, VK_ESCAPE);
        });
    }
    ProgramState& state() { return program_->state; }
    RecordingSeams& seams() { return program_->seams; }

    // Three links in a row: "Заметки", "Календарь", "app.exe".
    void add_three_links() {
        int x = 0;
        for (const char* name : {"notes.txt", "calendar.txt", "app.exe"}) {
            Link& link = state().links.append_from_path(tools_ + "\\" + name, state().location.drive_root);
            LinkList::set_x(link, x, false);
            x += 75;
        }
        LinkList::set_caption(*state().links.at(0), kNotes);
        LinkList::set_caption(*state().links.at(1), kCalendar);
    }

    IAccessible* object_of(HWND window) {
        IAccessible* object = nullptr;
        EXPECT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)),
                  S_OK);
        return object;
    }
    static std::string name_of(IAccessible* object, long id) {
        BSTR name = nullptr;
        if (object->get_accName(child(id), &name) != S_OK || name == nullptr) return "(none)";
        const std::string text = to_1251(name).value_or("(not 1251)");
        SysFreeString(name);
        return text;
    }
    static long number_of(IAccessible* object, bool state, long id) {
        VARIANT value{};
        const HRESULT got = state ? object->get_accState(child(id), &value) : object->get_accRole(child(id), &value);
        if (got != S_OK || value.vt != VT_I4) return -1;
        return value.lVal;
    }
    static long role_of(IAccessible* object, long id) { return number_of(object, false, id); }
    static long state_of(IAccessible* object, long id) { return number_of(object, true, id); }

    std::string folder_;
    std::string tools_;
    std::unique_ptr<TestProgram> program_;
};

// Sends a key as the keyboard does; `shift` held meanwhile.
void send_key(HWND window, UINT message, UINT key, bool extended, bool alt = false, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE before = keys[VK_SHIFT];
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const LPARAM flags = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16) | (extended ? (1 << 24) : 0) |
                         (alt ? (1 << 29) : 0);
    SendMessageW(window, message, key, flags);
    keys[VK_SHIFT] = before;
    SetKeyboardState(keys);
}

TEST_F(ScreenReader, TheTreeNamesEveryPartAndFollowsTheSelection) {
    EXPECT_EQ(run([&](HWND window) {
        add_three_links();
        IAccessible* object = object_of(window);
        ASSERT_NE(object, nullptr);
        LONG count = 0;
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, 6) << "three links, two buttons, the status strip";
        const std::vector<std::string> names{kNotes, kCalendar, "app.exe", kFixedNames[0], kFixedNames[1]};
        for (long id = 1; id <= 5; ++id) EXPECT_EQ(name_of(object, id), names[id - 1]) << id;
        // Drive E: is removable, labelled QBTEST, its size known.
        const std::string status = name_of(object, 6);
        EXPECT_TRUE(status.starts_with(kRemovableQbtest)) << status;
        EXPECT_EQ(status.back(), '%') << status;
        EXPECT_EQ(name_of(object, 7), "(none)") << "no seventh child";

        const std::vector<long> roles{ROLE_SYSTEM_LISTITEM,   ROLE_SYSTEM_LISTITEM,   ROLE_SYSTEM_LISTITEM,
                                      ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_STATICTEXT};
        for (long id = 1; id <= 6; ++id) EXPECT_EQ(role_of(object, id), roles[id - 1]);
        EXPECT_EQ(role_of(object, CHILDID_SELF), ROLE_SYSTEM_CLIENT);

        // The selected link's state follows the arrow keys.
        const long plain = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        const long chosen = plain | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
        auto states = [&] {
            std::vector<long> all;
            for (long id = 1; id <= 3; ++id) all.push_back(state_of(object, id));
            return all;
        };
        EXPECT_EQ(states(), (std::vector<long>{plain, plain, plain}));
        send_key(window, WM_KEYDOWN, VK_RIGHT, true);  // nothing selected: the first link
        EXPECT_EQ(states(), (std::vector<long>{chosen, plain, plain}));
        send_key(window, WM_KEYDOWN, VK_RIGHT, true);
        EXPECT_EQ(states(), (std::vector<long>{plain, chosen, plain}));
        VARIANT selection{};
        EXPECT_EQ(object->get_accSelection(&selection), S_OK);
        EXPECT_EQ(selection.vt, VT_I4);
        EXPECT_EQ(selection.lVal, 2);
        // accSelect moves it too.
        EXPECT_EQ(object->accSelect(SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS, child(3)), S_OK);
        EXPECT_TRUE(state().links.at(2)->selected);
        EXPECT_EQ(object->accSelect(SELFLAG_TAKESELECTION, child(5)), E_INVALIDARG) << "a button is no list item";

        // Where each link is: its hit square on the screen.
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        for (long id = 1; id <= 3; ++id) {
            const Link& link = *state().links.at(static_cast<int>(id - 1));
            LONG x = 0, y = 0, cx = 0, cy = 0;
            EXPECT_EQ(object->accLocation(&x, &y, &cx, &cy, child(id)), S_OK);
            EXPECT_EQ(x, origin.x + 5 + link.x) << id;
            EXPECT_EQ(y, origin.y + state().header_height + 5 + link.y) << id;
            EXPECT_EQ(cx, kHitSize);
            EXPECT_EQ(cy, kHitSize);
            // And the point in its middle finds it again.
            VARIANT hit{};
            EXPECT_EQ(object->accHitTest(x + cx / 2, y + cy / 2, &hit), S_OK);
            EXPECT_EQ(hit.vt, VT_I4);
            EXPECT_EQ(hit.lVal, id);
        }

        BSTR action = nullptr;
        EXPECT_EQ(object->get_accDefaultAction(child(1), &action), S_OK);
        EXPECT_EQ(to_1251(action), kOpen);
        SysFreeString(action);
        BSTR description = nullptr;
        EXPECT_EQ(object->get_accDescription(child(3), &description), S_OK);
        EXPECT_EQ(to_1251(description), "E:\\Tools\\app.exe");
        SysFreeString(description);
        object->Release();
    }), 0);
}

void CALLBACK record_event(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG id, DWORD, DWORD) {
    if (object != OBJID_CLIENT) return;
    // The hook has no place for a pointer: the window's property holds the record.
    if (auto* seen = static_cast<std::vector<std::pair<DWORD, LONG>>*>(GetPropW(window, L"qb.events"))) {
        seen->push_back({event, id});
    }
}

TEST_F(ScreenReader, ActionsOpenAddAndAreHeardAsEvents) {
    EXPECT_EQ(run([&](HWND window) {
        add_three_links();
        std::vector<std::pair<DWORD, LONG>> seen;
        SetPropW(window, L"qb.events", &seen);
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE, nullptr, record_event,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
        auto heard = [&](DWORD event, LONG id) {
            return pump_messages_until([&] {
                for (const auto& [e, i] : seen) {
                    if (e == event && i == id) return true;
                }
                return false;
            }, 2000);
        };
        send_key(window, WM_KEYDOWN, VK_DOWN, true);  // the first link
        send_key(window, WM_KEYDOWN, VK_RIGHT, true);
        EXPECT_TRUE(heard(EVENT_OBJECT_FOCUS, 2)) << "the arrow moved the selection to the second link";
        EXPECT_TRUE(heard(EVENT_OBJECT_SELECTION, 2));

        IAccessible* object = object_of(window);
        ASSERT_NE(object, nullptr);
        // The default action of a link opens it as Enter does, through the
        // shell, once the reader's call has returned.
        EXPECT_EQ(object->accDoDefaultAction(child(3)), S_OK);
        EXPECT_TRUE(seams().opened.empty()) << "nothing is opened inside the reader's call";
        EXPECT_TRUE(state().links.at(2)->selected);
        ASSERT_TRUE(pump_messages_until([&] { return !seams().opened.empty(); }, 2000));
        EXPECT_EQ(seams().opened[0].path, "E:\\Tools\\app.exe");
        EXPECT_TRUE(heard(EVENT_OBJECT_FOCUS, 3));
        // A target gone: the message about it waits until the call is over.
        DeleteFileW(to_wide(tools_ + "\\notes.txt").c_str());
        EXPECT_EQ(object->accDoDefaultAction(child(1)), S_OK);
        EXPECT_TRUE(seams().boxes.empty()) << "no message box inside the reader's call";
        EXPECT_TRUE(pump_messages_until([&] { return !seams().boxes.empty(); }, 2000));
        EXPECT_EQ(seams().opened.size(), 1u);

        // A new program's row: after the status strip, named for its file;
        // its default action adopts it.
        state().found_files.add("E:\\Tools\\new.exe");
        write_text(tools_ + "\\new.exe", "MZ");
        SendMessageW(window, WM_NEW_PROGRAMS, 0, 0);
        EXPECT_TRUE(heard(EVENT_OBJECT_REORDER, CHILDID_SELF)) << "a row came";
        LONG count = 0;
        object->get_accChildCount(&count);
        EXPECT_EQ(count, 7);
        EXPECT_EQ(name_of(object, 7), "new.exe");
        EXPECT_EQ(role_of(object, 7), ROLE_SYSTEM_LISTITEM);
        EXPECT_TRUE(name_of(object, 6).ends_with(kOneNewProgram)) << "the status strip counts it";
        EXPECT_EQ(object->accDoDefaultAction(child(7)), S_OK);
        ASSERT_EQ(state().links.count(), 4);
        EXPECT_EQ(state().links.at(3)->caption, "new.exe");
        EXPECT_TRUE(heard(EVENT_OBJECT_CREATE, 4)) << "the new link, fourth";
        object->get_accChildCount(&count);
        EXPECT_EQ(count, 7) << "four links and no row";

        // The keyboard's focus elsewhere: a selection is heard, a focus is
        // not, and no link says it is focused. The same selection with the
        // focus ours (the control) is heard as both.
        auto select_and_listen = [&](LONG id) {
            seen.clear();
            EXPECT_EQ(object->accSelect(SELFLAG_TAKESELECTION, child(id)), S_OK);
            EXPECT_TRUE(heard(EVENT_OBJECT_SELECTION, id));
            return std::find(seen.begin(), seen.end(), std::pair<DWORD, LONG>{EVENT_OBJECT_FOCUS, id}) != seen.end();
        };
        // Link 1 is the selected one now.
        SetFocus(window);
        ASSERT_EQ(GetFocus(), window);
        EXPECT_TRUE(select_and_listen(2));
        EXPECT_EQ(state_of(object, 2) & STATE_SYSTEM_FOCUSED, static_cast<long>(STATE_SYSTEM_FOCUSED));
        const HWND elsewhere = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                               nullptr, nullptr, nullptr);
        SetFocus(elsewhere);
        ASSERT_NE(GetFocus(), window);
        EXPECT_FALSE(select_and_listen(3)) << "no focus announced for a window without it";
        EXPECT_EQ(state_of(object, 3) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
                  static_cast<long>(STATE_SYSTEM_SELECTED));
        VARIANT focus{};
        EXPECT_EQ(object->get_accFocus(&focus), S_FALSE);
        EXPECT_EQ(focus.vt, VT_EMPTY);
        // Taking the focus really takes it, and the reader hears where it is.
        seen.clear();
        EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, child(1)), S_OK);
        EXPECT_EQ(GetFocus(), window);
        EXPECT_TRUE(heard(EVENT_OBJECT_FOCUS, 1));
        EXPECT_NE(state_of(object, 1) & STATE_SYSTEM_FOCUSED, 0);
        DestroyWindow(elsewhere);

        UnhookWinEvent(hook);
        RemovePropW(window, L"qb.events");
        object->Release();
    }), 0);
}

TEST_F(ScreenReader, EveryLinkActionHasAKeyAndTypedLettersFindLinks) {
    EXPECT_EQ(run([&](HWND window) {
        add_three_links();
        auto type = [&](const std::string& letters) {
            for (char c : letters) SendMessageW(window, WM_CHAR, to_wide(std::string(1, c))[0], 1);
        };
        // Nothing selected: the menu keys open the desktop's own menu (the
        // languages), Alt+Enter does nothing.
        send_key(window, WM_KEYDOWN, VK_APPS, true);
        send_key(window, WM_SYSKEYDOWN, VK_F10, false, false, /*shift=*/true);
        send_key(window, WM_SYSKEYDOWN, VK_RETURN, false, /*alt=*/true);
        SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
        ASSERT_EQ(seams().menus.size(), 3u);
        for (const auto& menu : seams().menus) EXPECT_EQ(menu.items.size(), kLanguageCount);
        EXPECT_EQ(main_window_data(window)->properties_window, nullptr);
        seams().menus.clear();

        type(std::string(1, kSmallKa));  // "к": "Календарь", letter case aside
        EXPECT_TRUE(state().links.at(1)->selected);
        type("a");  // "кa" (a Latin a): nothing begins so; the selection stays
        EXPECT_TRUE(state().links.at(1)->selected);
        Sleep(kTypeToFindPause + 100);
        type("ap");
        EXPECT_TRUE(state().links.at(2)->selected);

        // The Menu key and Shift+F10: the menu at the link, once per press.
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        const Link& app = *state().links.at(2);
        const POINT middle{origin.x + 5 + app.x + kHitSize / 2, origin.y + state().header_height + 5 + kHitSize / 2};
        send_key(window, WM_KEYDOWN, VK_APPS, true);
        send_key(window, WM_KEYUP, VK_APPS, true);
        send_key(window, WM_SYSKEYDOWN, VK_F10, false, false, true);
        send_key(window, WM_SYSKEYUP, VK_F10, false, false, true);
        SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
        ASSERT_EQ(seams().menus.size(), 3u);
        for (const auto& menu : seams().menus) {
            EXPECT_EQ(menu.at.x, middle.x);
            EXPECT_EQ(menu.at.y, middle.y);
            EXPECT_EQ(menu.items.size(), 4u);
        }
        // F10 alone is not Shift+F10; a right click's own WM_CONTEXTMENU adds nothing.
        send_key(window, WM_SYSKEYDOWN, VK_F10, false);
        SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(50, 60));
        EXPECT_EQ(seams().menus.size(), 3u);

        // Alt+Enter: the properties of the selected link; Enter still opens it.
        send_key(window, WM_SYSKEYDOWN, VK_RETURN, false, true);
        MainWindow& data = *main_window_data(window);
        ASSERT_NE(data.properties_window, nullptr);
        EXPECT_TRUE(IsWindowVisible(data.properties_window));
        EXPECT_EQ(data.edited_link, &app);
        ShowWindow(data.properties_window, SW_HIDE);
        send_key(window, WM_KEYDOWN, VK_RETURN, false);
        ASSERT_EQ(seams().opened.size(), 1u);
        EXPECT_EQ(seams().opened[0].path, "E:\\Tools\\app.exe");
    }), 0);
}

TEST_F(ScreenReader, AnObjectHeldAfterTheWindowIsGoneAnswersThatItIsGone) {
    IAccessible* object = nullptr;
    EXPECT_EQ(run([&](HWND window) {
        add_three_links();
        object = object_of(window);
    }), 0);
    ASSERT_NE(object, nullptr);
    // The window and its data are gone; the client still holds the object.
    program_.reset();
    LONG count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(child(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
    LONG x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(object->accLocation(&x, &y, &cx, &cy, child(1)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(child(1)), CO_E_OBJNOTCONNECTED);
    IUnknown* unknown = nullptr;
    EXPECT_EQ(object->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(unknown->Release(), 1u) << "the test's reference is the last";
    EXPECT_EQ(object->Release(), 0u);
}

}  // namespace
}  // namespace qb
