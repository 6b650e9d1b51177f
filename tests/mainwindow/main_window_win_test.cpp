// The main window of a running program: its outline, its skin buttons,
// the messages it answers itself and the repaint service.
#include <gtest/gtest.h>

#include <memory>

#include "links/app_settings.h"
#include "mainwindow/main_window_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_folder(kTestDrive, "mainwindow");
        install_themes(folder_);
        program_ = std::make_unique<TestProgram>(folder_);
    }
    int run(std::function<void(HWND)> script) {
        return program_->run([script](HWND window) {
            script(window);
            press_key(window, VK_ESCAPE);
        });
    }
    ProgramState& state() { return program_->state; }
    std::string folder_;
    std::unique_ptr<TestProgram> program_;
};

POINT child_position(HWND window, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, id), &r);
    POINT p{r.left, r.top};
    RECT w{};
    GetWindowRect(window, &w);
    return {p.x - w.left, p.y - w.top};
}

TEST_F(MainWindowTest, OutlineAndButtonsFollowTheSize) {
    const AppSettings& app_settings = state().settings;
    const BitmapCache& bitmap_cache = state().bitmaps;
    EXPECT_EQ(run([&](HWND window) {
        SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(app_settings.window_width, 400);
        EXPECT_EQ(app_settings.window_height, 300);
        EXPECT_EQ(child_position(window, CMD_CLOSE).x, 361);
        EXPECT_EQ(child_position(window, CMD_CLOSE).y, 106);
        EXPECT_EQ(child_position(window, CMD_OPTIONS).y, 166);
        UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(window, shape.get()), ERROR);
        EXPECT_TRUE(PtInRegion(shape.get(), 200, 150));
        EXPECT_TRUE(PtInRegion(shape.get(), 399, 150)) << "the tab reaches the right edge";
        EXPECT_FALSE(PtInRegion(shape.get(), 380, 40)) << "above the tab";
        EXPECT_FALSE(PtInRegion(shape.get(), 380, 260)) << "below the tab";
        EXPECT_TRUE(PtInRegion(shape.get(), 349, 40)) << "the body ends 49 pixels from the right";
        EXPECT_FALSE(PtInRegion(shape.get(), 352, 40));
        EXPECT_FALSE(PtInRegion(shape.get(), 0, 0)) << "rounded corner";

        SetWindowPos(window, nullptr, 0, 0, 373, 203, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(child_position(window, CMD_CLOSE).x, 334);
        EXPECT_EQ(child_position(window, CMD_CLOSE).y, 57);
        EXPECT_EQ(child_position(window, CMD_OPTIONS).y, 117);
        EXPECT_EQ(bitmap_cache.find("BackGroundRESIZED")->width, 373 - 50);
    }), 0);
}

TEST_F(MainWindowTest, AnswersEraseAndSizeLimitsItself) {
    EXPECT_EQ(run([](HWND window) {
        EXPECT_EQ(SendMessageA(window, WM_ERASEBKGND, 0, 0), 1);
        MINMAXINFO limits{};
        limits.ptMaxTrackSize = {5000, 4000};
        SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, 373);
        EXPECT_EQ(limits.ptMinTrackSize.y, 203);
        EXPECT_EQ(limits.ptMaxTrackSize.x, 5000) << "the rest stays as the system filled it";
    }), 0);
}

TEST_F(MainWindowTest, PressedSkinButtonIsDrawnOnePixelDownAndRight) {
    const BitmapCache& bitmap_cache = state().bitmaps;
    EXPECT_EQ(run([&](HWND window) {
        HWND button = GetDlgItem(window, CMD_CLOSE);
        const auto face = bitmap_pixels(bitmap_cache.bitmap_of("CloseButton"));
        ASSERT_EQ(face.size(), 25u * 25u);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = CMD_CLOSE;
        item.hwndItem = button;
        item.itemState = ODS_SELECTED;
        // Pixels of the button that differ from the face drawn at (dx, dy).
        auto mismatches = [&](int dx, int dy) {
            WindowDc dc(button);
            int n = 0;
            for (int y = 0; y + dy < 25 && y < 24; ++y)
                for (int x = 0; x + dx < 25 && x < 24; ++x)
                    n += GetPixel(dc.get(), x + dx, y + dy) != face[y * 25 + x];
            return n;
        };
        SendMessageA(window, WM_DRAWITEM, CMD_CLOSE, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(mismatches(1, 1), 0);
        EXPECT_GT(mismatches(0, 0), 0);

        item.itemState = 0;
        SendMessageA(window, WM_DRAWITEM, CMD_CLOSE, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(mismatches(0, 0), 0);
        EXPECT_GT(mismatches(1, 1), 0);
    }), 0);
}

TEST_F(MainWindowTest, RepaintsHappenAtOnceAndOnlyWhenAsked) {
    EXPECT_EQ(run([](HWND window) {
        RECT pending{};
        RECT part{10, 40, 20, 50};
        InvalidateRect(window, &part, FALSE);
        repaint_areas(window, 0, 25);
        EXPECT_TRUE(GetUpdateRect(window, &pending, FALSE)) << "no bits: not even an update";
        repaint_areas(window, AREA_HEADER, 25);
        EXPECT_FALSE(GetUpdateRect(window, &pending, FALSE)) << "painted before the call returns";
    }), 0);
}

}  // namespace
}  // namespace qb
