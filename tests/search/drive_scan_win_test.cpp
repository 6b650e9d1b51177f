// The walk of a real drive mapped under Wine: what counts, which folders
// are entered, links back into the tree, and drives that cannot be read.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "search/drive_scan_win.h"
#include "search/executable_name.h"
#include "search/found_files_file_win.h"
#include "search_test_drive_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

std::set<std::string> paths_of(const FoundFileList& list) {
    std::set<std::string> paths;
    for (int i = 0; i < list.count_all(); ++i) paths.insert(*list.path_at(i));
    return paths;
}

// Asks a walk to stop once it has run for `limit`, so that a walk that
// follows links back into the tree fails instead of running on.
class WalkDeadline {
public:
    explicit WalkDeadline(std::chrono::milliseconds limit)
        : timer_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!finished_.wait_for(lock, limit, [this] { return done_; })) expired_ = true;
          }) {}
    ~WalkDeadline() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        finished_.notify_all();
        timer_.join();
    }
    StopToken token() const { return StopToken(expired_); }
    bool expired() const { return expired_; }

private:
    std::atomic<bool> expired_{false};
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread timer_;
};

class DriveScanWin : public ::testing::Test {
protected:
    void SetUp() override { empty_folder(kSearchRoot); }
    void TearDown() override { empty_folder(kSearchRoot); }
};

TEST_F(DriveScanWin, FindsExecutablesInEveryFolderBothWaysOfListing) {
    const std::string root = kSearchRoot;
    for (const char* name : {"a.EXE", "b.Exe", "c.exe1", "d.exe.txt", "e", "f.com"}) make_file(root + name);
    make_folder(root + "Hidden", FILE_ATTRIBUTE_HIDDEN);
    make_file(root + "Hidden\\h.exe");
    make_folder(root + "System", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    make_folder(root + "System\\Deep");
    make_file(root + "System\\Deep\\s.exe");
    make_folder(root + "folder.exe");
    make_folder(root + "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xfb");  // "Программы" in code page 1251
    make_file(root + "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xfb\\\xf2\xe5\xf1\xf2.exe");
    make_file(root + "files.dat");

    const std::set<std::string> expected = {"a.EXE", "b.Exe", "c.exe1", "Hidden\\h.exe", "System\\Deep\\s.exe",
                                            "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xfb\\\xf2\xe5\xf1\xf2.exe"};
    FoundFileList list;
    EXPECT_TRUE(scan_drive(list, "G:\\", ScanMode::Baseline, StopToken{}));
    EXPECT_EQ(paths_of(list), expected);
    EXPECT_EQ(list.count_new(), 0);

    for (FindStyle style : {FindStyle::Fast, FindStyle::Plain}) {
        FindFolderLister lister(style);
        FoundFileList other;
        EXPECT_TRUE(scan_tree(lister, other, "G:", ScanMode::Update, StopToken{}));
        EXPECT_EQ(paths_of(other), expected) << (style == FindStyle::Fast ? "fast" : "plain");
        EXPECT_EQ(other.count_new(), 6);
    }
}

TEST_F(DriveScanWin, LinksBackIntoTheTreeAreNotFollowed) {
    const std::string root = kSearchRoot;
    make_folder(root + "Loop");
    make_folder(root + "Loop\\Inner");
    make_file(root + "Loop\\Inner\\in.exe");
    make_file(root + "Loop\\top.exe");
    // Links to the folder's parent, to itself and to the drive root: each
    // would make the walk run on (and the two together multiply it).
    make_linux_link(root + "Loop\\Inner\\", "..", "up");
    make_linux_link(root + "Loop\\Inner\\", ".", "self");
    make_linux_link(root + "Loop\\", "..", "root.exe");
    // Wine shows a linked folder as a folder that is a reparse point, as
    // Windows shows a junction or a symbolic link to a folder.
    const DWORD link = GetFileAttributesA((root + "Loop\\Inner\\up").c_str());
    ASSERT_NE(link, INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(link & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(link & FILE_ATTRIBUTE_REPARSE_POINT) << "a linked folder looks like a plain one";

    FoundFileList list;
    WalkDeadline deadline(std::chrono::seconds(5));
    EXPECT_TRUE(scan_drive(list, "G:\\", ScanMode::Baseline, deadline.token()));
    EXPECT_FALSE(deadline.expired());
    EXPECT_EQ(paths_of(list), (std::set<std::string>{"Loop\\top.exe", "Loop\\Inner\\in.exe"}));
}

TEST_F(DriveScanWin, ADriveThatCannotBeReadKeepsWhatIsKnown) {
    FoundFileList list;
    list.add("known.exe").is_new = false;
    EXPECT_FALSE(scan_drive(list, "Q:\\", ScanMode::Update, StopToken{})) << "no drive Q: is mapped";
    EXPECT_EQ(paths_of(list), (std::set<std::string>{"known.exe"}));

    // An empty drive is read: nothing is on it any more.
    EXPECT_TRUE(scan_drive(list, "G:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(list.count_all(), 0);
}

// Names as the system holds them, whatever its language: one that code
// page 1251 holds keeps its bytes, one it cannot hold is kept by its short
// name, which opens the very same item.
class DriveScanAnyLanguage : public DriveScanWin {
protected:
    // The file's identity on its volume, to tell two names of one file.
    static std::optional<std::pair<DWORD, DWORD>> file_index(const std::wstring& path) {
        UniqueFile file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
        return std::pair{info.nFileIndexHigh, info.nFileIndexLow};
    }
};

TEST_F(DriveScanAnyLanguage, NamesAreStoredInCodePage1251OrByTheirShortNames) {
    make_folder_wide(L"G:\\Программы");
    make_file_wide(L"G:\\Программы\\Метка.exe");
    make_file_wide(L"G:\\Программы\\日本語.txt");
    make_file_wide(L"G:\\日本語.exe");
    make_folder_wide(L"G:\\日本語フォルダ");
    make_file_wide(L"G:\\日本語フォルダ\\道具.exe");
    const std::string cyrillic = "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xfb\\\xcc\xe5\xf2\xea\xe0.exe";  // Программы\Метка.exe
    // Each name in another script, as the system names the file.
    const std::wstring other_scripts[] = {L"G:\\日本語.exe", L"G:\\日本語フォルダ\\道具.exe"};

    for (FindStyle style : {FindStyle::Fast, FindStyle::Plain}) {
        SCOPED_TRACE(style == FindStyle::Fast ? "fast" : "plain");
        FindFolderLister lister(style);
        FoundFileList list;
        ASSERT_TRUE(scan_tree(lister, list, kSearchRoot, ScanMode::Baseline, StopToken{}));
        const std::set<std::string> paths = paths_of(list);
        ASSERT_EQ(paths.size(), 3u);
        EXPECT_EQ(paths.count(cyrillic), 1u);
        std::set<std::pair<DWORD, DWORD>> reached;
        for (const std::string& path : paths) {
            EXPECT_EQ(path.find('?'), std::string::npos) << path;
            EXPECT_TRUE(is_executable_name(path)) << path;
            const auto index = file_index(system_path(kSearchRoot + path));
            ASSERT_TRUE(index) << path << " does not open";
            reached.insert(*index);
        }
        for (const std::wstring& name : other_scripts) {
            const auto index = file_index(name);
            ASSERT_TRUE(index);
            EXPECT_EQ(reached.count(*index), 1u) << "a stored name opens each program";
        }
    }

    // files.dat keeps the bytes, whatever the system's language.
    FoundFileList list;
    ASSERT_TRUE(scan_drive(list, kSearchRoot, ScanMode::Baseline, StopToken{}));
    load_found_files(list, "G:\\files.dat");
    list.add("x.exe");  // the list is written only when it changed
    ASSERT_TRUE(save_found_files(list));
    const std::vector<std::uint8_t> bytes = read_bytes("G:\\files.dat");
    const std::string stored(bytes.begin(), bytes.end());
    EXPECT_NE(stored.find(cyrillic), std::string::npos);
    EXPECT_EQ(stored.find('?'), std::string::npos);
}

}  // namespace
}  // namespace qb
