#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/found_file_list.h"

namespace qb {
namespace {

using Bytes = std::vector<std::uint8_t>;

// files.dat bytes: a count, then each path as a 3-byte length and its bytes.
Bytes files_dat(std::uint32_t count, std::initializer_list<std::string_view> paths) {
    Bytes out{static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 8),
              static_cast<std::uint8_t>(count)};
    for (std::string_view p : paths) {
        out.push_back(static_cast<std::uint8_t>(p.size() >> 16));
        out.push_back(static_cast<std::uint8_t>(p.size() >> 8));
        out.push_back(static_cast<std::uint8_t>(p.size()));
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TEST(FoundFileList, PathIsTheIdentityWithoutTheDrive) {
    FoundFileList list;
    EXPECT_FALSE(list.dirty());
    FoundFile& a = list.add("E:\\Tools\\a.exe");
    EXPECT_EQ(a.path, "Tools\\a.exe");
    EXPECT_EQ(a.name, "a.exe");
    EXPECT_EQ(a.folder, "Tools");
    EXPECT_TRUE(a.is_new);
    EXPECT_FALSE(a.not_seen);
    EXPECT_EQ(a.slide_offset, 1000);
    EXPECT_TRUE(list.dirty());

    EXPECT_EQ(&list.add("Tools\\a.exe"), &a);
    EXPECT_EQ(&list.add("F:\\Tools\\a.exe"), &a);
    // Windows names the same file in any letter case: one record, which
    // keeps the spelling it was first met with.
    EXPECT_EQ(&list.add("tools\\A.EXE"), &a);
    EXPECT_EQ(a.path, "Tools\\a.exe");
    EXPECT_EQ(list.find("Tools\\a.exe"), &a);
    EXPECT_EQ(list.find("TOOLS\\a.exe"), &a);
    EXPECT_EQ(list.find("E:\\Tools\\a.exe"), nullptr);  // find takes relative paths

    FoundFile& root = list.add("E:\\run.exe");
    EXPECT_EQ(root.path, "run.exe");
    EXPECT_EQ(root.name, "run.exe");
    EXPECT_EQ(root.folder, "");
    FoundFile& deep = list.add("A\\B\\c.exe");
    EXPECT_EQ(deep.name, "c.exe");
    EXPECT_EQ(deep.folder, "A\\B");
    FoundFile& no_drive = list.add("C:x.exe");  // no backslash after the colon
    EXPECT_EQ(no_drive.path, "C:x.exe");
    EXPECT_EQ(list.count_all(), 4);
    EXPECT_EQ(list.path_at(0), "Tools\\a.exe");
    EXPECT_EQ(list.path_at(3), "C:x.exe");
    EXPECT_EQ(list.path_at(4), std::nullopt);
    EXPECT_EQ(list.path_at(-1), std::nullopt);
}

TEST(FoundFileList, NewRecordsAreCountedAndAddressedInOrder) {
    FoundFileList list;
    FoundFile& a = list.add("a.exe");
    FoundFile& b = list.add("b.exe");
    FoundFile& c = list.add("c.exe");
    b.is_new = false;  // dismissed by the user
    EXPECT_EQ(list.count_new(), 2);
    EXPECT_EQ(list.new_at(0), &a);
    EXPECT_EQ(list.new_at(1), &c);
    EXPECT_EQ(list.new_at(2), nullptr);
    EXPECT_EQ(list.new_at(-1), nullptr);

    // Met again by a scan: still not new.
    b.not_seen = true;
    EXPECT_EQ(&list.add("E:\\b.exe"), &b);
    EXPECT_FALSE(b.is_new);
    EXPECT_FALSE(b.not_seen);
    EXPECT_EQ(list.count_new(), 2);
}

TEST(FoundFileList, RescanDropsWhatWasNotSeen) {
    FoundFileList list;
    list.add("a.exe");
    list.add("b.exe");
    list.add("c.exe");
    list.mark_all_not_seen();
    list.add("b.exe");
    list.remove_not_seen();
    EXPECT_EQ(list.count_all(), 1);
    EXPECT_EQ(list.path_at(0), "b.exe");
    EXPECT_EQ(list.find("a.exe"), nullptr);

    // A removed path comes back as a new record.
    EXPECT_TRUE(list.add("a.exe").is_new);
    list.mark_all_not_seen();
    list.remove_not_seen();
    EXPECT_EQ(list.count_all(), 0);
    EXPECT_TRUE(list.dirty());
    EXPECT_EQ(list.encode(), (Bytes{0, 0, 0}));

    list.add("x.exe");
    list.clear();
    EXPECT_EQ(list.count_all(), 0);
    EXPECT_EQ(list.find("x.exe"), nullptr);
}

TEST(FoundFileList, CyrillicNamesMeetInAnyLetterCase) {
    FoundFileList list;
    FoundFile& tool = list.add("E:\\Программы\\Ёлка.exe");
    EXPECT_EQ(&list.add("программы\\ёЛКА.EXE"), &tool);
    EXPECT_EQ(list.find("ПРОГРАММЫ\\ЁЛКА.EXE"), &tool);
    // Е and Ё are two letters, not two cases of one.
    EXPECT_NE(&list.add("Программы\\Елка.exe"), &tool);

    // A record removed under one spelling is gone under every other.
    list.mark_all_not_seen();
    list.add("ПРОГРАММЫ\\ЁЛКА.exe");
    list.remove_not_seen();
    EXPECT_EQ(list.count_all(), 1);
    EXPECT_EQ(list.find("программы\\елка.exe"), nullptr);
    EXPECT_EQ(list.path_at(0), "Программы\\Ёлка.exe");

    // A files.dat that holds one file twice, in two spellings, gives one record.
    FoundFileList loaded;
    loaded.load_from(files_dat(2, {"Tools\\App.exe", "TOOLS\\APP.EXE"}));
    EXPECT_EQ(loaded.count_all(), 1);
    EXPECT_EQ(loaded.encode(), files_dat(1, {"Tools\\App.exe"}));
}

TEST(FoundFileList, EncodesCountThenPaths) {
    FoundFileList list;
    list.add("E:\\Tools\\a.exe");
    list.add("b.exe");
    EXPECT_EQ(list.encode(), (Bytes{0, 0, 2, 0, 0, 11, 'T', 'o', 'o', 'l', 's', '\\', 'a', '.', 'e', 'x', 'e',
                                    0, 0, 5, 'b', '.', 'e', 'x', 'e'}));
}

TEST(FoundFileList, LoadedRecordsAreKnown) {
    FoundFileList list;
    list.load_from(files_dat(4, {"Tools\\a.exe", "", "E:\\Tools\\a.exe", "b.exe"}));
    EXPECT_EQ(list.count_all(), 2);
    EXPECT_EQ(list.count_new(), 0);
    EXPECT_EQ(list.new_at(0), nullptr);
    EXPECT_EQ(list.path_at(0), "Tools\\a.exe");
    EXPECT_EQ(list.path_at(1), "b.exe");
    EXPECT_FALSE(list.find("b.exe")->not_seen);
    EXPECT_TRUE(list.dirty());  // so a loaded list is written back at exit
    EXPECT_EQ(list.encode(), files_dat(2, {"Tools\\a.exe", "b.exe"}));

    // Adding to a loaded list: the known record stays known.
    EXPECT_FALSE(list.add("b.exe").is_new);
    EXPECT_TRUE(list.add("c.exe").is_new);
}

TEST(FoundFileList, DamagedFilesLoadWhatIsWhole) {
    FoundFileList more_than_present;
    more_than_present.load_from(files_dat(5, {"a.exe"}));
    EXPECT_EQ(more_than_present.count_all(), 1);

    FoundFileList empty_file;
    empty_file.load_from({});
    EXPECT_EQ(empty_file.count_all(), 0);
    EXPECT_FALSE(empty_file.dirty());

    FoundFileList huge_count;
    huge_count.load_from(files_dat(16777215, {"a.exe", "b.exe"}));
    EXPECT_EQ(huge_count.count_all(), 2);

    // A record too long for the reader is skipped; the next one is read.
    const std::string too_long(1024, 'x');
    const std::string longest(1023, 'y');
    FoundFileList long_records;
    long_records.load_from(files_dat(3, {too_long, "c.exe", longest}));
    EXPECT_EQ(long_records.count_all(), 2);
    EXPECT_EQ(long_records.path_at(0), "c.exe");
    EXPECT_EQ(long_records.path_at(1), longest);

    // A record cut short by the end of the file is skipped.
    Bytes cut = files_dat(2, {"a.exe", "bcdefg.exe"});
    cut.resize(cut.size() - 4);
    FoundFileList cut_short;
    cut_short.load_from(cut);
    EXPECT_EQ(cut_short.count_all(), 1);
    EXPECT_EQ(cut_short.path_at(0), "a.exe");
}

}  // namespace
}  // namespace qb
