#pragma once
// Which language the program speaks: the user's choice, kept on the stick
// in "language.ini" beside data.qb (a file of its own, so that data.qb
// keeps its layout), or else a rule for the first start.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/ui_texts.h"

namespace qb {

// A choice file longer than this is not one (it holds one short line).
inline constexpr std::size_t kMaxLanguageChoiceBytes = 4096;

// The language the file names ("Language=en" on a line of its own, letter
// case and blanks aside); none for a file that is empty, damaged, too
// long, or names no language or two different ones.
std::optional<Language> read_language_choice(std::span<const std::uint8_t> bytes);

// The file's bytes for a choice: readable by eye, one key.
std::vector<std::uint8_t> write_language_choice(Language language);

// The language of a start: the choice where there is one; without it a
// stick that already has its settings file stays in Russian, the language
// it was used in; a fresh one speaks Russian where Windows' own language
// (its primary language identifier) is Russian, Ukrainian, Belarusian or
// Kazakh, and English anywhere else.
Language starting_language(std::optional<Language> chosen, bool settings_file_existed,
                           std::uint16_t system_primary_language);

}  // namespace qb
