#include <gtest/gtest.h>

#include "mainwindow/open_target.h"

namespace qb {
namespace {

TEST(OpenTarget, WorkingFolderIsTheParentAndADriveKeepsItsRoot) {
    EXPECT_EQ(working_folder("E:\\Tools\\app.exe"), "E:\\Tools");
    EXPECT_EQ(working_folder("E:\\Tools\\Sub\\"), "E:\\Tools\\Sub");
    // "E:" would be drive E's current folder, not its root.
    EXPECT_EQ(working_folder("E:\\app.exe"), "E:\\");
    EXPECT_EQ(working_folder("E:\\"), "E:\\");
    EXPECT_EQ(working_folder("\\app.exe"), "\\");
    EXPECT_EQ(working_folder("\\\\server\\share\\app.exe"), "\\\\server\\share");
    // Nothing to cut: no working folder rather than an empty one.
    EXPECT_EQ(working_folder("app.exe"), std::nullopt);
    EXPECT_EQ(working_folder(""), std::nullopt);
    EXPECT_EQ(working_folder("E:app.exe"), std::nullopt);
}

TEST(OpenTarget, RequestFollowsTheLink) {
    Link docs;
    docs.root_relative = true;
    docs.target = "Docs";
    std::optional<OpenRequest> request = open_request(docs, "E:\\", false);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->path, "E:\\Docs");
    EXPECT_EQ(request->folder, "E:\\");
    EXPECT_FALSE(request->quit_after);

    // The drive root itself: an empty target, or none at all.
    Link root;
    root.root_relative = true;
    root.target = "";
    request = open_request(root, "F:\\", false);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->path, "F:\\");
    EXPECT_EQ(request->folder, "F:\\");
    root.target.reset();
    ASSERT_TRUE(open_request(root, "F:\\", false));
    EXPECT_EQ(open_request(root, "F:\\", false)->path, "F:\\");

    // Another drive's file opens there, whatever drive the program is on.
    Link other;
    other.target = "D:\\x.txt";
    request = open_request(other, "E:\\", false);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->path, "D:\\x.txt");
    EXPECT_EQ(request->folder, "D:\\");

    // A damaged settings file: no target and not relative names nothing.
    Link nothing;
    EXPECT_FALSE(open_request(nothing, "E:\\", false));
}

TEST(OpenTarget, ClosingLinksQuitUnlessKeptRunning) {
    Link link;
    link.root_relative = true;
    link.target = "Tools\\app.exe";
    link.close_on_activate = true;
    EXPECT_TRUE(open_request(link, "E:\\", false)->quit_after);
    EXPECT_FALSE(open_request(link, "E:\\", true)->quit_after);
    EXPECT_EQ(open_request(link, "E:\\", true)->folder, "E:\\Tools");
    link.close_on_activate = false;
    EXPECT_FALSE(open_request(link, "E:\\", false)->quit_after);
}

}  // namespace
}  // namespace qb
