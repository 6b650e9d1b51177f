// Links of one document type share one shell icon, asked for once, and
// every link still shows the very picture a lookup of its own file gives;
// programs, folders, names without a type and types the registry gives
// icons per file get their own. Pictures come with their masks and go
// with their last link.
#include <gtest/gtest.h>

#include <cstring>
#include <list>

#include "common/file_io_win.h"
#include "common/system_libraries_win.h"
#include "common/win_handles_win.h"
#include "links/link_images_win.h"
#include "links/settings_codec.h"
#include "links/settings_file_win.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

// The shell's own answer for a file, drawn at 32 x 32 on black as a link's
// icon is: the independent route a picture is checked against.
std::vector<Color> shell_picture(const std::string& file) {
    SHFILEINFOW info{};
    if (!shell_functions() ||
        !shell_functions()->SHGetFileInfoW(system_path(file).c_str(), 0, &info, sizeof info, SHGFI_ICON)) {
        return {};
    }
    UniqueIcon icon(info.hIcon);
    WindowDc screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 32, 32));
    {
        BitmapDc memory(screen.get(), bitmap.get());
        PatBlt(memory.get(), 0, 0, 32, 32, BLACKNESS);
        DrawIconEx(memory.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
    }
    return bitmap_pixels(bitmap.get());
}

// File types of this test, registered for its run and removed after it.
class TestTypes {
public:
    TestTypes() {
        set(".qbown", nullptr, "QbTest.Own");
        set("QbTest.Own\\DefaultIcon", nullptr, "%1");
        set(".qbhandler", nullptr, "QbTest.Handler");
        set("QbTest.Handler\\DefaultIcon", nullptr, "shell32.dll,1");
        set("QbTest.Handler\\ShellEx\\IconHandler", nullptr, "{00021401-0000-0000-C000-000000000046}");
        set(".qbfixed", nullptr, "QbTest.Fixed");
        set("QbTest.Fixed\\DefaultIcon", nullptr, "%SystemRoot%\\system32\\shell32.dll,3");
        set(".qbshortcut", nullptr, "QbTest.Shortcut");
        set("QbTest.Shortcut", "IsShortcut", "");
    }
    ~TestTypes() {
        // Subkeys before their keys.
        for (const char* key : {".qbown", "QbTest.Own\\DefaultIcon", "QbTest.Own", ".qbhandler",
                                "QbTest.Handler\\DefaultIcon", "QbTest.Handler\\ShellEx\\IconHandler",
                                "QbTest.Handler\\ShellEx", "QbTest.Handler", ".qbfixed", "QbTest.Fixed\\DefaultIcon",
                                "QbTest.Fixed", ".qbshortcut", "QbTest.Shortcut"}) {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
        }
    }

private:
    static void set(const char* path, const char* name, const char* value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        UniqueRegistryKey owner(key);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
    }
};

class SharedPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "shared");
        install_themes(folder_);
        default_picture_ = folder_ + "\\Data\\MAINTHEME\\DefaultProgram.bmp";
        for (const char* name : {"a.txt", "b.TXT", "c.ini", "d.ini", "e.pdf", "README", "f.qbown", "g.qbown",
                                 "h.qbhandler", "i.qbhandler", "j.qbfixed", "k.qbfixed", "l.qbshortcut"}) {
            write_text(folder_ + "\\" + name, name);
        }
        for (const char* name : {"tool1.exe", "tool2.exe"}) {
            CopyFileA((test_program_folder() + "\\sample_tool.exe").c_str(), (folder_ + "\\" + name).c_str(), FALSE);
        }
        // Programs with other icons (several sizes and depths), and one
        // with none, which the shell shows with its icon for programs.
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        ASSERT_TRUE(CopyFileA((std::string(windows) + "\\notepad.exe").c_str(), path("notepad.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((std::string(windows) + "\\regedit.exe").c_str(), path("regedit.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((std::string(system) + "\\control.exe").c_str(), path("noicon.exe").c_str(), FALSE));
        CreateDirectoryA((folder_ + "\\Sub.txt").c_str(), nullptr);
    }
    std::string path(const char* name) const { return folder_ + "\\" + name; }

    TestTypes types_;
    std::string folder_;
    std::string default_picture_;
};

TEST_F(SharedPicturesTest, ATypesPictureIsTheOneEachFileWouldGet) {
    const long handles_before = live_handle_count();
    {
        SharedPictures shared;
        std::list<Link> own;
        std::list<Link> via_type;
        for (const char* name : {"a.txt", "b.TXT", "c.ini", "d.ini", "e.pdf", "README", "f.qbown", "g.qbown",
                                 "h.qbhandler", "i.qbhandler", "j.qbfixed", "k.qbfixed", "l.qbshortcut", "tool1.exe",
                                 "tool2.exe", "Sub.txt", "missing.txt", "notepad.exe", "regedit.exe", "noicon.exe"}) {
            Link& alone = own.emplace_back();
            make_icon_image(alone, path(name), nullptr, default_picture_);
            Link& typed = via_type.emplace_back();
            make_icon_image(typed, path(name), nullptr, default_picture_, &shared);
            ASSERT_TRUE(alone.image && typed.image) << name;
            EXPECT_EQ(bitmap_pixels(static_cast<HBITMAP>(typed.image.get())),
                      bitmap_pixels(static_cast<HBITMAP>(alone.image.get())))
                << name;
            EXPECT_EQ(typed.image_width, alone.image_width) << name;
            EXPECT_EQ(typed.image_height, alone.image_height) << name;
            EXPECT_EQ(typed.transparent_color, alone.transparent_color) << name;
            EXPECT_EQ(typed.image_path, alone.image_path) << name;
            EXPECT_NE(link_picture_masks(typed), nullptr) << name << ": made with its masks";
        }
        auto at = [&](int i) -> const Link& { return *std::next(via_type.begin(), i); };
        auto same = [&](int i, int j) { return at(i).image.get() == at(j).image.get(); };
        EXPECT_TRUE(same(0, 1)) << ".txt in any case";
        EXPECT_TRUE(same(2, 3)) << ".ini";
        EXPECT_FALSE(same(0, 2));
        EXPECT_FALSE(same(6, 7)) << "a type whose icon is the file";
        EXPECT_FALSE(same(8, 9)) << "a type with an icon handler";
        EXPECT_TRUE(same(10, 11)) << "a type with a fixed icon";
        EXPECT_FALSE(same(13, 14)) << "programs";
        EXPECT_EQ(shared.icon_type(path("l.qbshortcut")), "") << "a shortcut class";
        EXPECT_EQ(shared.icon_type(path("README")), "");
        EXPECT_EQ(shared.icon_type(path("Sub.txt")), "") << "a folder, whatever its name";
        EXPECT_EQ(shared.icon_type(path("missing.txt")), "");
        EXPECT_EQ(shared.icon_type(path("e.pdf")), ".pdf");
        EXPECT_EQ(shared.icon_type(path("j.qbfixed")), ".qbfixed");
        EXPECT_EQ(shared.icons.size(), 4u) << ".txt, .ini, .pdf, .qbfixed";
        // Programs' icons are taken from their files (the pictures were
        // compared with the shell's above), other types' never.
        EXPECT_TRUE(shared.icon_is_files_first(path("tool1.exe")));
        EXPECT_TRUE(shared.icon_is_files_first(path("noicon.exe"))) << "then the shell's icon for programs";
        EXPECT_TRUE(shared.icon_is_files_first(path("f.qbown"))) << "\"%1\": the file's own, if it has one";
        EXPECT_FALSE(shared.icon_is_files_first(path("a.txt")));
        EXPECT_FALSE(shared.icon_is_files_first(path("h.qbhandler")));
        EXPECT_FALSE(shared.icon_is_files_first(path("l.qbshortcut")));
        EXPECT_FALSE(shared.icon_is_files_first(path("README")));
        EXPECT_FALSE(shared.icon_is_files_first(path("missing.exe")));

        // The picture stays while one link shows it.
        const void* txt = at(0).image.get();
        shared.icons.clear();
        via_type.front().image.reset();
        EXPECT_EQ(at(1).image.get(), txt);
        EXPECT_NE(GetObjectType(const_cast<void*>(txt)), 0u);
    }
    EXPECT_EQ(live_handle_count(), handles_before) << "every picture and mask went with its last link";
}

TEST_F(SharedPicturesTest, TheLinksOfDataQbShareByTypeAndTheDefaultPicture) {
    StoredLink link;
    link.root_relative = true;
    std::vector<StoredLink> links;
    for (const char* name : {"a.txt", "b.TXT", "tool1.exe", "tool2.exe", "gone.txt", "gone.ini", "c.ini"}) {
        link.target.text = folder_.substr(3) + "\\" + name;
        link.caption.text = name;
        links.push_back(link);
    }
    write_bytes(folder_ + "\\data.qb", settings_with_links(links, 400, 300));
    RecordingSeams seams;
    ProgramState program(nullptr, seams);
    program.location = location_in(folder_);
    load_settings(program.location, seams, kRussian, nullptr, program.settings, program.links, program.links_loaded);
    ASSERT_EQ(program.links.count(), 7);
    auto image = [&](int i) { return program.links.at(i)->image.get(); };
    EXPECT_EQ(image(0), image(1));
    EXPECT_NE(image(2), image(3));
    EXPECT_NE(image(0), image(6));
    EXPECT_EQ(image(4), image(5)) << "the theme's default picture, loaded once";
    EXPECT_EQ(program.links.at(4)->image_path, default_picture_);
    EXPECT_EQ(program.links.at(4)->transparent_color, kMagenta);
    for (const Link& loaded : program.links) {
        EXPECT_NE(link_picture_masks(loaded), nullptr) << *loaded.caption;
    }
}

// Pictures of links whose paths or registered types are in other scripts,
// the same on a system of any language.
class LinkPicturesAnyLanguage : public SharedPicturesTest {
protected:
    void SetUp() override {
        SharedPicturesTest::SetUp();
        const std::wstring folder = system_path(folder_);
        ASSERT_TRUE(CreateDirectoryW((folder + L"\\Программы").c_str(), nullptr));
        ASSERT_TRUE(CopyFileW(system_path(test_program_folder() + "\\sample_tool.exe").c_str(),
                              (folder + L"\\Программы\\Метка.exe").c_str(), FALSE));
        // A class named in another script, whose icon is the file's own;
        // and a type whose icon is in a folder code page 1251 cannot name.
        set(L".qbforeign", L"QbTest.日本");
        set(L"QbTest.日本\\DefaultIcon", L"%1");
        set(L".qbelsewhere", L"QbTest.Elsewhere");
        set(L"QbTest.Elsewhere\\DefaultIcon", L"C:\\日本語\\icons.dll,0");
        write_text(path("m.qbforeign"), "m");
        write_text(path("n.qbelsewhere"), "n");
    }
    void TearDown() override {
        for (const wchar_t* key : {L".qbforeign", L"QbTest.日本\\DefaultIcon", L"QbTest.日本", L".qbelsewhere",
                                   L"QbTest.Elsewhere\\DefaultIcon", L"QbTest.Elsewhere"}) {
            RegDeleteKeyW(HKEY_CLASSES_ROOT, key);
        }
    }
    static void set(const wchar_t* path, const wchar_t* value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        UniqueRegistryKey owner(key);
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    // Программы, Программы\Метка.exe in code page 1251.
    static constexpr const char* kCyrillicFolder = "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xfb";
    static constexpr const char* kCyrillicProgram =
        "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xfb\\\xcc\xe5\xf2\xea\xe0.exe";
};

TEST_F(LinkPicturesAnyLanguage, ALinkIntoACyrillicFolderShowsWhatAnyOtherWould) {
    // Each path next to one whose picture is known to be right.
    const std::pair<const char*, const char*> cases[] = {
        {kCyrillicProgram, "tool1.exe"},       // the program's own icon
        {kCyrillicFolder, "Sub.txt"},          // a folder's
        {"m.qbforeign", "m.qbforeign"},        // followed to its class, asked for each file
        {"n.qbelsewhere", "n.qbelsewhere"},
    };
    SharedPictures shared;
    for (const auto& [name, like] : cases) {
        Link expected;
        make_icon_image(expected, path(like), nullptr, default_picture_);
        // A file alike in everything but its name, or else the shell's own answer.
        const std::vector<Color> wanted = std::strcmp(name, like) == 0
                                              ? shell_picture(path(name))
                                              : bitmap_pixels(static_cast<HBITMAP>(expected.image.get()));
        for (SharedPictures* sharing : {static_cast<SharedPictures*>(nullptr), &shared}) {
            Link link;
            make_icon_image(link, path(name), nullptr, default_picture_, sharing);
            ASSERT_TRUE(link.image) << name;
            EXPECT_EQ(link.transparent_color, kBlack) << name << ": an icon, not the default picture";
            EXPECT_FALSE(link.image_path) << name;
            EXPECT_EQ(bitmap_pixels(static_cast<HBITMAP>(link.image.get())), wanted) << name;
        }
    }
    EXPECT_TRUE(shared.icon_is_files_first(path(kCyrillicProgram)));
    EXPECT_TRUE(shared.icon_is_files_first(path("m.qbforeign"))) << "\"%1\" of a class in another script";
    EXPECT_EQ(shared.icon_type(path("n.qbelsewhere")), "") << "an icon 1251 cannot name: the shell's, per file";
    EXPECT_FALSE(shared.icon_is_files_first(path("n.qbelsewhere")));

    // The same from data.qb, whose targets are relative to the drive root.
    StoredLink link;
    link.root_relative = true;
    link.target.text = folder_.substr(3) + "\\" + kCyrillicProgram;
    link.caption.text = "tool";
    write_bytes(folder_ + "\\data.qb", settings_with_links({link}, 400, 300));
    RecordingSeams seams;
    ProgramState program(nullptr, seams);
    program.location = location_in(folder_);
    load_settings(program.location, seams, kRussian, nullptr, program.settings, program.links, program.links_loaded);
    ASSERT_EQ(program.links.count(), 1);
    Link expected;
    make_icon_image(expected, path("tool1.exe"), nullptr, default_picture_);
    ASSERT_TRUE(program.links.at(0)->image);
    EXPECT_EQ(bitmap_pixels(static_cast<HBITMAP>(program.links.at(0)->image.get())),
              bitmap_pixels(static_cast<HBITMAP>(expected.image.get())));
}

}  // namespace
}  // namespace qb
