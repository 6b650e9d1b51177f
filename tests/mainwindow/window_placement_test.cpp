#include <gtest/gtest.h>

#include "mainwindow/window_placement.h"

namespace qb {
namespace {

TEST(WindowPlacement, CentredAndShrunkIntoTheWorkArea) {
    const Size minimum{373, 203};
    struct Case {
        const char* what;
        Size stored;
        Rect work_area;
        Rect expected;
    };
    const Case cases[] = {
        {"fits: centred as before", {400, 300}, {0, 0, 1024, 768}, {312, 234, 712, 534}},
        {"larger than the work area", {1920, 1080}, {0, 0, 1024, 768}, {0, 0, 1024, 768}},
        {"wider only", {1600, 500}, {0, 0, 1024, 768}, {0, 134, 1024, 634}},
        {"exactly the work area", {1024, 738}, {0, 0, 1024, 738}, {0, 0, 1024, 738}},
        {"the minimum", {373, 203}, {0, 0, 1024, 768}, {326, 283, 699, 486}},
        {"second monitor on the right", {800, 600}, {1024, 0, 2304, 1024}, {1264, 212, 2064, 812}},
        {"second monitor left of and above the primary", {2000, 1200}, {-1280, -300, 0, 724},
         {-1280, -300, 0, 724}},
        {"taskbar on the left", {1200, 600}, {60, 0, 1024, 768}, {60, 84, 1024, 684}},
        {"work area smaller than the minimum", {800, 600}, {10, 20, 330, 220}, {10, 20, 383, 223}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(place_window(c.stored, minimum, c.work_area), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace qb
