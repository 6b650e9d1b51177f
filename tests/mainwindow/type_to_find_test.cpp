#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/type_to_find.h"

namespace qb {
namespace {

// Cyrillic captions and letters (code page 1251 bytes).
const std::string kInvoice = "Счёт.xls";
const std::string kSummary = "сводка.doc";
const char kCapitalEs = "С"[0];
const char kSmallVe = "в"[0];

// One session of typing: each step types a character at a time and carries
// the typed text and the selection on, as the window does.
TEST(TypeToFind, TypedLettersSelectTheNextMatchingLinkInListOrder) {
    const std::vector<std::string_view> captions{"Readme.txt", "Sample Tool.exe", "Docs", "Report.csv",
                                                 kInvoice,     kSummary,          "",     "sample copy"};
    struct Step {
        char typed;
        std::uint32_t at;
        int selected_after;  // -1: none selected
        const char* text_after;
        const char* why;
    };
    const std::string capital_es(1, kCapitalEs);
    const std::string es_ve = capital_es + kSmallVe;
    const Step steps[] = {
        {'s', 100, 1, "s", "nothing selected: the first match from the top"},
        {'a', 300, 1, "sa", "a growing text keeps a link that still matches"},
        {'m', 500, 1, "sam", "still the same link"},
        {'p', 700, 1, "samp", ""},
        {'l', 900, 1, "sampl", ""},
        {'e', 1100, 1, "sample", ""},
        {' ', 1300, 1, "sample ", "a blank is part of the text"},
        {'c', 1500, 7, "sample c", "the next link that matches the longer text"},
        {'R', 5000, 0, "R", "after a pause a new text, from the link after the selected one, wrapping"},
        {'r', 5200, 3, "Rr", "the same letter again moves on"},
        {'R', 5400, 0, "RrR", "and on, wrapping"},
        {'x', 5600, 0, "RrRx", "no match: the selection stays"},
        {'d', 9000, 2, "d", "case does not count"},
        {'\r', 9100, 2, "d", "Enter is no letter: nothing changes"},
        {'\x1B', 9200, 2, "d", "nor is Escape"},
        {kCapitalEs, 12000, 4, capital_es.c_str(), "Cyrillic, after the selected one"},
        {kSmallVe, 12100, 5, es_ve.c_str(), "Cyrillic case folds: \"сводка\" begins with \"Св\""},
        {'q', 20000, 5, "q", "no link begins with it"},
    };
    TypedText typed;
    std::optional<int> selected;
    for (const Step& step : steps) {
        const TypeToFind result = type_to_find(typed, step.typed, step.at, captions, selected);
        if (result.select) selected = result.select;
        typed = result.typed;
        EXPECT_EQ(selected.value_or(-1), step.selected_after) << int(step.typed) << " at " << step.at << ": " << step.why;
        EXPECT_EQ(typed.text, step.text_after) << int(step.typed) << " at " << step.at;
    }
    // Nothing selected: the search starts at the very first link.
    EXPECT_EQ(type_to_find({}, 'r', 100, captions, std::nullopt).select, std::optional<int>(0));

    // The pause counts on a clock that wraps.
    const TypeToFind across_wrap = type_to_find({"sa", 0xFFFFFF00u}, 'm', 0x00000010u, captions, 1);
    EXPECT_EQ(across_wrap.typed.text, "sam");
    EXPECT_EQ(across_wrap.select, 1);
    // A selection outside the list counts as none; an empty desktop finds nothing.
    EXPECT_EQ(type_to_find({}, 'd', 0, captions, 42).select, 2);
    EXPECT_EQ(type_to_find({}, 'd', 0, {}, std::nullopt).select, std::nullopt);
}

}  // namespace
}  // namespace qb
