#include <gtest/gtest.h>

#include "common/letter_case.h"

namespace qb {
namespace {

TEST(LetterCase, LatinAndCyrillicLettersFoldAndNothingElse) {
    EXPECT_TRUE(equal_ignoring_case("E:\\Tools\\App.EXE", "e:\\tools\\app.exe"));
    EXPECT_TRUE(equal_ignoring_case("Отчёт ГОДОВОЙ", "оТЧЁТ годовой"));
    EXPECT_TRUE(equal_ignoring_case("Їжак Ґанок Ўзор Ђак", "їжак ґанок ўзор ђак"));
    EXPECT_FALSE(equal_ignoring_case("Елка", "Ёлка")) << "Е and Ё are two letters";
    EXPECT_FALSE(equal_ignoring_case("ab", "abc"));
    // Signs next to the letters in the code page are not letters.
    EXPECT_FALSE(equal_ignoring_case("[", "{"));
    EXPECT_FALSE(equal_ignoring_case("@", "`"));
    EXPECT_EQ(folded("Tools\\Ёлка.EXE"), "tools\\ёлка.exe");

    // Every byte folds to a byte that folds to itself, and only a letter
    // pair shares a folded form.
    int pairs = 0;
    for (int a = 0; a < 256; ++a) {
        const char fa = fold_case_1251(static_cast<char>(a));
        EXPECT_EQ(fold_case_1251(fa), fa) << a;
        for (int b = a + 1; b < 256; ++b) pairs += fa == fold_case_1251(static_cast<char>(b)) ? 1 : 0;
    }
    EXPECT_EQ(pairs, 26 + 32 + 15);  // Latin, the main Cyrillic alphabet, the other Cyrillic letters
}

}  // namespace
}  // namespace qb
