#include <gtest/gtest.h>

#include "mainwindow/window_placement.h"

namespace qb {
namespace {

TEST(WindowPlacement, CentredOnTheMonitorWhereThatFitsElseShrunkIntoTheWorkArea) {
    const Size minimum{373, 203};
    struct Case {
        const char* what;
        Size stored;
        Rect work_area;
        Rect expected;
        Rect monitor = work_area;
    };
    const Rect screen{0, 0, 1024, 768};
    const Case cases[] = {
        // Worked out by hand: 1024 / 2 - 600 / 2 = 212, 768 / 2 - 400 / 2 = 184.
        {"taskbar below, the centred window clear of it", {600, 400}, {0, 0, 1024, 728}, {212, 184, 812, 584}, screen},
        {"taskbar above, the centred window clear of it", {600, 400}, {0, 40, 1024, 768}, {212, 184, 812, 584}, screen},
        {"centred on the screen it would reach under the taskbar", {600, 700}, {0, 0, 1024, 728},
         {212, 14, 812, 714}, screen},
        {"last row on the taskbar's edge", {600, 688}, {0, 0, 1024, 728}, {212, 40, 812, 728}, screen},
        {"odd size, integer halves", {373, 203}, {0, 0, 1024, 728}, {326, 283, 699, 486}, screen},
        {"fits: centred as before", {400, 300}, {0, 0, 1024, 768}, {312, 234, 712, 534}},
        {"second monitor, taskbar below", {600, 400}, {1024, 0, 2304, 984}, {1364, 312, 1964, 712},
         {1024, 0, 2304, 1024}},
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
        EXPECT_EQ(place_window(c.stored, minimum, {c.monitor, c.work_area}), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace qb
