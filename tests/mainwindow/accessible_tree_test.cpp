#include <gtest/gtest.h>

#include "common/ui_texts.h"
#include "mainwindow/accessible_tree.h"

namespace qb {
namespace {

TEST(AccessibleTree, LinksThenButtonsThenTheStripThenPanelRowsAndTheStripReadOut) {
    const AccessibleCounts counts{3, 2};
    EXPECT_EQ(accessible_child_count(counts), 8);
    using P = AccessiblePart;
    const AccessibleChild expected[] = {{P::Window, 0},      {P::Link, 0},          {P::Link, 1},
                                        {P::Link, 2},        {P::CloseButton, 0},   {P::OptionsButton, 0},
                                        {P::StatusStrip, 0}, {P::PanelRow, 0},      {P::PanelRow, 1}};
    for (long id = 0; id <= 8; ++id) {
        const std::optional<AccessibleChild> child = accessible_child(id, counts);
        ASSERT_TRUE(child) << id;
        EXPECT_EQ(*child, expected[id]) << id;
        EXPECT_EQ(accessible_child_id(*child, counts), id) << "the number round trip";
    }
    EXPECT_EQ(accessible_child(9, counts), std::nullopt);
    EXPECT_EQ(accessible_child(-1, counts), std::nullopt);
    EXPECT_EQ(accessible_child(1, {0, 0}), (AccessibleChild{P::CloseButton, 0})) << "an empty desktop";

    const StatusSentence full = status_sentence(2, 42, 3, kRussian);
    EXPECT_EQ(full.before_label, std::string(ui_text(text::kDriveRemovable, kRussian)) + ui_text(text::kStatusLabelOpens, kRussian));
    EXPECT_EQ(full.after_label,
              std::string(ui_text(text::kStatusLabelCloses, kRussian)) + ui_text(text::kStatusUsed, kRussian) + "42 %" + ui_text(text::kStatusNewPrograms, kRussian) + "3");
    // Unknown size and no new programs: neither is said; an odd type is a drive.
    const StatusSentence bare = status_sentence(77, std::nullopt, 0, kRussian);
    EXPECT_EQ(bare.before_label, std::string(ui_text(text::kDriveUnknown, kRussian)) + ui_text(text::kStatusLabelOpens, kRussian));
    EXPECT_EQ(bare.after_label, ui_text(text::kStatusLabelCloses, kRussian));
}

}  // namespace
}  // namespace qb
