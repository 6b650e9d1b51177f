// The walk's rules over a drive held in memory: order, marking, removal,
// reparse points, unreadable folders and stopping.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "search/drive_scan.h"

namespace qb {
namespace {

struct FakeEntry {
    std::string name;
    bool folder = false;
    bool reparse = false;
};

// A drive as folder paths (ending with a backslash) and their entries.
// A folder whose path runs through an entry marked as a reparse point is
// listed like the folder that holds the link, as a link back to its
// parent would be; the lister gives up after a bound so that a walk that
// followed such links fails instead of running on.
class FakeDrive final : public FolderLister {
public:
    std::map<std::string, std::vector<FakeEntry>> folders;
    std::set<std::string> unreadable;
    std::set<std::string> breaks_off;  // listed up to their last entry, then an error
    std::vector<std::string> opened;
    std::function<void()> on_entry;  // runs before each entry is handed out

    OpenedFolder open(const std::string& folder) override {
        opened.push_back(folder);
        if (opened.size() > 1000 || unreadable.count(folder)) return {nullptr, true};
        std::string resolved = folder;
        for (bool changed = true; changed;) {
            changed = false;
            for (const auto& [path, entries] : folders) {
                for (const FakeEntry& e : entries) {
                    const std::string link = path + e.name + "\\";
                    if (e.reparse && resolved.compare(0, link.size(), link) == 0) {
                        resolved = path + resolved.substr(link.size());
                        changed = true;
                    }
                }
            }
        }
        auto it = folders.find(resolved);
        if (it == folders.end()) return {nullptr, true};
        if (it->second.empty()) return {nullptr, false};
        return {std::make_unique<Listing>(it->second, on_entry, breaks_off.count(folder) > 0), false};
    }

private:
    class Listing final : public FolderListing {
    public:
        Listing(const std::vector<FakeEntry>& entries, const std::function<void()>& on_entry, bool breaks_off)
            : entries_(entries), on_entry_(on_entry), breaks_off_(breaks_off) {}
        bool next(FolderEntry& entry) override {
            if (breaks_off_ && at_ + 1 == entries_.size()) {  // the last entry is lost to an error
                broken_ = true;
                return false;
            }
            if (at_ == entries_.size()) return false;
            if (on_entry_) on_entry_();
            const FakeEntry& e = entries_[at_++];
            entry = {e.name, e.folder, e.reparse};
            return true;
        }
        bool broken() const override { return broken_; }

    private:
        const std::vector<FakeEntry>& entries_;
        const std::function<void()>& on_entry_;
        bool breaks_off_;
        bool broken_ = false;
        std::size_t at_ = 0;
    };
};

FakeEntry file(std::string name) { return {std::move(name), false, false}; }
FakeEntry folder(std::string name) { return {std::move(name), true, false}; }
FakeEntry link(std::string name) { return {std::move(name), true, true}; }

std::vector<std::string> paths_of(const FoundFileList& list) {
    std::vector<std::string> paths;
    for (int i = 0; i < list.count_all(); ++i) paths.push_back(*list.path_at(i));
    return paths;
}

bool is_new(FoundFileList& list, const std::string& path) {
    const FoundFile* record = list.find(path);
    EXPECT_NE(record, nullptr) << path;
    return record != nullptr && record->is_new;
}

TEST(DriveScan, WalksDepthFirstInListingOrderAndKeepsOnlyExecutables) {
    FakeDrive drive;
    drive.folders["E:\\"] = {file("a.EXE"), folder("Sub"), file("readme.txt"), file("b.Exe"), folder("Empty"),
                             folder("dir.exe"), file("c.exe1"), file("d.exe.txt"), file("e"), file("f.com"),
                             file("."), file("..")};
    drive.folders["E:\\Sub\\"] = {file("."), file(".."), file("s.exe"), folder("Deeper"), file("t.exe")};
    drive.folders["E:\\Sub\\Deeper\\"] = {file("deep.exe")};
    drive.folders["E:\\Empty\\"] = {};
    drive.folders["E:\\dir.exe\\"] = {file("inner.exe")};

    FoundFileList list;
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Baseline, StopToken{}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"a.EXE", "Sub\\s.exe", "Sub\\Deeper\\deep.exe",
                                                          "Sub\\t.exe", "b.Exe", "dir.exe\\inner.exe", "c.exe1"}));
    EXPECT_EQ(list.find("Sub\\Deeper\\deep.exe")->folder, "Sub\\Deeper");
    EXPECT_EQ(list.count_new(), 0) << "a baseline scan reports nothing as new";

    // A root given without its backslash is the same walk.
    FoundFileList again;
    EXPECT_TRUE(scan_tree(drive, again, "E:", ScanMode::Baseline, StopToken{}));
    EXPECT_EQ(paths_of(again), paths_of(list));
}

TEST(DriveScan, RecordsOfANetworkShareAreRelativeToTheShare) {
    FakeDrive drive;
    drive.folders["\\\\nas\\stick\\"] = {file("top.exe"), folder("Tools")};
    drive.folders["\\\\nas\\stick\\Tools\\"] = {file("t.exe")};
    FoundFileList list;
    EXPECT_TRUE(scan_tree(drive, list, "\\\\nas\\stick", ScanMode::Baseline, StopToken{}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"top.exe", "Tools\\t.exe"}));
    EXPECT_EQ(list.find("Tools\\t.exe")->folder, "Tools");
}

TEST(DriveScan, UpdateMarksOnlyWhatTheScanCreatedAsNew) {
    FakeDrive drive;
    drive.folders["E:\\"] = {file("known.exe"), folder("Tools"), file("dismissed.exe")};
    drive.folders["E:\\Tools\\"] = {file("arrived.exe"), file("known2.exe")};

    FoundFileList list;
    list.add("known.exe").is_new = false;
    list.add("Tools\\known2.exe").is_new = false;
    list.add("dismissed.exe").is_new = false;
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(list.count_all(), 4);
    EXPECT_EQ(list.count_new(), 1);
    EXPECT_EQ(list.new_at(0)->path, "Tools\\arrived.exe");

    // Met again: a new record stays new, a known one stays known.
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(list.count_new(), 1);
    EXPECT_TRUE(is_new(list, "Tools\\arrived.exe"));
    EXPECT_FALSE(is_new(list, "known.exe"));
    for (const std::string& path : paths_of(list)) EXPECT_FALSE(list.find(path)->not_seen) << path;

    // A baseline scan of a list that already holds records clears is_new of what it meets.
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Baseline, StopToken{}));
    EXPECT_EQ(list.count_new(), 0);
}

TEST(DriveScan, VanishedAndRenamedFilesLeaveTheList) {
    FakeDrive drive;
    drive.folders["E:\\"] = {file("stay.exe"), file("gone.exe"), folder("P")};
    drive.folders["E:\\P\\"] = {file("old.exe")};
    FoundFileList list;
    ASSERT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Baseline, StopToken{}));
    ASSERT_EQ(list.count_all(), 3);

    drive.folders["E:\\"] = {file("stay.exe"), folder("P")};
    drive.folders["E:\\P\\"] = {file("renamed.exe")};
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"stay.exe", "P\\renamed.exe"}));
    EXPECT_FALSE(is_new(list, "stay.exe"));
    EXPECT_TRUE(is_new(list, "P\\renamed.exe"));
    EXPECT_EQ(list.find("P\\old.exe"), nullptr);

    // A new letter case names the same file, as on Windows: the record
    // stays, known, with the spelling it was stored with.
    drive.folders["E:\\"] = {file("STAY.EXE"), folder("P")};
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"stay.exe", "P\\renamed.exe"}));
    EXPECT_FALSE(is_new(list, "stay.exe"));

    // A root that is there but empty: everything vanished.
    drive.folders["E:\\"] = {};
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(list.count_all(), 0);
    EXPECT_TRUE(list.dirty());
}

TEST(DriveScan, ReparsePointsAreNotEnteredAndUnreadableFoldersAreSkipped) {
    FakeDrive drive;
    drive.folders["E:\\"] = {folder("A"), file("root.exe"), folder("Locked"), folder("After")};
    drive.folders["E:\\A\\"] = {link("back"), file("a.exe"), link("self.exe")};
    drive.folders["E:\\After\\"] = {file("after.exe")};
    drive.unreadable.insert("E:\\Locked\\");

    FoundFileList list;
    list.add("Locked\\was_there.exe").is_new = false;
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"A\\a.exe", "root.exe", "After\\after.exe"}));
    EXPECT_EQ(drive.opened, (std::vector<std::string>{"E:\\", "E:\\A\\", "E:\\Locked\\", "E:\\After\\"}));
}

TEST(DriveScan, AnIncompleteScanRemovesNothing) {
    FakeDrive drive;
    drive.folders["E:\\"] = {file("one.exe"), folder("F"), file("two.exe")};
    drive.folders["E:\\F\\"] = {file("three.exe"), file("four.exe")};

    // The root cannot be read (the drive went away): the known records stay.
    FoundFileList list;
    list.add("one.exe").is_new = false;
    list.add("vanished.exe").is_new = false;
    drive.unreadable.insert("E:\\");
    EXPECT_FALSE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"one.exe", "vanished.exe"}));
    drive.unreadable.clear();

    // A stop asked before the walk: nothing is walked or removed.
    std::atomic<bool> stop{true};
    EXPECT_FALSE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{stop}));
    EXPECT_EQ(list.count_all(), 2);

    // A stop asked in the middle: what was met is recorded, nothing is removed.
    stop = false;
    int entries = 0;
    drive.on_entry = [&] {
        if (++entries == 3) stop = true;
    };
    EXPECT_FALSE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{stop}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"one.exe", "vanished.exe", "F\\three.exe"}));
    EXPECT_EQ(entries, 3);

    // A listing that breaks off (a read error in a subfolder) leaves the walk incomplete.
    stop = false;
    drive.on_entry = nullptr;
    drive.breaks_off.insert("E:\\F\\");
    EXPECT_FALSE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{stop}));
    EXPECT_EQ(list.count_all(), 3);
    drive.breaks_off.clear();

    // The same walk without a stop completes and drops the vanished record.
    stop = false;
    drive.on_entry = nullptr;
    EXPECT_TRUE(scan_tree(drive, list, "E:\\", ScanMode::Update, StopToken{stop}));
    EXPECT_EQ(paths_of(list), (std::vector<std::string>{"one.exe", "F\\three.exe", "F\\four.exe", "two.exe"}));
}

}  // namespace
}  // namespace qb
