// The walk of a real drive mapped under Wine: what counts, which folders
// are entered, links back into the tree, and drives that cannot be read.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "search/drive_scan_win.h"
#include "search_test_drive_win.h"

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

}  // namespace
}  // namespace qb
