#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "mainwindow/slide_animation.h"
#include "render/window_areas.h"

namespace qb {
namespace {

std::vector<int> offsets(FoundFileList& list) {
    std::vector<int> result;
    for (int i = 0; FoundFile* record = list.new_at(i); ++i) result.push_back(record->slide_offset);
    return result;
}

// A rescan of the drive that finds exactly these files.
void rescan(FoundFileList& list, std::initializer_list<const char*> present) {
    list.mark_all_not_seen();
    for (const char* path : present) list.add(path);
    list.remove_not_seen();
}

// Ticks with hints on until the timer stops; the ticks that ran before.
int ticks_until_stop(FoundFileList& list, MainWindowState& state) {
    for (int tick = 0; tick < 1000; ++tick) {
        const SlideTick result = slide_tick(list, state, true);
        if (result.stop_timer) {
            EXPECT_EQ(result.repaint, 0) << "the stopping tick repaints nothing";
            EXPECT_FALSE(state.slide_timer_running);
            return tick;
        }
        EXPECT_EQ(result.repaint, AREA_WORK);
    }
    ADD_FAILURE() << "the slide timer never stopped";
    return -1;
}

TEST(SlideAnimation, ThreeRecordsRiseIntoPlaceTogether) {
    FoundFileList list;
    MainWindowState state;
    list.add("a.exe");
    list.add("Tools\\b.exe");
    list.add("Tools\\c.exe");
    const NewProgramsPlacement placement = place_new_rows(list, state);
    EXPECT_TRUE(placement.start_timer);
    EXPECT_EQ(placement.repaint, AREA_FOOTER | AREA_WORK);
    EXPECT_TRUE(state.slide_timer_running);
    EXPECT_EQ(offsets(list), (std::vector<int>{0, 0, 0}));

    const std::vector<std::vector<int>> expected = {
        {-14, -14, -14}, {-28, -28, -28}, {-28, -42, -42},
        {-28, -56, -56}, {-28, -56, -70}, {-28, -56, -84},
    };
    for (const std::vector<int>& after : expected) {
        const SlideTick tick = slide_tick(list, state, true);
        EXPECT_FALSE(tick.stop_timer);
        EXPECT_EQ(tick.repaint, AREA_WORK);
        EXPECT_EQ(offsets(list), after);
    }
    // The next tick finds every row in place: it stops without a repaint.
    const SlideTick last = slide_tick(list, state, true);
    EXPECT_TRUE(last.stop_timer);
    EXPECT_EQ(last.repaint, 0);
    EXPECT_FALSE(state.slide_timer_running);
    // A stray tick after that does nothing.
    const SlideTick stray = slide_tick(list, state, true);
    EXPECT_FALSE(stray.stop_timer);
    EXPECT_EQ(stray.repaint, 0);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -84}));
}

TEST(SlideAnimation, ASecondArrivalStartsOnTopOfTheRowsShown) {
    FoundFileList list;
    MainWindowState state;
    list.add("a.exe");
    list.add("b.exe");
    place_new_rows(list, state);
    EXPECT_EQ(ticks_until_stop(list, state), 4);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56}));

    list.add("c.exe");
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, 1000}));
    EXPECT_TRUE(place_new_rows(list, state).start_timer);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -56}));
    EXPECT_EQ(ticks_until_stop(list, state), 2);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -84}));

    // While the timer runs, an arrival joins the running slide.
    list.add("d.exe");
    list.add("e.exe");
    EXPECT_TRUE(place_new_rows(list, state).start_timer);
    slide_tick(list, state, true);
    list.add("f.exe");
    EXPECT_FALSE(place_new_rows(list, state).start_timer);
    EXPECT_TRUE(state.slide_timer_running);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -84, -98, -98, -98}));
    ticks_until_stop(list, state);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -84, -112, -140, -168}));
}

TEST(SlideAnimation, TheTimerStopsWhenNoNewRecordIsLeft) {
    // A rescan removes the only new record during the slide-in.
    FoundFileList list;
    MainWindowState state;
    list.add("known.exe").is_new = false;
    list.add("gone.exe");
    place_new_rows(list, state);
    EXPECT_EQ(slide_tick(list, state, true).repaint, AREA_WORK);
    rescan(list, {"known.exe"});
    ASSERT_EQ(list.count_new(), 0);
    EXPECT_TRUE(slide_tick(list, state, true).stop_timer);
    EXPECT_FALSE(state.slide_timer_running);

    // Everything dismissed while hints were off: the ticks did nothing
    // then, and the first tick with hints on stops the timer.
    FoundFileList other;
    MainWindowState quiet;
    other.add("a.exe");
    other.add("b.exe");
    place_new_rows(other, quiet);
    for (int tick = 0; tick < 5; ++tick) {
        const SlideTick result = slide_tick(other, quiet, false);
        EXPECT_FALSE(result.stop_timer);
        EXPECT_EQ(result.repaint, 0);
    }
    EXPECT_EQ(offsets(other), (std::vector<int>{0, 0}));
    EXPECT_TRUE(quiet.slide_timer_running);
    other.for_each([](FoundFile& record) { record.is_new = false; });
    const SlideTick first = slide_tick(other, quiet, true);
    EXPECT_TRUE(first.stop_timer);
    EXPECT_EQ(first.repaint, 0);
    EXPECT_FALSE(quiet.slide_timer_running);
}

TEST(SlideAnimation, RowsARescanLeftAboveTheirPlaceDropIntoIt) {
    FoundFileList list;
    MainWindowState state;
    list.add("a.exe");
    list.add("b.exe");
    list.add("c.exe");
    place_new_rows(list, state);
    ticks_until_stop(list, state);
    ASSERT_EQ(offsets(list), (std::vector<int>{-28, -56, -84}));

    // The bottom row's file is renamed: its record goes, a new one comes.
    rescan(list, {"b.exe", "c.exe", "d.exe"});
    ASSERT_EQ(offsets(list), (std::vector<int>{-56, -84, 1000}));
    EXPECT_TRUE(place_new_rows(list, state).start_timer);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -56}));
    EXPECT_EQ(ticks_until_stop(list, state), 2);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56, -84}));

    // A middle row removed, nothing new: the row above it closes the gap.
    rescan(list, {"b.exe", "d.exe"});
    place_new_rows(list, state);
    EXPECT_EQ(offsets(list), (std::vector<int>{-28, -56}));
    EXPECT_EQ(ticks_until_stop(list, state), 0);
}

TEST(SlideAnimation, SearchStateRepaintsThePanelOnlyWhenItMayHaveEmptied) {
    FoundFileList list;
    EXPECT_EQ(search_state_areas(list), AREA_FOOTER | AREA_WORK);
    list.add("a.exe");
    EXPECT_EQ(search_state_areas(list), AREA_FOOTER);
    list.add("b.exe").is_new = false;
    list.new_at(0)->is_new = false;
    EXPECT_EQ(search_state_areas(list), AREA_FOOTER | AREA_WORK);
}

}  // namespace
}  // namespace qb
