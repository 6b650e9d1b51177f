// files.dat on the drive: loaded as known programs, written only when the
// list changed and the search service is on.
#include <gtest/gtest.h>

#include "common/file_io_win.h"
#include "search/found_files_file_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

class FoundFilesFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "found");
        path_ = folder_ + "\\files.dat";
    }
    std::string folder_;
    std::string path_;
};

TEST_F(FoundFilesFile, MissingFileGivesAnEmptyListThatSaveCreates) {
    FoundFileList list;
    EXPECT_FALSE(save_found_files(list)) << "never loaded: no path to write to";
    load_found_files(list, path_);
    EXPECT_EQ(list.count_all(), 0);
    EXPECT_EQ(list.file_path(), path_);
    EXPECT_FALSE(found_files_need_saving(list, true));
    list.add("E:\\Tools\\new.exe");
    EXPECT_TRUE(found_files_need_saving(list, true));
    EXPECT_FALSE(found_files_need_saving(list, false)) << "switched off during the run: not written";
    EXPECT_TRUE(save_found_files(list));
    const std::vector<std::uint8_t> expected = {0, 0, 1, 0, 0, 13, 'T', 'o', 'o', 'l', 's', '\\',
                                                'n', 'e', 'w', '.', 'e', 'x', 'e'};
    EXPECT_EQ(read_bytes(path_), expected);
    EXPECT_FALSE(file_exists(replacement_path(path_)));
}

TEST_F(FoundFilesFile, StoredRecordsAreKnownAndWrittenBackInOrder) {
    const std::vector<std::uint8_t> stored = {0, 0, 3, 0, 0, 5, 'a', '.', 'e', 'x', 'e',
                                              0, 0, 7, 'B', '\\', 'b', '.', 'e', 'x', 'e',
                                              0, 0, 5, 'a', '.', 'e', 'x', 'e'};
    write_bytes(path_, stored);
    FoundFileList list;
    load_found_files(list, path_);
    EXPECT_EQ(list.count_all(), 2);
    EXPECT_EQ(list.count_new(), 0);
    EXPECT_TRUE(list.dirty()) << "a loaded list is rewritten at exit";
    EXPECT_TRUE(save_found_files(list));
    const std::vector<std::uint8_t> expected = {0, 0, 2, 0, 0, 5, 'a', '.', 'e', 'x', 'e',
                                                0, 0, 7, 'B', '\\', 'b', '.', 'e', 'x', 'e'};
    EXPECT_EQ(read_bytes(path_), expected);

    // A path that cannot be written (its folder is gone): false, nothing torn.
    FoundFileList elsewhere;
    load_found_files(elsewhere, folder_ + "\\missing\\files.dat");
    elsewhere.add("x.exe");
    EXPECT_FALSE(save_found_files(elsewhere));
    EXPECT_EQ(read_bytes(path_), expected);
}

}  // namespace
}  // namespace qb
