#include <gtest/gtest.h>

#include "common/drive_facts.h"
#include "common/program_location.h"

namespace qb {
namespace {

TEST(ProgramLocation, FolderAndRootFromModulePath) {
    auto root = location_from_module_path("E:\\Quillobrante.exe");
    EXPECT_EQ(root.program_dir, "E:");
    EXPECT_EQ(root.drive_root, "E:\\");

    auto nested = location_from_module_path("E:\\Tools\\Desk\\Quillobrante.exe");
    EXPECT_EQ(nested.program_dir, "E:\\Tools\\Desk");
    EXPECT_EQ(nested.drive_root, "E:\\");

    // A path handed over in quotes loses only its opening quote.
    auto quoted = location_from_module_path("\"F:\\Apps\\Quillobrante.exe\"");
    EXPECT_EQ(quoted.program_dir, "F:\\Apps");
    EXPECT_EQ(quoted.drive_root, "F:\\");

    EXPECT_EQ(root.beside_program("\\data.qb"), "E:\\data.qb");
    EXPECT_EQ(nested.theme_folder("\\MAINTHEME"), "E:\\Tools\\Desk\\Data\\MAINTHEME");
}

TEST(ProgramLocation, DegenerateModulePathsNameNoDrive) {
    EXPECT_EQ(location_from_module_path("").drive_root, "");
    EXPECT_EQ(location_from_module_path("\"").drive_root, "");
}

TEST(DriveInfo, HeaderHeightIsCaptionHeightButAtLeast25) {
    EXPECT_EQ(header_height_for_caption(18), 25);
    EXPECT_EQ(header_height_for_caption(25), 25);
    EXPECT_EQ(header_height_for_caption(30), 30);
    EXPECT_EQ(header_height_for_caption(-5), 25);
}

TEST(DriveInfo, DriveTypeImages) {
    EXPECT_STREQ(drive_type_image_name(0), "DT_UNKN");
    EXPECT_STREQ(drive_type_image_name(1), "DT_UNKN");
    EXPECT_STREQ(drive_type_image_name(2), "DT_FLASH");
    EXPECT_STREQ(drive_type_image_name(3), "DT_HDD");
    EXPECT_STREQ(drive_type_image_name(4), "DT_NET");
    EXPECT_STREQ(drive_type_image_name(5), "DT_CDROM");
    EXPECT_STREQ(drive_type_image_name(6), "DT_CDROM");
    EXPECT_EQ(drive_type_image_name(7), nullptr);
    EXPECT_EQ(drive_type_image_name(0xFFFFFFFFu), nullptr);
}

TEST(DriveInfo, MegabytesKeepTheFraction) {
    EXPECT_DOUBLE_EQ(megabytes_from_bytes(3 * 1024 * 1024 + 512 * 1024), 3.5);
    EXPECT_DOUBLE_EQ(megabytes_from_bytes(1023), 0.0);  // whole kilobytes only
}

}  // namespace
}  // namespace qb
