// Saving soon after changes, on the real main window of a program running
// in this process: its own timer, real drops and resizes, real files.
#include <gtest/gtest.h>

#include "common/file_io_win.h"
#include "links/icon_cache_win.h"
#include "links/settings_codec.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/saving_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

class Saving : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "saving");
        install_themes(folder_);
        write_text(folder_ + "\\a.txt", "a");
        write_text(folder_ + "\\b.txt", "b");
        StoredSettings stored;
        stored.window_width = 400;
        stored.window_height = 300;
        stored.theme_name.text = "\\MAINTHEME";
        stored.options = {false, false, false, false, false};  // no hints, no search: a quiet program
        write_bytes(data_qb(), encode_settings(stored));
        set_old_modification_time(data_qb());
    }
    std::string data_qb() const { return folder_ + "\\data.qb"; }

    bool written_since(const FILETIME& before) const {
        const FILETIME now = modification_time(data_qb());
        return CompareFileTime(&now, &before) != 0;
    }

    std::string folder_;
};

TEST_F(Saving, ChangesAreSavedSoonAfterTheLastOneAndNothingIsWrittenWithoutThem) {
    TestProgram program(folder_);
    FILETIME last_save{};
    const int code = program.run([&](HWND window) {
        const FILETIME start = modification_time(data_qb());
        // A drop, then another a second later: the save waits for the
        // second, and then writes both.
        drop_files(window, {folder_ + "\\a.txt"}, {100, 100});
        EXPECT_FALSE(pump_messages_until([&] { return written_since(start); }, 1000)) << "not at once";
        drop_files(window, {folder_ + "\\b.txt"}, {200, 100});
        const DWORD second_drop = GetTickCount();
        EXPECT_TRUE(pump_messages_until([&] { return written_since(start); }, 10000)) << "saved soon";
        const DWORD waited = GetTickCount() - second_drop;
        EXPECT_GE(waited, kSaveDelay - 100) << "only once the changes have stopped";
        const StoredSettings saved = decode_settings(read_bytes(data_qb()));
        ASSERT_EQ(saved.links.size(), 2u);
        EXPECT_EQ(saved.links[1].caption.text, "b.txt");
        EXPECT_FALSE(file_exists(data_qb() + ".new")) << "the save replaced the file whole";
        EXPECT_FALSE(program.state.changes.links_changed);

        // Nothing changes: nothing is written, however long it runs.
        set_old_modification_time(data_qb());
        const FILETIME quiet = modification_time(data_qb());
        EXPECT_FALSE(pump_messages_until([&] { return written_since(quiet); }, kSaveDelay + 1500));

        // A resized window is a change of its own.
        SetWindowPos(window, nullptr, 0, 0, 450, 320, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(pump_messages_until([&] { return written_since(quiet); }, 10000));
        EXPECT_EQ(decode_settings(read_bytes(data_qb())).window_width, 450);
        set_old_modification_time(data_qb());
        last_save = modification_time(data_qb());
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(written_since(last_save)) << "everything was saved already: the exit writes nothing";
    EXPECT_TRUE(program.seams.boxes.empty());
}

TEST_F(Saving, ASoonSaveThatFailsIsQuietAndTheExitSaveReportsIt) {
    const auto before = read_bytes(data_qb());
    TestProgram program(folder_);
    // Another program holds data.qb open for the whole run: it can be read,
    // not replaced.
    UniqueFile held(CreateFileA(data_qb().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    // The soon save's attempt shows as its temporary file beside data.qb.
    UniqueChangeNotification names(FindFirstChangeNotificationA(folder_.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
    ASSERT_TRUE(names);
    const int code = program.run([&](HWND window) {
        drop_files(window, {folder_ + "\\a.txt"}, {100, 100});
        // The save runs on this thread, inside the pump: once its file came
        // and went, the attempt is over.
        ASSERT_TRUE(pump_messages_until([&] { return WaitForSingleObject(names.get(), 0) == WAIT_OBJECT_0; },
                                        kSaveDelay + 5000))
            << "the soon save was tried";
        EXPECT_TRUE(program.seams.boxes.empty()) << "no message while the user works";
        EXPECT_TRUE(program.state.changes.links_changed) << "still to be saved";
        EXPECT_FALSE(file_exists(data_qb() + ".new"));
        press_key(window, VK_ESCAPE);
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(program.seams.boxes.size(), 1u);
    EXPECT_EQ(program.seams.boxes[0].text, "Невозможно сохранить данные");
    held.reset();
    EXPECT_EQ(read_bytes(data_qb()), before);
}

TEST_F(Saving, AStartThatLookedPicturesUpKeepsThemSoonAndAloneAndAWarmOneWritesNothing) {
    StoredSettings stored = decode_settings(read_bytes(data_qb()));
    StoredLink link;
    link.root_relative = true;
    link.target.text = folder_.substr(3) + "\\a.txt";
    link.caption.text = "a";
    stored.links = {link};
    stored.declared_link_count = 1;
    write_bytes(data_qb(), encode_settings(stored));
    set_old_modification_time(data_qb());
    const std::string cache = icon_cache_path(location_in(folder_));
    for (const bool warm : {false, true}) {
        if (warm) set_old_modification_time(cache);
        const FILETIME cache_before = warm ? modification_time(cache) : FILETIME{};
        const FILETIME data_before = modification_time(data_qb());
        TestProgram program(folder_);
        const int code = program.run([&](HWND window) {
            const bool written = pump_messages_until(
                [&] {
                    if (!regular_file_exists(cache)) return false;
                    const FILETIME now = modification_time(cache);
                    return CompareFileTime(&now, &cache_before) != 0;
                },
                kSaveDelay + 3000);
            EXPECT_EQ(written, !warm) << (warm ? "nothing changed" : "kept while the program runs");
            EXPECT_FALSE(program.state.changes.icon_cache_changed);
            EXPECT_FALSE(program.state.icon_cache) << "nothing held once written";
            press_key(window, VK_ESCAPE);
        });
        EXPECT_EQ(code, 0);
        const FILETIME data_after = modification_time(data_qb());
        EXPECT_EQ(CompareFileTime(&data_after, &data_before), 0) << "data.qb is not written with it";
        EXPECT_TRUE(program.seams.boxes.empty());
        const std::optional<IconCache> kept = IconCache::decode(read_bytes(cache));
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->entry_count(), 1u);
    }
}

}  // namespace
}  // namespace qb
