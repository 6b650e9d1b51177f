// Which link icons may be taken once per file type.
#include "links/icon_source.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(IconSource, DocumentsShareTheirTypeButProgramsIconsAndShortcutsDoNot) {
    EXPECT_EQ(shared_icon_type("E:\\Docs\\Report.txt"), ".txt");
    EXPECT_EQ(shared_icon_type("E:\\Docs\\REPORT.PDF"), ".pdf") << "one type whatever the case";
    EXPECT_EQ(shared_icon_type("E:\\Docs\\archive.tar.gz"), ".gz");
    EXPECT_EQ(shared_icon_type("E:\\a.dir\\notes"), "") << "a dot in a folder is no type";
    EXPECT_EQ(shared_icon_type("E:\\Docs\\.profile"), ".profile");
    for (const char* own : {"E:\\Tools\\setup.exe", "E:\\Tools\\SETUP.EXE", "E:\\old.com", "E:\\saver.scr",
                            "E:\\panel.cpl", "E:\\lib.dll", "E:\\a.ico", "E:\\a.cur", "E:\\a.ani", "E:\\Go.lnk",
                            "E:\\site.url", "E:\\dos.pif", "E:\\setup.msi", "E:\\icons.icl"}) {
        EXPECT_EQ(shared_icon_type(own), "") << own;
    }
    // Names the shell reads otherwise than they are written.
    EXPECT_EQ(shared_icon_type("E:\\Docs\\notes."), "");
    EXPECT_EQ(shared_icon_type("E:\\Docs\\notes.txt "), "");
    EXPECT_EQ(shared_icon_type("E:\\Docs\\notes.txt:stream"), "");
    EXPECT_EQ(shared_icon_type("E:\\Docs"), "");
    EXPECT_EQ(shared_icon_type("E:\\"), "");
    EXPECT_EQ(shared_icon_type(""), "");
    EXPECT_EQ(shared_icon_type("E:/Docs/a.TXT"), ".txt");
}

TEST(IconSource, TheRegistryMakesATypePerFileByItsIconValueOrAHandler) {
    EXPECT_TRUE(type_icon_is_shared({})) << "no registration: the shell's one icon for unknown files";
    EXPECT_TRUE(type_icon_is_shared({{"%SystemRoot%\\system32\\imageres.dll,-102"}, false}))
        << "an environment variable is not the file";
    EXPECT_TRUE(type_icon_is_shared({{"C:\\Program Files\\Viewer\\viewer.exe,0", "shell32.dll,-154"}, false}));
    EXPECT_FALSE(type_icon_is_shared({{"%1"}, false}));
    EXPECT_FALSE(type_icon_is_shared({{"\"%1\""}, false}));
    EXPECT_FALSE(type_icon_is_shared({{"viewer.exe,0", "%L,0"}, false})) << "any of the values";
    EXPECT_FALSE(type_icon_is_shared({{"%*"}, false}));
    EXPECT_FALSE(type_icon_is_shared({{}, true}));
    EXPECT_FALSE(type_icon_is_shared({{"viewer.exe,0"}, true}));
    EXPECT_TRUE(type_icon_is_shared({{"100%"}, false})) << "a percent sign at the end names nothing";
}

TEST(IconSource, AFilesFirstIconOnlyWhereEveryValueIsTheFileItself) {
    EXPECT_TRUE(type_icon_is_files_first({{"%1"}, false})) << "programs";
    EXPECT_TRUE(type_icon_is_files_first({{"\"%1\"", " %1 "}, false}));
    EXPECT_FALSE(type_icon_is_files_first({})) << "nothing registered: the shell's icon for unknown files";
    EXPECT_FALSE(type_icon_is_files_first({{"%1"}, true})) << "a handler chooses the icon";
    EXPECT_FALSE(type_icon_is_files_first({{"%1,2"}, false})) << "another icon of the file";
    EXPECT_FALSE(type_icon_is_files_first({{"%1", "shell32.dll,-154"}, false})) << "any value that differs";
    EXPECT_FALSE(type_icon_is_files_first({{"%L"}, false}));
    EXPECT_FALSE(type_icon_is_files_first({{""}, false}));
    EXPECT_FALSE(type_icon_is_files_first({{"\""}, false}));

    EXPECT_EQ(file_type_of("E:\\Tools\\App.EXE"), ".exe") << "own-icon types keep their type here";
    EXPECT_EQ(file_type_of("E:\\Tools\\app"), "");
    EXPECT_EQ(file_type_of("E:\\Tools\\app.exe:stream"), "");
}

TEST(IconSource, AnIconValueThatCouldNotBeReadLeavesTheIconToTheShell) {
    // Whatever else was read, an unknown value may name the file itself.
    const FileTypeFacts cases[] = {{{}, false, true}, {{"%1"}, false, true}, {{"shell32.dll,-154"}, false, true}};
    for (const FileTypeFacts& facts : cases) {
        const std::string shown = facts.default_icons.empty() ? "(none)" : facts.default_icons.front();
        EXPECT_FALSE(type_icon_is_shared(facts)) << shown;
        EXPECT_FALSE(type_icon_is_files_first(facts)) << shown;
    }
}

}  // namespace
}  // namespace qb
