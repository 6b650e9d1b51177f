// Transparent drawing, the bitmap cache and the composed skin, checked by
// reading back pixels.
#include <gtest/gtest.h>

#include "render/skin_win.h"
#include "render/transparent_win.h"
#include "support/test_support_win.h"
#include "theme/theme_values.h"

namespace qb {
namespace {

using namespace qb::test;

class Rendering : public ::testing::Test {
protected:
    BitmapCache bitmap_cache;
    ThemeColors theme_colors;
    // With a 25-pixel title strip.
    void compose_skin(const Rect& window_rect) {
        qb::compose_skin(bitmap_cache, window_rect, nullptr, theme_colors.fill_type, 25);
    }
};

Color checker(int x, int y) { return (x + y) % 2 ? rgb(10, 200, 30) : rgb(250, 240, 5); }
Color all_magenta(int, int) { return kMagenta; }
Color ring(int x, int y) {  // magenta inside, blue border
    return (x == 0 || y == 0 || x == 9 || y == 9) ? rgb(0, 0, 200) : kMagenta;
}

TEST_F(Rendering, TransparentColourLetsTheBackgroundThrough) {
    Canvas target(40, 40, rgb(90, 60, 30));
    UniqueBitmap opaque(make_test_bitmap(10, 10, checker));
    const auto opaque_before = bitmap_pixels(opaque.get());
    draw_transparent(target.dc(), opaque.get(), 5, 5, kMagenta);
    EXPECT_EQ(target.pixel(5, 5), checker(0, 0));
    EXPECT_EQ(target.pixel(14, 13), checker(9, 8));
    EXPECT_EQ(target.pixel(4, 5), rgb(90, 60, 30));
    EXPECT_EQ(target.pixel(15, 5), rgb(90, 60, 30));
    EXPECT_EQ(bitmap_pixels(opaque.get()), opaque_before);

    UniqueBitmap invisible(make_test_bitmap(10, 10, all_magenta));
    Canvas untouched(40, 40, rgb(1, 2, 3));
    untouched.fill_rect(20, 20, 30, 30, rgb(200, 100, 0));
    draw_transparent(untouched.dc(), invisible.get(), 18, 18, kMagenta);
    EXPECT_EQ(untouched.count(0, 0, 40, 40, rgb(1, 2, 3)), 40 * 40 - 100);
    EXPECT_EQ(untouched.count(20, 20, 30, 30, rgb(200, 100, 0)), 100);
    EXPECT_EQ(bitmap_pixels(invisible.get()), std::vector<Color>(100, kMagenta)) << "the source is restored";

    UniqueBitmap framed(make_test_bitmap(10, 10, ring));
    Canvas mixed(20, 20, rgb(7, 77, 177));
    draw_transparent(mixed.dc(), framed.get(), 0, 0, kMagenta);
    EXPECT_EQ(mixed.pixel(0, 0), rgb(0, 0, 200));
    EXPECT_EQ(mixed.pixel(5, 5), rgb(7, 77, 177));
    EXPECT_EQ(bitmap_pixels(framed.get())[5 * 10 + 5], kMagenta);

    // An icon picture is drawn with black as its transparent colour.
    Canvas icon_target(20, 20, rgb(7, 77, 177));
    UniqueBitmap black_ring(make_test_bitmap(10, 10, [](int x, int y) {
        return (x == 0 || y == 0) ? rgb(255, 255, 255) : kBlack;
    }));
    draw_transparent(icon_target.dc(), black_ring.get(), 0, 0, kBlack);
    EXPECT_EQ(icon_target.pixel(0, 3), kWhite);
    EXPECT_EQ(icon_target.pixel(4, 4), rgb(7, 77, 177));
}

TEST_F(Rendering, BitmapCacheNamesAreExactAndTheFirstWins) {
    bitmap_cache.add_from_file(nullptr, "OptButton");
    ASSERT_NE(bitmap_cache.find("OptButton"), nullptr);
    EXPECT_EQ(bitmap_cache.bitmap_of("OptButton"), nullptr);
    EXPECT_EQ(bitmap_cache.find("OptButton")->width, 0);
    bitmap_cache.remove("OptButton");

    const std::string folder = fresh_folder(kTestDrive, "cache");
    install_themes(folder);
    const std::string button = folder + "\\Data\\MAINTHEME\\OptButton.bmp";
    const std::string close = folder + "\\Data\\MAINTHEME\\CloseButton.bmp";
    bitmap_cache.add_from_file(button.c_str(), "OptButton");
    bitmap_cache.add_from_file(close.c_str(), "OptButton");
    HBITMAP first = bitmap_cache.bitmap_of("OptButton");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(bitmap_cache.find("OptButton")->width, 25);
    EXPECT_EQ(bitmap_cache.bitmap_of("optbutton"), nullptr) << "names are case-sensitive";
    bitmap_cache.remove("OptButton");
    EXPECT_NE(bitmap_cache.bitmap_of("OptButton"), first) << "remove takes only the first";
    EXPECT_NE(bitmap_cache.bitmap_of("OptButton"), nullptr);

    // A file that is not a bitmap leaves a named, empty entry; drawing it does nothing.
    write_text(folder + "\\fake.bmp", "not a picture");
    bitmap_cache.add_from_file((folder + "\\fake.bmp").c_str(), "Fake");
    EXPECT_NE(bitmap_cache.find("Fake"), nullptr);
    EXPECT_EQ(bitmap_cache.bitmap_of("Fake"), nullptr);
    Canvas canvas(10, 10, rgb(5, 5, 5));
    bitmap_cache.draw(canvas.dc(), "Fake", 0, 0);
    bitmap_cache.draw(canvas.dc(), "Never", 0, 0);
    EXPECT_EQ(canvas.count(0, 0, 10, 10, rgb(5, 5, 5)), 100);

    // A drawn entry is copied whole at its place.
    bitmap_cache.draw(canvas.dc(), "OptButton", 2, 3);
    const auto source = bitmap_pixels(bitmap_cache.bitmap_of("OptButton"));
    EXPECT_EQ(canvas.pixel(2, 3), source[0]);
    EXPECT_EQ(canvas.pixel(9, 9), source[6 * 25 + 7]);
}

Color gradient(int x, int y) { return rgb(x * 6, y * 8, 100); }

class Skin : public Rendering {
protected:
    void SetUp() override {
        Rendering::SetUp();
        BitmapEntry& picture = add_entry("BackGround");
        picture.set_bitmap(make_test_bitmap(40, 30, gradient));
    }
    BitmapEntry& add_entry(const char* name) {
        bitmap_cache.add_from_file(nullptr, name);
        return *bitmap_cache.find(name);
    }
    std::vector<Color> composed(int fill_type) {
        theme_colors.fill_type = static_cast<std::int8_t>(fill_type);
        compose_skin({0, 0, 400, 300});
        const BitmapEntry* entry = bitmap_cache.find("BackGroundRESIZED");
        EXPECT_EQ(entry->width, 350);
        EXPECT_EQ(entry->height, 300 - 2 * 25 + 1);
        return bitmap_pixels(entry->bitmap.get());
    }
    static Color at(const std::vector<Color>& p, int x, int y) { return p[y * 350 + x]; }
};

TEST_F(Skin, FillTypesLayTheBackgroundOut) {
    auto none = composed(0);
    EXPECT_EQ(std::count(none.begin(), none.end(), kBlack), long(none.size()));

    auto once = composed(1);
    EXPECT_EQ(at(once, 0, 0), gradient(0, 0));
    EXPECT_EQ(at(once, 39, 29), gradient(39, 29));
    EXPECT_EQ(at(once, 40, 0), kBlack);
    EXPECT_EQ(at(once, 0, 30), kBlack);
    EXPECT_EQ(at(once, 349, 250), kBlack);

    // Every pixel of the tiling, the last tiles cut at the right and bottom.
    auto tiled = composed(2);
    int wrong = 0;
    for (int y = 0; y < 251; ++y) {
        for (int x = 0; x < 350; ++x) wrong += at(tiled, x, y) != gradient(x % 40, y % 30);
    }
    EXPECT_EQ(wrong, 0);

    auto stretched = composed(3);
    EXPECT_EQ(at(stretched, 0, 0), gradient(0, 0));
    EXPECT_EQ(at(stretched, 349, 250), gradient(39, 29));
    // The aspect is not kept: across 350 columns, 40 source columns; down 251 rows, 30.
    EXPECT_EQ(at(stretched, 175, 0), gradient(20, 0));
    EXPECT_EQ(at(stretched, 0, 126), gradient(0, 15));

    // Resizing recomposes at the new size; the tab stays 50 x 120.
    add_entry("RightSide").set_bitmap(make_test_bitmap(20, 20, gradient));
    compose_skin({0, 0, 500, 420});
    EXPECT_EQ(bitmap_cache.find("BackGroundRESIZED")->width, 450);
    EXPECT_EQ(bitmap_cache.find("BackGroundRESIZED")->height, 371);
    EXPECT_EQ(bitmap_cache.find("RightSideRESIZED")->width, 50);
    EXPECT_EQ(bitmap_cache.find("RightSideRESIZED")->height, 120);
}

TEST_F(Skin, TabWithoutPictureIsBlackWithItsFrame) {
    const Color frame = rgb(142, 142, 122);
    bitmap_cache.add_from_file("E:\\no such folder\\Right.bmp", "RightSide");
    compose_skin({0, 0, 400, 300});
    const BitmapEntry* tab = bitmap_cache.find("RightSideRESIZED");
    ASSERT_TRUE(tab && tab->bitmap);
    const auto p = bitmap_pixels(tab->bitmap.get());
    auto at = [&](int x, int y) { return p[y * 50 + x]; };
    EXPECT_EQ(at(25, 0), frame);
    EXPECT_EQ(at(25, 118), frame);
    EXPECT_EQ(at(49, 60), frame);
    EXPECT_EQ(at(0, 60), kBlack) << "the frame's left side lies outside";
    EXPECT_EQ(at(25, 60), kBlack);
    EXPECT_EQ(at(25, 119), kBlack);
    EXPECT_EQ(at(49, 0), kBlack) << "rounded corner";

    // The tab is drawn on the right edge, centred.
    Canvas canvas(400, 300, kWhite);
    draw_right_side(canvas.dc(), 400, 300, bitmap_cache, {});
    EXPECT_EQ(canvas.pixel(375, 90), frame);
    EXPECT_EQ(canvas.pixel(375, 150), kBlack);
    EXPECT_EQ(canvas.pixel(375, 89), kWhite);
    EXPECT_EQ(canvas.pixel(349, 150), kWhite);
}

}  // namespace
}  // namespace qb
