#pragma once
// Letter case of names as Windows sees it: file names that differ only in
// case name the same file. Texts are code page 1251, so Cyrillic letters
// fold too. Only comparisons fold; stored text keeps its own bytes.
#include <string>
#include <string_view>

namespace qb {

// A code page 1251 character without its letter case (Latin and Cyrillic
// capitals become small letters).
char fold_case_1251(char c);

// The text with every character folded: a key under which names that
// differ only in case meet.
std::string folded(std::string_view text);

bool equal_ignoring_case(std::string_view a, std::string_view b);
// `text` begins with `prefix`, letter case aside.
bool starts_with_ignoring_case(std::string_view text, std::string_view prefix);

}  // namespace qb
