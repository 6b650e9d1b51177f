// files.dat on the drive: loaded as known programs, written at exit only
// when the list changed and the search service is on.
#include <gtest/gtest.h>

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
    bool need_saving() const { return found_files_need_saving(found_files, use_search_service); }
    std::string folder_;
    std::string path_;
    FoundFileList found_files;
    bool use_search_service = true;
};

TEST_F(FoundFilesFile, MissingFileGivesAnEmptyListThatSaveCreates) {
    load_found_files(found_files, path_);
    EXPECT_EQ(found_files.count_all(), 0);
    EXPECT_EQ(found_files.file_path(), path_);
    EXPECT_FALSE(need_saving());
    found_files.add("E:\\Tools\\new.exe");
    EXPECT_TRUE(need_saving());
    use_search_service = false;
    EXPECT_FALSE(need_saving()) << "switched off during the run: not written";
    use_search_service = true;
    save_found_files(found_files);
    const std::vector<std::uint8_t> expected = {0, 0, 1, 0, 0, 13, 'T', 'o', 'o', 'l', 's', '\\',
                                                'n', 'e', 'w', '.', 'e', 'x', 'e'};
    EXPECT_EQ(read_bytes(path_), expected);
}

TEST_F(FoundFilesFile, StoredRecordsAreKnownAndWrittenBackInOrder) {
    const std::vector<std::uint8_t> stored = {0, 0, 3, 0, 0, 5, 'a', '.', 'e', 'x', 'e',
                                              0, 0, 7, 'B', '\\', 'b', '.', 'e', 'x', 'e',
                                              0, 0, 5, 'a', '.', 'e', 'x', 'e'};
    write_bytes(path_, stored);
    load_found_files(found_files, path_);
    EXPECT_EQ(found_files.count_all(), 2);
    EXPECT_EQ(found_files.count_new(), 0);
    EXPECT_TRUE(found_files.dirty()) << "a loaded list is rewritten at exit";
    save_found_files(found_files);
    const std::vector<std::uint8_t> expected = {0, 0, 2, 0, 0, 5, 'a', '.', 'e', 'x', 'e',
                                                0, 0, 7, 'B', '\\', 'b', '.', 'e', 'x', 'e'};
    EXPECT_EQ(read_bytes(path_), expected);
}

}  // namespace
}  // namespace qb
