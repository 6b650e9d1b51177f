// A start with icons.dat shows exactly the pictures a start without it
// looks up, without reading the programs it links to; a program changed
// on the drive or a type associated anew on this machine shows its new
// picture at the next start.
#include <gtest/gtest.h>

#include <cstring>
#include <cstdio>
#include <functional>

#include "common/file_io_win.h"
#include "links/icon_cache_win.h"
#include "links/link_images_win.h"
#include "links/settings_codec.h"
#include "links/settings_file_win.h"
#include "links/picture_lookup_win.h"
#include "mainwindow/arriving_pictures_win.h"
#include "mainwindow/keys.h"
#include "mainwindow/program_state_win.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

// The class of .qbcached documents: its icon is fixed, so they share it.
void set_class_icon(const char* icon) {
    HKEY key = nullptr;
    for (const auto& [path, value] : {std::pair{".qbcached", "QbTest.Cached"}, std::pair{"QbTest.Cached\\DefaultIcon", icon}}) {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        UniqueRegistryKey owner(key);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
    }
}

// What one link shows.
struct Shown {
    std::vector<Color> pixels;
    Color transparent;
    int width;
    int height;
    std::string image_path;
    bool operator==(const Shown&) const = default;
};

class IconCacheStart : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "iconcache");
        install_themes(folder_);
        set_class_icon("%SystemRoot%\\system32\\shell32.dll,3");
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        windows_ = windows;
        copy(test_program_folder() + "\\sample_tool.exe", "tool1.exe");
        copy(test_program_folder() + "\\sample_tool.exe", "tool2.exe");
        copy(windows_ + "\\notepad.exe", "notepad.exe");
        copy(std::string(system) + "\\control.exe", "noicon.exe");
        copy(folder_ + "\\Data\\MAINTHEME\\DefaultProgram.bmp", "custom.bmp");
        for (const char* name : {"a.txt", "b.txt", "c.ini", "d.qbunknown", "e.qbcached", "f.qbcached"}) {
            write_text(path(name), name);
        }
        CreateDirectoryA(path("Sub").c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* key : {".qbcached", "QbTest.Cached\\DefaultIcon", "QbTest.Cached"}) {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
        }
    }
    void copy(const std::string& from, const char* name) {
        ASSERT_TRUE(CopyFileA(from.c_str(), path(name).c_str(), FALSE)) << from;
    }
    std::string path(const char* name) const { return folder_ + "\\" + name; }

    // data.qb linking to the names, a cell apart in one row, so that in the
    // window of 400 x 300 the eighth and later are out of the first view;
    // "custom.bmp" is the custom picture of a link to tool1.exe.
    void link_to(const std::vector<const char*>& names) {
        std::vector<StoredLink> links;
        for (const char* name : names) {
            StoredLink link;
            link.root_relative = true;
            link.x = kCellSize * static_cast<int>(links.size());
            const bool custom = std::strcmp(name, "custom.bmp") == 0;
            link.target.text = folder_.substr(3) + "\\" + (custom ? "tool1.exe" : name);
            link.caption.text = name;
            if (custom) {
                link.custom_image = true;
                link.image_path.text = path(name);
            }
            links.push_back(link);
        }
        write_bytes(path("data.qb"), settings_with_links(links, 400, 300));
    }

    // A start's pictures: with the cache, as the program starts (and the
    // cache it would write, saved as the program saves it), or without.
    std::vector<Shown> start(bool with_cache, std::optional<IconCache>* written = nullptr) {
        RecordingSeams seams;
        ProgramState program(nullptr, seams);
        program.location = location_in(folder_);
        std::optional<IconCache> cache;
        load_settings(program.location, seams, kRussian, nullptr, program.settings, program.links, program.links_loaded,
                      with_cache ? &cache : nullptr);
        if (cache) {
            EXPECT_TRUE(write_icon_cache(program.location, *cache));
        }
        if (written) *written = std::move(cache);
        std::vector<Shown> shown;
        for (const Link& link : program.links) {
            EXPECT_TRUE(link.image) << *link.caption;
            EXPECT_NE(link_picture_masks(link), nullptr) << *link.caption << ": made with its masks";
            shown.push_back({link.image ? bitmap_pixels(static_cast<HBITMAP>(link.image.get())) : std::vector<Color>{},
                             link.transparent_color, link.image_width, link.image_height,
                             link.image_path.value_or("")});
        }
        return shown;
    }
    std::string folder_;
    std::string windows_;
};

TEST_F(IconCacheStart, AWarmStartShowsWhatAColdOneLookedUp) {
    const std::vector<const char*> names = {"tool1.exe", "tool2.exe", "notepad.exe", "noicon.exe", "a.txt",
                                            "b.txt",     "c.ini",     "d.qbunknown", "e.qbcached", "f.qbcached",
                                            "Sub",       "gone.exe",  "custom.bmp"};
    link_to(names);
    const std::vector<Shown> today = start(false);
    std::optional<IconCache> written;
    const std::vector<Shown> cold = start(true, &written);
    ASSERT_TRUE(written) << "a first start writes the cache";
    // tool1 and tool2 are one picture; .txt, .ini, .qbunknown, .qbcached
    // and the folder one each; the missing program and the custom picture
    // are bitmap files, not icons; a program without an icon of its own
    // shows this PC's picture for programs, looked up every time.
    EXPECT_EQ(written->entry_count(), 8u);
    EXPECT_LT(written->picture_count(), written->entry_count()) << "equal pictures once";
    EXPECT_TRUE(regular_file_exists(icon_cache_path(location_in(folder_))));

    std::optional<IconCache> rewritten;
    const std::vector<Shown> warm = start(true, &rewritten);
    EXPECT_FALSE(rewritten) << "nothing changed: nothing to write";
    ASSERT_EQ(today.size(), names.size());
    ASSERT_EQ(cold.size(), names.size());
    ASSERT_EQ(warm.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(cold[i] == today[i]) << names[i];
        EXPECT_TRUE(warm[i] == today[i]) << names[i];
    }

    // A link gone from data.qb takes its entry with it at the next start.
    link_to({"tool1.exe", "a.txt"});
    start(true, &rewritten);
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(rewritten->entry_count(), 2u);
    // A cache that is not one is looked past, and replaced.
    write_text(icon_cache_path(location_in(folder_)), "BM not a cache at all");
    const std::vector<Shown> after_foreign = start(true, &rewritten);
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(rewritten->entry_count(), 2u);
    ASSERT_EQ(after_foreign.size(), 2u);
    EXPECT_TRUE(after_foreign[0] == today[0]);
    EXPECT_TRUE(after_foreign[1] == today[4]);
}

TEST_F(IconCacheStart, AWarmStartReadsNoProgramAndAChangeShowsItsNewPicture) {
    link_to({"tool1.exe", "notepad.exe", "e.qbcached"});
    const std::vector<Shown> cold = start(true);

    {
        // The programs stay listed, but nothing can open them.
        UniqueFile tool(CreateFileW(system_path(path("tool1.exe")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
        UniqueFile notepad(CreateFileW(system_path(path("notepad.exe")).c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(tool && notepad);
        const std::vector<Shown> without_cache = start(false);
        ASSERT_NE(without_cache[0].pixels, cold[0].pixels) << "a lookup now cannot read the program";
        ASSERT_NE(without_cache[1].pixels, cold[1].pixels);
        std::optional<IconCache> rewritten;
        const std::vector<Shown> warm = start(true, &rewritten);
        ASSERT_EQ(warm.size(), 3u);
        EXPECT_TRUE(warm[0] == cold[0]) << "the program's own icon";
        EXPECT_TRUE(warm[1] == cold[1]);
        EXPECT_FALSE(rewritten);
    }

    // Changes on the drive and on this machine, each against the pictures
    // a start without the cache shows now.
    struct Case {
        const char* what;
        std::function<void()> change;
        int link;
        bool new_picture;
    };
    const Case cases[] = {
        {"a program updated", [&] { copy(windows_ + "\\regedit.exe", "tool1.exe"); }, 0, true},
        {"a program only written again",
         [&] {
             UniqueFile file(CreateFileW(system_path(path("notepad.exe")).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
             FILETIME time{};
             GetSystemTimeAsFileTime(&time);
             ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
         },
         1, false},
        {"a type associated anew", [&] { set_class_icon((windows_ + "\\regedit.exe,0").c_str()); }, 2, true},
    };
    std::vector<Shown> before = cold;
    for (const Case& c : cases) {
        c.change();
        std::optional<IconCache> rewritten;
        const std::vector<Shown> after = start(true, &rewritten);
        ASSERT_EQ(after.size(), 3u);
        EXPECT_TRUE(rewritten) << c.what << ": looked up, so written";
        EXPECT_TRUE(after == start(false)) << c.what;
        EXPECT_EQ(after[c.link].pixels != before[c.link].pixels, c.new_picture) << c.what;
        before = after;
        // And the next start finds the new picture in the cache.
        const std::vector<Shown> warm = start(true, &rewritten);
        EXPECT_FALSE(rewritten) << c.what;
        EXPECT_TRUE(warm == after) << c.what;
    }
}

TEST_F(IconCacheStart, ShortcutsAndTheDrivesPictureAreNeverCachedAndOtherPCsStayWarm) {
    // A shortcut shows its target's picture: nothing of its own file may key it.
    copy(path("tool1.exe"), "app.lnk");
    write_text(path("site.url"), "[InternetShortcut]\r\nURL=http://example.invalid/\r\n");
    link_to({"app.lnk", "site.url", "a.txt"});
    std::optional<IconCache> written;
    start(true, &written);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->entry_count(), 1u) << "only the document's picture is kept";

    // The drive's own picture is the icon file its autorun.inf names (a
    // theme switch changes it): never cached. A folder's is.
    const std::string root = std::string(kTestDrive) + "\\";
    IconCacheRun run(location_in(folder_));
    SharedPictures shared;
    shared.cache = &run;
    shared.drive_root = root;
    EXPECT_EQ(shared.picture_key(root, ""), "");
    EXPECT_EQ(shared.picture_key(kTestDrive, ""), "");
    EXPECT_NE(shared.picture_key(path("Sub"), ""), "");

    // Another PC's entries outlive a start here, which then writes nothing.
    IconCache both = *written;
    const std::string laptop = type_picture_key(machine_key("LAPTOP", "guid-2", "6.1", 32, 32), ".txt", {});
    ASSERT_TRUE(both.put(laptop, std::vector<std::uint8_t>(kCachedPictureBytes, 7)));
    ASSERT_TRUE(write_icon_cache(location_in(folder_), both));
    std::optional<IconCache> rewritten;
    start(true, &rewritten);
    EXPECT_FALSE(rewritten) << "nothing of this PC changed";
    link_to({"a.txt", "c.ini"});
    start(true, &rewritten);
    ASSERT_TRUE(rewritten) << "the .ini picture was looked up";
    EXPECT_NE(rewritten->find(laptop), nullptr) << "the laptop's picture stays warm";
    EXPECT_EQ(rewritten->keys().back(), laptop) << "after this PC's";
}

TEST_F(IconCacheStart, OnAnotherPcProgramsStartWarmAndDocumentsAreLookedUpAgain) {
    // A hundred links, a quarter of them programs with icons of their own.
    std::vector<std::string> files;
    std::vector<std::string> programs;
    const char* const document_types[] = {".txt", ".ini", ".qbcached"};
    for (int i = 0; i < 100; ++i) {
        char name[16];
        if (i % 4 == 0) {
            std::snprintf(name, sizeof name, "p%02d.exe", i);
            copy(i % 8 == 0 ? path("tool1.exe") : path("notepad.exe"), name);
            programs.push_back(name);
        } else {
            std::snprintf(name, sizeof name, "d%02d%s", i, document_types[i % 3]);
            write_text(path(name), name);
        }
        files.push_back(name);
    }
    std::vector<const char*> names;
    for (const std::string& file : files) names.push_back(file.c_str());
    link_to(names);
    const std::vector<Shown> cold = start(true);
    const MachineGuidKeeper home;
    ASSERT_TRUE(set_machine_guid(L"qb-another-pc"));
    std::optional<IconCache> rewritten;
    std::vector<Shown> elsewhere;
    {
        // The programs stay listed, but nothing can open them.
        std::vector<UniqueFile> held;
        for (const std::string& program : programs) {
            held.emplace_back(CreateFileW(system_path(path(program.c_str())).c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.back()) << program;
        }
        elsewhere = start(true, &rewritten);
    }
    ASSERT_EQ(elsewhere.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_TRUE(elsewhere[i] == cold[i]) << files[i] << ": programs from the cache, documents looked up here";
    }
    ASSERT_TRUE(rewritten) << "the documents' pictures are this PC's own";
    EXPECT_EQ(rewritten->entry_count(), programs.size() + 2 * std::size(document_types))
        << "each program, and each document type of each PC";
}

// What a real start shows once every picture is in, and how many links
// waited for theirs when the window first showed.
struct ShownAfterStart {
    int waiting_at_first = -1;
    std::vector<Shown> shown;
};

TEST_F(IconCacheStart, TheWindowShowsFirstAndEveryPictureThatArrivesIsTodays) {
    const std::vector<const char*> names = {"tool1.exe", "notepad.exe", "noicon.exe", "a.txt", "b.txt",
                                            "c.ini",     "d.qbunknown", "Sub",        "gone.exe"};
    link_to(names);
    const std::vector<Shown> today = start(false);
    auto real_start = [&] {
        ShownAfterStart result;
        TestProgram program(folder_);
        program.wait_for_pictures = false;
        EXPECT_EQ(program.run([&](HWND window) {
            // Each link that waited was given a request number at start.
            result.waiting_at_first = static_cast<int>(program.state.pictures.last_request);
            // Other processes see from the window whether pictures are still to come.
            EXPECT_EQ(GetPropW(window, kPicturesToComeProperty) != nullptr, program.state.pictures.outstanding > 0);
            EXPECT_TRUE(pump_messages_until([&] { return program.state.pictures.outstanding == 0; }, 15000));
            EXPECT_EQ(GetPropW(window, kPicturesToComeProperty), nullptr) << "every picture is in";
            for (const Link& link : program.state.links) {
                EXPECT_EQ(link.picture_request, 0u) << *link.caption;
                result.shown.push_back({link.image ? bitmap_pixels(static_cast<HBITMAP>(link.image.get()))
                                                   : std::vector<Color>{},
                                        link.transparent_color, link.image_width, link.image_height,
                                        link.image_path.value_or("")});
            }
            press_key(window, VK_ESCAPE);
        }), 0);
        return result;
    };
    const MachineGuidKeeper home;
    struct Case {
        const char* what;
        std::function<void()> before;
        int waiting;  // links shown without their picture at first
        bool cache_kept = false;  // icons.dat is not written
    };
    const Case cases[] = {
        {"cold", [&] { DeleteFileW(system_path(icon_cache_path(location_in(folder_))).c_str()); }, 8},
        // The program without an icon of its own shows this PC's picture for
        // programs: looked up every time. The folder, out of the first
        // view, is taken from the cache after it: its entry stays used.
        {"warm", [] {}, 1, true},
        // Programs' own icons stay warm; the documents and the folder,
        // whose pictures are this PC's, are looked up.
        {"new PC", [&] { ASSERT_TRUE(set_machine_guid(L"qb-new-pc")); }, 6},
    };
    const std::string cache_file = icon_cache_path(location_in(folder_));
    for (const Case& c : cases) {
        c.before();
        const std::vector<std::uint8_t> cache_before = read_bytes(cache_file);
        const ShownAfterStart after = real_start();
        if (c.cache_kept) {
            EXPECT_EQ(read_bytes(cache_file), cache_before) << c.what;
        }
        EXPECT_EQ(after.waiting_at_first, c.waiting) << c.what;
        ASSERT_EQ(after.shown.size(), today.size()) << c.what;
        for (std::size_t i = 0; i < today.size(); ++i) EXPECT_TRUE(after.shown[i] == today[i]) << c.what << ": " << names[i];
    }
}

TEST_F(IconCacheStart, ALookUpThatBlocksNeitherHoldsTheExitNorLandsOnAnotherLink) {
    link_to({"a.txt", "c.ini", "tool2.exe"});
    const std::vector<Shown> today = start(false);
    DeleteFileW(system_path(icon_cache_path(location_in(folder_))).c_str());
    // Each look-up waits for the test, as one on a share that never answers
    // would; the events live as long as a worker that may outlast a run,
    // and the test waits for the last look-up to end before it goes.
    struct Events {
        UniqueKernelHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        UniqueKernelHandle idle{CreateEventW(nullptr, TRUE, TRUE, nullptr)};
    };
    const auto events = std::make_shared<Events>();
    ASSERT_TRUE(events->release && events->idle);
    HANDLE release = events->release.get();
    auto waiting_look_up = [events](const IconLookup& lookup) {
        ResetEvent(events->idle.get());
        WaitForSingleObject(events->release.get(), 10000);
        FoundPicture found;
        found.pixels = look_up_icon_pixels(lookup.path, lookup.files_first);
        SetEvent(events->idle.get());
        return found;
    };

    // A link deleted while its picture is on the way: the picture goes to
    // no other link; the others get their own.
    {
        TestProgram program(folder_);
        program.wait_for_pictures = false;
        program.state.look_up_picture = waiting_look_up;
        program.seams.answer = IDYES;
        std::vector<Shown> shown;
        EXPECT_EQ(program.run([&](HWND window) {
            ASSERT_EQ(program.state.links.count(), 3);
            EXPECT_FALSE(program.state.links.at(0)->image) << "no picture yet";
            program.state.links.select_only(program.state.links.at(0));
            SendMessageW(window, WM_COMMAND, CMD_DELETE, 0);
            ASSERT_EQ(program.state.links.count(), 2);
            SetEvent(release);
            EXPECT_TRUE(pump_messages_until([&] { return program.state.pictures.outstanding == 0; }, 15000));
            for (const Link& link : program.state.links) {
                shown.push_back({link.image ? bitmap_pixels(static_cast<HBITMAP>(link.image.get()))
                                            : std::vector<Color>{},
                                 link.transparent_color, link.image_width, link.image_height,
                                 link.image_path.value_or("")});
            }
            press_key(window, VK_ESCAPE);
        }), 0);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_TRUE(shown[0] == today[1]) << "the .ini link shows its own picture";
        EXPECT_TRUE(shown[1] == today[2]) << "the program shows its own";
    }

    // Escape while a look-up blocks: the run ends at once, and icons.dat
    // stays a whole cache.
    ResetEvent(release);
    DeleteFileW(system_path(icon_cache_path(location_in(folder_))).c_str());
    link_to({"a.txt", "c.ini"});
    TestProgram program(folder_);
    program.wait_for_pictures = false;
    program.state.look_up_picture = waiting_look_up;
    DWORD escaped = 0;
    EXPECT_EQ(program.run([&](HWND window) {
        EXPECT_EQ(program.state.pictures.outstanding, 2u);
        escaped = GetTickCount();
        press_key(window, VK_ESCAPE);
    }), 0);
    const DWORD ended = GetTickCount() - escaped;
    SetEvent(release);  // the worker may finish, and ends
    EXPECT_EQ(WaitForSingleObject(events->idle.get(), 10000), WAIT_OBJECT_0) << "the worker's last look-up ended";
    EXPECT_LT(ended, 1000u) << "the run ended " << ended << " ms after Escape";
    std::printf("the run ended %lu ms after Escape\n", static_cast<unsigned long>(ended));
    const std::string cache = icon_cache_path(location_in(folder_));
    if (regular_file_exists(cache)) {
        EXPECT_TRUE(IconCache::decode(read_bytes(cache))) << "a whole cache";
    }
}

}  // namespace
}  // namespace qb
