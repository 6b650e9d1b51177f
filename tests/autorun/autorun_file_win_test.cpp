// autorun.inf in the root of the removable test drive, written and checked
// through the real file functions.
#include <gtest/gtest.h>

#include <string>

#include "autorun/autorun_file_win.h"
#include "autorun/autorun_state.h"
#include "common/file_io_win.h"
#include "common/ui_texts.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

constexpr const char* kRoot = "E:\\";
constexpr const char* kAutorun = "E:\\autorun.inf";
constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM;

std::string as_text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The file as the writer leaves it, for the two values given.
std::string expected_file(const std::string& program, const std::string& icon) {
    return ";QUILLOBRANTE\r\n[AutoRun]\r\nshellexecute=" + program + "\r\nAction=Quillobrante\r\nIcon=" + icon +
           "\r\n[Content]\r\nMusicFiles=false\r\nPictureFiles=false\r\nVideoFiles=false\r\n";
}

// Whatever is called autorun.inf in the drive root goes, file or folder,
// read-only or not: the root is shared with every other test program.
void remove_autorun_entries() {
    for (const std::string& path : {std::string(kAutorun), replacement_path(kAutorun)}) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
    }
}

DWORD attributes_of(const std::string& path) { return GetFileAttributesA(path.c_str()); }

class AutorunFile : public ::testing::Test {
protected:
    void SetUp() override {
        remove_autorun_entries();
        folder_ = fresh_folder(kTestDrive, "autorun");
        theme_ = folder_ + "\\Data\\MAINTHEME";
        CreateDirectoryA((folder_ + "\\Data").c_str(), nullptr);
        CreateDirectoryA(theme_.c_str(), nullptr);
        in_folder_ = {kRoot, folder_ + "\\Quillobrante.exe", theme_};
    }
    void TearDown() override {
        remove_autorun_entries();
        if (!root_theme_.empty()) {
            DeleteFileA((root_theme_ + "\\icon.ico").c_str());
            RemoveDirectoryA(root_theme_.c_str());
            RemoveDirectoryA("E:\\Data");  // only when no other test left something there
        }
    }
    // A theme folder with an icon for a program in the drive root.
    std::string make_root_theme() {
        CreateDirectoryA("E:\\Data", nullptr);
        root_theme_ = "E:\\Data\\AUTORUNTEST";
        CreateDirectoryA(root_theme_.c_str(), nullptr);
        write_text(root_theme_ + "\\icon.ico", "icon");
        return root_theme_;
    }

    RecordingSeams seams_;
    std::string folder_;
    std::string theme_;
    std::string root_theme_;
    AutorunPlace in_folder_;
};

using AutorunFileAnyLanguage = AutorunFile;

TEST_F(AutorunFile, WrittenForAProgramInAFolderWithAndWithoutTheThemeIcon) {
    EXPECT_EQ(write_autorun_file(in_folder_, seams_, nullptr, kRussian, true), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)),
              expected_file("autorun\\Quillobrante.exe", "autorun\\Quillobrante.exe,0"));
    EXPECT_EQ(attributes_of(kAutorun) & (kProtected | FILE_ATTRIBUTE_HIDDEN), kProtected);
    ASSERT_EQ(seams_.boxes.size(), 1u);
    EXPECT_EQ(seams_.boxes[0].text, ui_text(text::kAutorunConfigured, kRussian));
    EXPECT_EQ(seams_.boxes[0].caption, ui_text(text::kCheckResultCaption, kRussian));
    EXPECT_EQ(seams_.boxes[0].type, static_cast<UINT>(MB_OK));

    write_text(theme_ + "\\icon.ico", "icon");
    EXPECT_EQ(write_autorun_file(in_folder_, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)),
              expected_file("autorun\\Quillobrante.exe", "autorun\\Data\\MAINTHEME\\icon.ico"));
    EXPECT_EQ(seams_.boxes.size(), 1u) << "no message without show_messages";
    EXPECT_EQ(attributes_of(replacement_path(kAutorun)), INVALID_FILE_ATTRIBUTES) << "no temporary file left";
}

TEST_F(AutorunFile, WrittenForAProgramInTheDriveRoot) {
    const AutorunPlace no_icon{kRoot, "E:\\Quillobrante.exe", "E:\\Data\\NOSUCHTHEME"};
    EXPECT_EQ(write_autorun_file(no_icon, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)), expected_file("Quillobrante.exe", "Quillobrante.exe,0"));

    const AutorunPlace with_icon{kRoot, "E:\\Quillobrante.exe", make_root_theme()};
    EXPECT_EQ(write_autorun_file(with_icon, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)), expected_file("Quillobrante.exe", "Data\\AUTORUNTEST\\icon.ico"));
    EXPECT_TRUE(seams_.boxes.empty());
}

TEST_F(AutorunFile, AReadOnlySystemFileIsReplacedAndProtectedAgain) {
    write_text(kAutorun, "[autorun]\r\nopen=virus.exe\r\n");
    ASSERT_TRUE(SetFileAttributesA(kAutorun, kProtected | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(write_autorun_file(in_folder_, seams_, nullptr, kRussian, true), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)),
              expected_file("autorun\\Quillobrante.exe", "autorun\\Quillobrante.exe,0"));
    EXPECT_EQ(attributes_of(kAutorun) & (kProtected | FILE_ATTRIBUTE_HIDDEN), kProtected) << "not hidden";
    ASSERT_EQ(seams_.boxes.size(), 1u);
    EXPECT_EQ(seams_.boxes[0].text, ui_text(text::kAutorunConfigured, kRussian));
}

TEST_F(AutorunFile, AFailedCreationIsReportedAndChangesNothing) {
    // A folder of that name (a common guard against autorun viruses).
    ASSERT_TRUE(CreateDirectoryA(kAutorun, nullptr));
    EXPECT_EQ(write_autorun_file(in_folder_, seams_, nullptr, kRussian, true), AutorunWriteResult::Failed);
    ASSERT_EQ(seams_.boxes.size(), 1u);
    EXPECT_EQ(seams_.boxes[0].text, ui_text(text::kAutorunCreateFailed, kRussian));
    EXPECT_EQ(seams_.boxes[0].caption, ui_text(text::kCheckResultCaption, kRussian));
    EXPECT_EQ(seams_.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_NE(attributes_of(kAutorun) & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the folder stays";
    EXPECT_EQ(attributes_of(replacement_path(kAutorun)), INVALID_FILE_ATTRIBUTES);

    seams_.boxes.clear();
    EXPECT_EQ(write_autorun_file({"", "E:\\Quillobrante.exe", theme_}, seams_, nullptr, kRussian, true), AutorunWriteResult::Failed)
        << "no drive root, no file in the current folder";
    ASSERT_EQ(seams_.boxes.size(), 1u);
    EXPECT_EQ(seams_.boxes[0].text, ui_text(text::kAutorunCreateFailed, kRussian));
}

TEST_F(AutorunFile, CheckFindsMissingForeignAndWrongTarget) {
    const std::string program = "E:\\autorun\\Quillobrante.exe";
    EXPECT_EQ(check_autorun_file(kRoot, "\"" + program + "\" "), kAutorunMissing);

    write_text(kAutorun, ";quillobrante\r\n[AutoRun]\r\nshellexecute=autorun\\Quillobrante.exe\r\n");
    EXPECT_EQ(check_autorun_file(kRoot, "\"" + program + "\" "), kAutorunForeign);

    // No shellexecute key: the default names a program in the drive root.
    write_text(kAutorun, "[AutoRun]\r\nopen=Quillobrante.exe\r\n");
    EXPECT_EQ(check_autorun_file(kRoot, "E:\\Quillobrante.exe"), kAutorunForeign);
    EXPECT_EQ(check_autorun_file(kRoot, program), kAutorunForeign | kAutorunWrongTarget);

    // Held open by another program: cannot be opened without sharing.
    {
        UniqueFile held(CreateFileA(kAutorun, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(check_autorun_file(kRoot, "E:\\Quillobrante.exe"), kAutorunMissing);
    }
    EXPECT_EQ(check_autorun_file("", "E:\\Quillobrante.exe"), kAutorunMissing) << "no drive root";
    EXPECT_TRUE(seams_.boxes.empty()) << "the check itself shows nothing";
}

TEST_F(AutorunFile, AWrittenFileChecksInOrderForEveryFormOfTheCommandLine) {
    ASSERT_EQ(write_autorun_file(in_folder_, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
    const std::string program = "E:\\autorun\\Quillobrante.exe";
    EXPECT_EQ(check_autorun_file(kRoot, "\"" + program + "\" "), 0) << "quoted, one blank";
    EXPECT_EQ(check_autorun_file(kRoot, "\"" + program + "\""), 0) << "quoted, no blank";
    EXPECT_EQ(check_autorun_file(kRoot, program), 0) << "unquoted";
    EXPECT_EQ(check_autorun_file(kRoot, "\"F:\\autorun\\Quillobrante.exe\""), 0) << "another drive letter";
    EXPECT_EQ(check_autorun_file(kRoot, "\"" + program + "\" /arg"), kAutorunWrongTarget);
    EXPECT_EQ(check_autorun_file(kRoot, "\"E:\\Quillobrante.exe\" "), kAutorunWrongTarget) << "another program";

    const AutorunPlace root{kRoot, "E:\\Quillobrante.exe", "E:\\Data\\NOSUCHTHEME"};
    ASSERT_EQ(write_autorun_file(root, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
    EXPECT_EQ(check_autorun_file(kRoot, "\"E:\\Quillobrante.exe\""), 0);
    EXPECT_EQ(check_autorun_file(kRoot, "E:\\Quillobrante.exe"), 0);
}

TEST_F(AutorunFile, QuietRewriteLeavesTheUsersOwnFileAlone) {
    // No file: one is created, silently.
    EXPECT_EQ(rewrite_autorun_file_quietly(in_folder_), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)),
              expected_file("autorun\\Quillobrante.exe", "autorun\\Quillobrante.exe,0"));

    // The program's own file follows the theme's icon.
    write_text(theme_ + "\\icon.ico", "icon");
    EXPECT_EQ(rewrite_autorun_file_quietly(in_folder_), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)),
              expected_file("autorun\\Quillobrante.exe", "autorun\\Data\\MAINTHEME\\icon.ico"));
    EXPECT_EQ(attributes_of(kAutorun) & kProtected, kProtected);

    // A file the user wrote stays byte for byte, with its attributes.
    remove_autorun_entries();
    const std::string users = ";QUILLOBRANTe\r\n[AutoRun]\r\nopen=menu.exe\r\nicon=menu.ico\r\n";
    write_text(kAutorun, users);
    SetFileAttributesA(kAutorun, FILE_ATTRIBUTE_HIDDEN);
    const DWORD before = attributes_of(kAutorun);
    EXPECT_EQ(rewrite_autorun_file_quietly(in_folder_), AutorunWriteResult::LeftForeign);
    EXPECT_EQ(as_text(read_bytes(kAutorun)), users);
    EXPECT_EQ(attributes_of(kAutorun), before);

    // So does a folder of that name, and an empty file.
    remove_autorun_entries();
    ASSERT_TRUE(CreateDirectoryA(kAutorun, nullptr));
    EXPECT_EQ(rewrite_autorun_file_quietly(in_folder_), AutorunWriteResult::LeftForeign);
    EXPECT_NE(attributes_of(kAutorun) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    remove_autorun_entries();
    write_text(kAutorun, "");
    EXPECT_EQ(rewrite_autorun_file_quietly(in_folder_), AutorunWriteResult::LeftForeign);
    EXPECT_TRUE(read_bytes(kAutorun).empty());
    EXPECT_TRUE(seams_.boxes.empty()) << "a quiet rewrite never asks or tells";

    // The explicit write, which the user confirmed, still replaces it.
    EXPECT_EQ(write_autorun_file(in_folder_, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
    EXPECT_EQ(check_autorun_file(kRoot, "\"E:\\autorun\\Quillobrante.exe\""), 0);
}

// A program in a Cyrillic folder: the file holds the 1251 bytes a Russian
// Windows writes, and the check finds it in order, on any system.
TEST_F(AutorunFileAnyLanguage, ProgramInACyrillicFolderIsWrittenAndCheckedAsOnARussianSystem) {
    const std::string folder = fresh_folder(kTestDrive, "Программы");
    const std::string theme = folder + "\\Data\\ЗИМА";
    ASSERT_TRUE(CreateDirectoryW(system_path(folder + "\\Data").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(system_path(theme).c_str(), nullptr));
    const AutorunPlace place{kRoot, folder + "\\Quillobrante.exe", theme};
    struct Case {
        bool theme_icon;
        const char* icon;
    };
    for (const Case& c : {Case{false, "Программы\\Quillobrante.exe,0"}, Case{true, "Программы\\Data\\ЗИМА\\icon.ico"}}) {
        if (c.theme_icon) write_text(theme + "\\icon.ico", "icon");
        ASSERT_EQ(write_autorun_file(place, seams_, nullptr, kRussian, false), AutorunWriteResult::Configured);
        EXPECT_EQ(as_text(read_bytes(kAutorun)), expected_file("Программы\\Quillobrante.exe", c.icon));
        EXPECT_EQ(check_autorun_file(kRoot, "\"E:\\Программы\\Quillobrante.exe\" "), 0);
        EXPECT_EQ(check_autorun_file(kRoot, "\"E:\\Programs\\Quillobrante.exe\" "), kAutorunWrongTarget);
        EXPECT_EQ(check_autorun_file(kRoot, std::nullopt), kAutorunWrongTarget)
            << "a command line the program cannot read matches nothing";
    }
    // The value is read back as it stands in the file, never in the system's code page.
    write_text(kAutorun, ";QUILLOBRANTE\r\n[АвтоЗапуск]\r\nshellexecute=Другая.exe\r\n[AutoRun]\r\n"
                         "shellexecute=\"Программы\\Quillobrante.exe\"\r\n");
    EXPECT_EQ(check_autorun_file(kRoot, "E:\\Программы\\Quillobrante.exe"), 0);
    EXPECT_EQ(rewrite_autorun_file_quietly(place), AutorunWriteResult::Configured);
    EXPECT_EQ(as_text(read_bytes(kAutorun)),
              expected_file("Программы\\Quillobrante.exe", "Программы\\Data\\ЗИМА\\icon.ico"));
}

TEST_F(AutorunFile, ProtectMakesTheFileReadOnlyAndSystem) {
    protect_autorun_file(kRoot);
    EXPECT_EQ(attributes_of(kAutorun), INVALID_FILE_ATTRIBUTES) << "a missing file stays missing";
    write_text(kAutorun, ";QUILLOBRANTE\r\n");
    protect_autorun_file(kRoot);
    EXPECT_EQ(attributes_of(kAutorun) & (kProtected | FILE_ATTRIBUTE_HIDDEN), kProtected);
}

}  // namespace
}  // namespace qb
