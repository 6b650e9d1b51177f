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
    // A network path needs a server and a share to have a root.
    EXPECT_EQ(location_from_module_path("\\\\server\\x.exe").drive_root, "");
    EXPECT_EQ(location_from_module_path("\\\\\\share\\x.exe").drive_root, "");
    EXPECT_EQ(location_from_module_path("\\\\server\\\\x.exe").drive_root, "");
}

TEST(ProgramLocation, ANetworkPathHasItsShareAsRoot) {
    auto in_share = location_from_module_path("\\\\nas\\stick\\Quillobrante.exe");
    EXPECT_EQ(in_share.program_dir, "\\\\nas\\stick");
    EXPECT_EQ(in_share.drive_root, "\\\\nas\\stick\\");
    EXPECT_EQ(in_share.beside_program("\\data.qb"), "\\\\nas\\stick\\data.qb");

    auto deeper = location_from_module_path("\\\\nas\\stick\\Apps\\Desk\\Quillobrante.exe");
    EXPECT_EQ(deeper.program_dir, "\\\\nas\\stick\\Apps\\Desk");
    EXPECT_EQ(deeper.drive_root, "\\\\nas\\stick\\");
}

TEST(ProgramLocation, LongPathFormsAreGivenTheirPlainForm) {
    auto local = location_from_module_path("\\\\?\\E:\\Tools\\Quillobrante.exe");
    EXPECT_EQ(local.program_dir, "E:\\Tools");
    EXPECT_EQ(local.drive_root, "E:\\");
    auto unc = location_from_module_path("\\\\?\\UNC\\nas\\stick\\Quillobrante.exe");
    EXPECT_EQ(unc.program_dir, "\\\\nas\\stick");
    EXPECT_EQ(unc.drive_root, "\\\\nas\\stick\\");
    EXPECT_EQ(without_long_path_prefix("\\\\.\\E:\\x"), "E:\\x");
    // Wine names a program on a share this way.
    auto wine_unc = location_from_module_path("UNC\\nas\\stick\\Quillobrante.exe");
    EXPECT_EQ(wine_unc.program_dir, "\\\\nas\\stick");
    EXPECT_EQ(wine_unc.drive_root, "\\\\nas\\stick\\");
    EXPECT_EQ(without_long_path_prefix("E:\\x"), "E:\\x");

    // A folder far longer than the 260 characters of the old buffer is kept whole.
    std::string folder = "E:";
    while (folder.size() < 300) folder += "\\" + std::string(40, 'd');
    auto deep = location_from_module_path(folder + "\\Quillobrante.exe");
    EXPECT_EQ(deep.program_dir, folder);
    EXPECT_EQ(deep.beside_program("\\data.qb"), folder + "\\data.qb");
    EXPECT_EQ(deep.drive_root, "E:\\");
}

TEST(ProgramLocation, OneInstanceNamePerProgramFile) {
    const std::string name = program_instance_name("E:\\Apps\\Quillobrante.exe");
    // Windows takes these for the same file.
    EXPECT_EQ(program_instance_name("e:\\apps\\QUILLOBRANTE.EXE"), name);
    EXPECT_EQ(program_instance_name("\\\\?\\E:\\Apps\\Quillobrante.exe"), name);
    EXPECT_EQ(program_instance_name("UNC\\nas\\s\\Q.exe"), program_instance_name("\\\\NAS\\S\\q.exe"));
    EXPECT_EQ(program_instance_name("E:\\Программы\\Q.exe"), program_instance_name("e:\\ПРОГРАММЫ\\q.EXE"));
    // Another stick, another folder, another file: other names.
    EXPECT_NE(program_instance_name("F:\\Apps\\Quillobrante.exe"), name);
    EXPECT_NE(program_instance_name("E:\\Apps2\\Quillobrante.exe"), name);
    EXPECT_NE(program_instance_name("E:\\Apps\\Quillobrante.exe.bak"), name);

    // A valid kernel object name for any path: no backslash, a bounded length.
    const std::string long_name = program_instance_name("E:\\" + std::string(5000, 'x') + "\\Q.exe");
    for (const std::string& n : {name, long_name}) {
        EXPECT_EQ(n.find('\\'), std::string::npos) << n;
        EXPECT_LT(n.size(), 64u) << n;
    }
    EXPECT_NE(long_name, name);
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
