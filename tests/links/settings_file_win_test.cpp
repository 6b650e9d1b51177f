// data.qb and the link pictures on a real mapped drive: saving, loading
// under another drive letter, pictures from icons and files, and a save
// that cannot replace the file.
#include <gtest/gtest.h>

#include "app/lifecycle_win.h"
#include "common/file_io_win.h"
#include "links/app_settings.h"
#include "links/link_images_win.h"
#include "links/settings_codec.h"
#include "links/settings_file_win.h"
#include "mainwindow/saving_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "settings");
        install_themes(folder_);
        CreateDirectoryA((folder_ + "\\Docs").c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\Tools").c_str(), nullptr);
        write_text(folder_ + "\\Docs\\a.txt", "text");
        program_.location = location_in(folder_);
    }

    // A program started afresh, installed in `folder`.
    void restart_in(const std::string& folder) {
        program_.links.clear();
        program_.settings = AppSettings{};
        program_.changes = ChangeFlags{};
        program_.links_loaded = false;
        program_.location = location_in(folder);
    }
    SettingsLoad load() {
        const SettingsLoad result =
            load_settings(program_.location, seams, kRussian, nullptr, program_.settings, program_.links, program_.links_loaded);
        program_.settings_unreadable = result == SettingsLoad::Unreadable;
        return result;
    }
    bool save() { return write_settings(program_.location, program_.settings, program_.links); }
    std::string data_qb() const { return settings_file_path(program_.location); }
    Link& add_link(const std::string& path) { return program_.links.append_from_path(path, program_.location.drive_root); }
    std::string default_picture() const { return default_picture(program_.location.program_dir); }

    // The folder as seen through drive F:, which maps the same files.
    std::string through_f() const { return std::string(kSameFolderDrive) + folder_.substr(2); }
    static std::string default_picture(const std::string& dir) {
        return dir + "\\Data\\MAINTHEME\\DefaultProgram.bmp";
    }

    std::string folder_;
    RecordingSeams seams;
    ProgramState program_{nullptr, seams};
    AppSettings& app_settings = program_.settings;
    LinkList& link_list = program_.links;
};

bool has_colour_other_than_black(HBITMAP bitmap) {
    for (Color c : bitmap_pixels(bitmap))
        if (c != kBlack) return true;
    return false;
}

TEST_F(SettingsFile, LinksComeBackUnderAnotherDriveLetter) {
    Link& file = add_link(folder_ + "\\Docs\\a.txt");
    LinkList::set_x(file, 75, false);
    Link& other_drive = add_link("C:\\windows\\notepad.exe");
    LinkList::set_y(other_drive, 150, false);
    other_drive.close_on_activate = true;
    app_settings.window_width = 520;
    app_settings.window_height = 340;
    ASSERT_TRUE(save());
    EXPECT_EQ(GetFileAttributesA((data_qb() + ".new").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no temporary file is left behind";

    restart_in(through_f());
    EXPECT_EQ(program_.location.drive_root, "F:\\");
    load();

    ASSERT_EQ(link_list.count(), 2);
    EXPECT_TRUE(program_.links_loaded);
    EXPECT_EQ(app_settings.window_width, 520);
    EXPECT_EQ(app_settings.loaded_height, 340);
    const Link& a = *link_list.at(0);
    EXPECT_EQ(a.x, 75);
    EXPECT_EQ(a.caption, "a.txt");
    EXPECT_TRUE(a.root_relative);
    EXPECT_EQ(a.target, folder_.substr(3) + "\\Docs\\a.txt");
    EXPECT_EQ(full_target(a, program_.location.drive_root), through_f() + "\\Docs\\a.txt");
    // Its picture is the file's icon, found under the new letter.
    ASSERT_TRUE(a.image);
    EXPECT_EQ(a.image_width, 32);
    EXPECT_EQ(a.image_height, 32);
    EXPECT_EQ(a.transparent_color, kBlack);
    EXPECT_FALSE(a.image_path.has_value());

    const Link& c = *link_list.at(1);
    EXPECT_FALSE(c.root_relative);
    EXPECT_EQ(c.target, "C:\\windows\\notepad.exe");
    EXPECT_EQ(c.y, 150);
    EXPECT_TRUE(c.close_on_activate);
}

TEST_F(SettingsFile, FolderLinkGetsItsShellIcon) {
    Link& link = add_link(folder_ + "\\Tools");
    make_icon_image(link, full_target(link, program_.location.drive_root), nullptr, default_picture());
    ASSERT_TRUE(link.image);
    BITMAP info{};
    GetObjectA(static_cast<HBITMAP>(link.image.get()), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 32);
    EXPECT_EQ(link.transparent_color, kBlack);
    EXPECT_TRUE(has_colour_other_than_black(static_cast<HBITMAP>(link.image.get()))) << "the icon is drawn";
    EXPECT_FALSE(link.custom_image);

    // A second picture replaces the first: the link owns exactly one bitmap.
    const long before = live_handle_count();
    make_icon_image(link, full_target(link, program_.location.drive_root), nullptr, default_picture());
    EXPECT_EQ(live_handle_count(), before);
    // A one-character path leaves the picture as it was.
    void* kept = link.image.get();
    make_icon_image(link, "E", nullptr, default_picture());
    EXPECT_EQ(link.image.get(), kept);
}

TEST_F(SettingsFile, MissingTargetsShowTheThemesDefaultPicture) {
    Link& gone = add_link(folder_ + "\\Docs\\deleted.txt");
    Link& file = add_link(folder_ + "\\Docs\\a.txt");
    ASSERT_TRUE(save());
    restart_in(folder_);
    load();
    ASSERT_EQ(link_list.count(), 2);
    const Link& missing = *link_list.at(0);
    ASSERT_TRUE(missing.image);
    EXPECT_EQ(missing.transparent_color, kMagenta);
    EXPECT_EQ(missing.image_path, default_picture(folder_));
    BITMAP info{};
    GetObjectA(static_cast<HBITMAP>(missing.image.get()), sizeof info, &info);
    EXPECT_EQ(missing.image_width, info.bmWidth);
    EXPECT_GT(missing.image_width, 0);
    EXPECT_EQ(link_list.at(1)->transparent_color, kBlack);
    (void)gone;
    (void)file;

    // Without the default picture the link simply has none.
    DeleteFileA(default_picture(folder_).c_str());
    Link& bare = link_list.append_new();
    load_default_image(bare, default_picture());
    EXPECT_FALSE(bare.image);
    EXPECT_EQ(bare.image_width, 0);
}

TEST_F(SettingsFile, CustomPictureUnderTheProgramSurvivesANewLetter) {
    CreateDirectoryA((folder_ + "\\pics").c_str(), nullptr);
    CopyFileA(default_picture(folder_).c_str(), (folder_ + "\\pics\\star.bmp").c_str(), FALSE);
    Link& link = add_link(folder_ + "\\Docs\\a.txt");
    load_image_file(link, folder_, "\\pics\\star.bmp");
    link.custom_image = true;
    ASSERT_TRUE(save());
    const auto bytes = read_bytes(data_qb());
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("\\pics\\star.bmp"), std::string::npos);
    EXPECT_EQ(text.find(folder_ + "\\pics"), std::string::npos) << "stored relative to the program";

    restart_in(through_f());
    load();
    const Link& back = *link_list.at(0);
    EXPECT_TRUE(back.custom_image);
    EXPECT_EQ(back.image_path, through_f() + "\\pics\\star.bmp");
    EXPECT_EQ(back.transparent_color, kMagenta);
    EXPECT_TRUE(back.image);
}

TEST_F(SettingsFile, AMissingCustomPictureIsShownAsDefaultButKept) {
    Link& link = add_link(folder_ + "\\Docs\\a.txt");
    link.custom_image = true;
    link.image_path = "X:\\Pictures\\away.bmp";  // a drive not here today
    ASSERT_TRUE(save());
    restart_in(folder_);
    load();
    const Link& back = *link_list.at(0);
    EXPECT_TRUE(back.image) << "the theme's default picture";
    EXPECT_EQ(back.transparent_color, kMagenta);
    EXPECT_EQ(back.image_path, "X:\\Pictures\\away.bmp");
    program_.changes.links_changed = true;
    ASSERT_TRUE(save());
    const auto bytes = read_bytes(data_qb());
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("X:\\Pictures\\away.bmp"), std::string::npos)
        << "the next save still names the user's picture";
}

TEST_F(SettingsFile, OnlyAChangedDesktopIsWrittenAtShutdown) {
    StoredSettings stored;
    stored.window_width = 400;
    stored.window_height = 300;
    stored.theme_name.text = "\\MAINTHEME";
    write_bytes(data_qb(), encode_settings(stored));
    set_old_modification_time(data_qb());
    const FILETIME before = modification_time(data_qb());

    load();
    shut_down(program_);
    FILETIME after = modification_time(data_qb());
    EXPECT_EQ(CompareFileTime(&before, &after), 0) << "nothing changed, nothing written";

    // A resized window is remembered.
    app_settings.window_width = 450;
    shut_down(program_);
    after = modification_time(data_qb());
    EXPECT_NE(CompareFileTime(&before, &after), 0);
    EXPECT_EQ(read_bytes(data_qb())[5], 450 & 0xFF);
}

TEST_F(SettingsFile, ASaveThatCannotReplaceTheFileKeepsItAndSaysSo) {
    const std::vector<std::uint8_t> old = {'Q', 'B', '1', 0, 1, 0x90, 0, 1, 0x2C};
    write_bytes(data_qb(), old);
    add_link(folder_ + "\\Docs\\a.txt");
    program_.changes.links_changed = true;
    {
        // Another program holds data.qb open (a virus scanner, say).
        UniqueFile held(CreateFileA(data_qb().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        shut_down(program_);
    }
    ASSERT_EQ(seams.boxes.size(), 1u);
    EXPECT_EQ(seams.boxes[0].text, "Невозможно сохранить данные");
    EXPECT_EQ(seams.boxes[0].caption, "Ошибка");
    EXPECT_EQ(seams.boxes[0].type, UINT(MB_OK));
    EXPECT_EQ(read_bytes(data_qb()), old);
    EXPECT_EQ(GetFileAttributesA((data_qb() + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsFile, AFileThatCannotBeOpenedGivesTheBuiltInSettings) {
    CreateDirectoryA(data_qb().c_str(), nullptr);  // a folder where the file should be
    app_settings.show_hints = false;
    EXPECT_EQ(load(), SettingsLoad::Unreadable);
    ASSERT_EQ(seams.boxes.size(), 1u);
    EXPECT_EQ(seams.boxes[0].text, "Невозможно загрузить настройки");
    EXPECT_EQ(seams.boxes[0].caption, "Ошибка");
    EXPECT_EQ(app_settings.window_width, 373);
    EXPECT_EQ(app_settings.window_height, 203);
    EXPECT_EQ(app_settings.theme_name, "\\MAINTHEME");
    EXPECT_TRUE(app_settings.show_hints);
    EXPECT_TRUE(app_settings.check_autorun_at_start);
    EXPECT_FALSE(app_settings.auto_close_when_idle);
    EXPECT_FALSE(app_settings.auto_arrange);
    EXPECT_TRUE(app_settings.use_search_service);
    EXPECT_FALSE(settings_need_saving(app_settings, program_.changes)) << "an unchanged run writes nothing";
    RemoveDirectoryA(data_qb().c_str());
}

// What the user had in data.qb: a desktop of one link.
std::vector<std::uint8_t> users_desktop() {
    StoredSettings stored;
    stored.window_width = 500;
    stored.window_height = 400;
    stored.theme_name.text = "\\MAINTHEME";
    StoredLink link;
    link.target.text = link.caption.text = "notes.txt";
    link.root_relative = true;
    stored.links.push_back(link);
    stored.declared_link_count = 1;
    stored.options = {true, true, false, false, true};
    return encode_settings(stored);
}

TEST_F(SettingsFile, AFileThatCouldNotBeReadIsNeverWrittenOverButMovedAside) {
    const auto users = users_desktop();
    write_bytes(data_qb(), users);
    {
        // Another program holds the file at start-up, sharing nothing.
        UniqueFile held(CreateFileA(data_qb().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(load(), SettingsLoad::Unreadable);
    }
    ASSERT_EQ(seams.boxes.size(), 1u);
    EXPECT_EQ(seams.boxes[0].text, "Невозможно загрузить настройки");
    EXPECT_EQ(link_list.count(), 0);

    // A run without changes ends without writing anything.
    shut_down(program_);
    EXPECT_EQ(read_bytes(data_qb()), users);
    EXPECT_FALSE(file_exists(data_qb() + ".unread"));

    // Something to save: the unreadable file goes aside first, whole.
    add_link(folder_ + "\\Docs\\a.txt");
    note_change(program_, &ChangeFlags::links_changed);
    EXPECT_TRUE(save_changes(program_, SaveOccasion::Exit));
    EXPECT_EQ(read_bytes(data_qb() + ".unread"), users);
    EXPECT_EQ(decode_settings(read_bytes(data_qb())).links.size(), 1u);
    EXPECT_FALSE(program_.settings_unreadable) << "moved once; later saves replace the new file";
    EXPECT_EQ(seams.boxes.size(), 1u);

    // Next time the file is too large to read whole: the first name is
    // taken, so it goes to the second.
    std::vector<std::uint8_t> oversized(16u * 1024 * 1024 + 1, '0');
    std::copy(users.begin(), users.end(), oversized.begin());
    write_bytes(data_qb(), oversized);
    restart_in(folder_);
    EXPECT_EQ(load(), SettingsLoad::Unreadable);
    app_settings.window_width = 600;  // a resize is a change too
    EXPECT_TRUE(save_changes(program_, SaveOccasion::Soon));
    EXPECT_EQ(read_bytes(data_qb() + ".unread"), users);
    WIN32_FILE_ATTRIBUTE_DATA aside{};
    ASSERT_TRUE(GetFileAttributesExA((data_qb() + ".unread2").c_str(), GetFileExInfoStandard, &aside));
    EXPECT_EQ(aside.nFileSizeLow, oversized.size());
    EXPECT_EQ(decode_settings(read_bytes(data_qb())).window_width, 600);
}

TEST_F(SettingsFile, AnUnreadableFileThatCannotBeMovedStaysAndNothingIsWritten) {
    const auto users = users_desktop();
    write_bytes(data_qb(), users);
    UniqueFile held(CreateFileA(data_qb().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ASSERT_EQ(load(), SettingsLoad::Unreadable);
    add_link(folder_ + "\\Docs\\a.txt");
    note_change(program_, &ChangeFlags::links_changed);

    // Still held: a soon save gives up quietly, the exit save says so.
    EXPECT_FALSE(save_changes(program_, SaveOccasion::Soon));
    EXPECT_EQ(seams.boxes.size(), 1u);
    EXPECT_FALSE(save_changes(program_, SaveOccasion::Exit));
    ASSERT_EQ(seams.boxes.size(), 2u);
    EXPECT_EQ(seams.boxes[1].text, "Невозможно сохранить данные");
    EXPECT_TRUE(program_.changes.links_changed) << "still to be saved";
    held.reset();
    EXPECT_EQ(read_bytes(data_qb()), users);
    EXPECT_FALSE(file_exists(data_qb() + ".unread"));

    // Let go: the next save moves it aside and writes.
    EXPECT_TRUE(save_changes(program_, SaveOccasion::Soon));
    EXPECT_EQ(read_bytes(data_qb() + ".unread"), users);
    EXPECT_FALSE(program_.changes.links_changed);
}

TEST_F(SettingsFile, FirstStartCreatesAnEmptyFileAndReadsAllOptionsOff) {
    ASSERT_EQ(GetFileAttributesA(data_qb().c_str()), INVALID_FILE_ATTRIBUTES);
    load();
    EXPECT_TRUE(read_bytes(data_qb()).empty());
    EXPECT_EQ(GetFileAttributesA(data_qb().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(app_settings.window_width, 373);
    EXPECT_EQ(app_settings.loaded_width, 0);
    EXPECT_FALSE(app_settings.show_hints);
    EXPECT_FALSE(app_settings.use_search_service);
    EXPECT_EQ(link_list.count(), 0);
}

}  // namespace
}  // namespace qb
