// The program in Russian and in English: the desktop's own menu switches
// every open window at once and keeps the choice on the stick for the next
// start; in either language no text is clipped by its control; Russian
// comes back pixel for pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/wide_text_win.h"
#include "links/language_file_win.h"
#include "mainwindow/main_window_data_win.h"
#include "mainwindow/properties_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "options/options_pages.h"
#include "options/options_test_support_win.h"
#include "render/gdi_helpers_win.h"
#include "render/hint_text.h"
#include "render/window_areas.h"
#include "support/link_drive_win.h"
#include "support/window_capture_win.h"

namespace qb::test {
namespace {

std::string narrow(const std::wstring& text) { return to_1251(text).value_or("?"); }

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The size `text` takes in `control`'s font: one line, or wrapped to
// `wrap_width` as a label wraps it.
SIZE text_size(HWND control, const std::wstring& text, int wrap_width = 0) {
    WindowDc dc(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    SelectGuard select(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, wrap_width, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &r,
              DT_CALCRECT | DT_NOPREFIX | (wrap_width > 0 ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE));
    return {r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK add_child(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// What one text needs and has: a check box's text beside its box, a
// button's inside its face, a label's (wrapped as it wraps) inside its
// rectangle, a list's or drop-down list's item inside the list.
struct TextRoom {
    std::string text;
    SIZE needed{};
    SIZE room{};
    bool fits() const { return needed.cx <= room.cx && needed.cy <= room.cy; }
};

// The texts of `window`'s controls, by control identifier and item.
std::map<std::pair<int, int>, TextRoom> text_rooms(HWND window) {
    std::map<std::pair<int, int>, TextRoom> rooms;
    std::vector<HWND> children;
    EnumChildWindows(window, add_child, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        RECT client{};
        GetClientRect(child, &client);
        const std::wstring kind = class_of(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const std::wstring text = window_text_wide(child);
        const int id = GetDlgCtrlID(child);
        if (_wcsicmp(kind.c_str(), L"Button") == 0 && !text.empty()) {
            const LONG type = style & BS_TYPEMASK;
            const SIZE size = text_size(child, text);
            if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
                rooms[{id, 0}] = {narrow(text), size, {client.right - 17, client.bottom}};
            } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
                rooms[{id, 0}] = {narrow(text), size, {client.right - 4, client.bottom}};
            }
        } else if (_wcsicmp(kind.c_str(), L"Static") == 0 && !text.empty() && (style & SS_TYPEMASK) == SS_LEFT) {
            rooms[{id, 0}] = {narrow(text), text_size(child, text, client.right), {client.right, client.bottom}};
        } else if (_wcsicmp(kind.c_str(), L"ListBox") == 0 || _wcsicmp(kind.c_str(), L"ComboBox") == 0) {
            const bool list = _wcsicmp(kind.c_str(), L"ListBox") == 0;
            const int room = list ? client.right - 4 : client.right - GetSystemMetrics(SM_CXVSCROLL) - 6;
            const LRESULT count = SendMessageW(child, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                wchar_t item[260] = {};
                if (SendMessageW(child, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i, 0) >= 260) continue;
                SendMessageW(child, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                rooms[{id, static_cast<int>(i) + 1}] = {narrow(item), text_size(child, item), {room, 1000}};
            }
        }
    }
    return rooms;
}

// The English texts that neither fit nor keep within what the Russian
// one, which the windows were laid out for, takes.
std::vector<std::string> english_overflows(const std::map<std::pair<int, int>, TextRoom>& russian,
                                           const std::map<std::pair<int, int>, TextRoom>& english) {
    std::vector<std::string> overflows;
    for (const auto& [key, room] : english) {
        const auto before = russian.find(key);
        const bool within_russian = before != russian.end() && room.needed.cx <= before->second.needed.cx &&
                                    room.needed.cy <= before->second.needed.cy;
        if (!room.fits() && !within_russian) {
            overflows.push_back(room.text + " needs " + std::to_string(room.needed.cx) + " x " +
                                std::to_string(room.needed.cy) + ", has " + std::to_string(room.room.cx) + " x " +
                                std::to_string(room.room.cy));
        }
    }
    return overflows;
}

std::vector<std::string> window_texts(HWND window) {
    std::vector<std::string> texts{narrow(window_text_wide(window))};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(narrow(window_text_wide(child)));
    }
    return texts;
}

// A top-level window as the screen shows it, controls and all, brought to
// the top and painted first (to look at, not compared).
WindowPixels screen_pixels(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump_messages_until([] { return false; }, 200);
    RECT placed{};
    GetWindowRect(window, &placed);
    WindowPixels shot{placed.right - placed.left, placed.bottom - placed.top, {}};
    Canvas canvas(shot.width, shot.height);
    WindowDc screen(nullptr);
    BitBlt(canvas.dc(), 0, 0, shot.width, shot.height, screen.get(), placed.left, placed.top, SRCCOPY);
    for (Color c : bitmap_pixels(canvas.bitmap())) {
        shot.pixels.push_back((std::uint32_t(red_of(c)) << 16) | (std::uint32_t(green_of(c)) << 8) | blue_of(c));
    }
    return shot;
}

// The widest line of a hint in the balloon's font.
int widest_hint_line(HintKind hint, Language language) {
    WindowDc dc(nullptr);
    UniqueFont font = create_caption_font();
    SelectGuard select(dc.get(), font.get());
    int widest = 0;
    for (const std::string& line : hint_lines(hint_text(hint, language))) {
        widest = std::max<int>(widest, measure_text(dc.get(), line).cx);
    }
    return widest;
}

// Run again on English and Japanese systems, where a fresh stick speaks English.
class InterfaceLanguagesAnyLanguage : public OptionsTest {
protected:
    void choose_language(HWND main, Language language) {
        SendMessageA(main, WM_COMMAND, CMD_FIRST_LANGUAGE + language_index(language), 0);
    }
    std::string choice_file() const { return folder_ + "\\language.ini"; }
};

TEST_F(InterfaceLanguagesAnyLanguage, TheDesktopMenuSwitchesEveryWindowAtOnceAndTheChoiceStays) {
    write_bytes(folder_ + "\\data.qb", settings_with_links(make_link_targets(folder_ + "\\files", 1), 400, 300));
    std::vector<std::string> russian_options, russian_properties;
    EXPECT_EQ(run([&](HWND main) {
        EXPECT_EQ(state().language, kRussian) << "a stick with a data.qb and no choice stays Russian";
        MainWindow& data = *main_window_data(main);
        HWND options = open_options(main);
        show_link_properties(data, main, state().links.at(0));
        HWND properties = data.properties_window;
        ASSERT_TRUE(options && properties);
        choose_page(options, 2);
        data.view.hints.active = HintKind::AddLinks;
        repaint_areas(main, AREA_ALL, state().header_height);
        const WindowPixels russian_desktop = capture_window(main);
        russian_options = window_texts(options);
        russian_properties = window_texts(properties);

        // A right click beside the links offers the languages, by their own names.
        seams().menu_answer = 0;
        SendMessageA(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(380, 250));
        ASSERT_EQ(seams().menus.size(), 1u);
        ASSERT_EQ(seams().menus[0].items.size(), kLanguageCount);
        EXPECT_EQ(seams().menus[0].items[1].text, "English");
        EXPECT_TRUE(seams().menus[0].items[0].checked);
        EXPECT_FALSE(seams().menus[0].items[1].checked);

        choose_language(main, kEnglish);
        EXPECT_EQ(state().language, kEnglish);
        EXPECT_EQ(narrow(window_text_wide(options)), "Options");
        EXPECT_EQ(narrow(window_text_wide(properties)), "Link properties");
        EXPECT_EQ(narrow(window_text_wide(GetDlgItem(options, kOptionsSaveTheme))), "Save theme");
        EXPECT_EQ(SendDlgItemMessageW(options, kOptionsPageList, LB_GETCURSEL, 0, 0), 2) << "the page stays";
        EXPECT_EQ(SendDlgItemMessageW(options, kOptionsFillType, CB_GETCOUNT, 0, 0), 4);
        EXPECT_NE(capture_window(main), russian_desktop) << "the hint speaks English";
        EXPECT_NE(text_of(read_bytes(choice_file())).find("Language=en"), std::string::npos);
        for (HWND window : {options, properties}) {
            for (const std::string& text : window_texts(window)) {
                for (unsigned char c : text) {
                    // Cyrillic letters, Ё and ё, and the Russian quotes «».
                    EXPECT_TRUE(c < 0xC0 && c != 0xA8 && c != 0xB8 && c != 0xAB && c != 0xBB) << "Russian left in " << text;
                }
            }
        }

        choose_language(main, kRussian);
        EXPECT_EQ(window_texts(options), russian_options);
        EXPECT_EQ(window_texts(properties), russian_properties);
        EXPECT_EQ(capture_window(main), russian_desktop) << "Russian comes back pixel for pixel";
        choose_language(main, kEnglish);
    }), 0);

    // The next start speaks the choice.
    TestProgram again(folder_);
    EXPECT_EQ(again.run([&](HWND main) {
        EXPECT_EQ(again.state.language, kEnglish);
        press_key(main, VK_ESCAPE);
    }), 0);
}

TEST_F(InterfaceLanguagesAnyLanguage, NoTextIsClippedInEitherLanguage) {
    write_bytes(folder_ + "\\data.qb", settings_with_links(make_link_targets(folder_ + "\\files", 1), 400, 300));
    const char* dump = std::getenv("QB_PIXEL_DUMP");
    EXPECT_EQ(run([&](HWND main) {
        MainWindow& data = *main_window_data(main);
        HWND options = open_options(main);
        show_link_properties(data, main, state().links.at(0));
        ASSERT_TRUE(options && data.properties_window);
        std::map<std::string, std::map<std::pair<int, int>, TextRoom>> russian;
        for (Language language : {kRussian, kEnglish}) {
            choose_language(main, language);
            const std::string code = language_code(language);
            auto check = [&](HWND window, const std::string& what) {
                const auto rooms = text_rooms(window);
                if (language == kRussian) {
                    russian[what] = rooms;
                } else {
                    EXPECT_EQ(english_overflows(russian[what], rooms), std::vector<std::string>{}) << what;
                }
            };
            for (int page = 0; page < kOptionsPageCount; ++page) {
                choose_page(options, page);
                check(options, "options page " + std::to_string(page));
                if (dump) write_bmp(std::string(dump) + "\\" + code + "-options" + std::to_string(page) + ".bmp",
                                    screen_pixels(options));
            }
            check(data.properties_window, "properties");
            if (dump) {
                write_bmp(std::string(dump) + "\\" + code + "-properties.bmp", screen_pixels(data.properties_window));
                data.view.hints.active = HintKind::AutorunMissing;
                for (int i = 0; i < 3; ++i) state().found_files.add("E:\\Tools\\new" + std::to_string(i) + ".exe");
                repaint_areas(main, AREA_ALL, state().header_height);
                write_bmp(std::string(dump) + "\\" + code + "-desktop.bmp", capture_window(main));
            }
        }
        // The balloon's text runs from x = 10 to its edge at 200.
        for (HintKind hint : {HintKind::AddLinks, HintKind::AutorunMissing, HintKind::AutorunConfig,
                              HintKind::OldThemes}) {
            EXPECT_LE(widest_hint_line(hint, kEnglish), 188);
        }
        // The status strip's count is no wider than the Russian one.
        WindowDc dc(main);
        UniqueFont font = create_caption_font();
        SelectGuard select(dc.get(), font.get());
        EXPECT_LE(measure_text(dc.get(), ui_text(text::kNewProgramsCount, kEnglish)).cx,
                  measure_text(dc.get(), ui_text(text::kNewProgramsCount, kRussian)).cx);
    }), 0);
}

TEST_F(InterfaceLanguagesAnyLanguage, AFreshStickFollowsWindowsAndADamagedChoiceIsNoChoice) {
    // This test prefix's Windows speaks English (or the machine's own
    // language): a stick without data.qb follows it.
    const bool russian_system = [] {
        const WORD primary = PRIMARYLANGID(GetUserDefaultUILanguage());
        return primary == LANG_RUSSIAN || primary == LANG_UKRAINIAN || primary == LANG_BELARUSIAN ||
               primary == LANG_KAZAK;
    }();
    const Language system_language = russian_system ? kRussian : kEnglish;
    struct Case {
        const char* what;
        bool settings;
        std::string choice;  // "-": no file
        Language expected;
        int starts = 1;  // all speak `expected`
    };
    const Case cases[] = {
        // The data.qb the first start creates does not turn the second Russian.
        {"fresh stick", false, "-", system_language, 2},
        {"stick in use", true, "-", kRussian},
        // English named, then a language the program lacks: damaged.
        {"damaged choice, stick in use", true, "Language=en\nLanguage=de\n", kRussian},
        {"oversized choice", true, "Language=en\n" + std::string(5000, 'x'), kRussian},
        {"chosen", true, "language = EN\r\n", kEnglish},
    };
    for (const Case& c : cases) {
        DeleteFileA((folder_ + "\\data.qb").c_str());
        DeleteFileA(choice_file().c_str());
        if (c.settings) write_bytes(folder_ + "\\data.qb", settings_with_links({}, 400, 300));
        if (c.choice != "-") write_text(choice_file(), c.choice);
        for (int start = 0; start < c.starts; ++start) {
            TestProgram program(folder_);
            EXPECT_EQ(program.run([&](HWND main) {
                EXPECT_EQ(program.state.language, c.expected) << c.what << ", start " << start + 1;
                press_key(main, VK_ESCAPE);
            }), 0) << c.what;
        }
    }
}

}  // namespace
}  // namespace qb::test
