#pragma once
// Finding a link by typing the start of its caption, as Explorer's lists
// do: letters typed in quick succession make one text; the same letter
// typed again moves on to the next link that begins with it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// Letters further apart than this start a new text.
inline constexpr std::uint32_t kTypeToFindPause = 1000;

// What was typed so far and when its last character came (milliseconds of
// any clock that counts up and wraps, such as the system's tick count).
struct TypedText {
    std::string text;
    std::uint32_t last_time = 0;
};

struct TypeToFind {
    TypedText typed;
    // The link to select, by its place in the list; none: the selection stays.
    std::optional<int> select;
};

// A printable character (code page 1251) typed at `now`, over links whose
// captions (empty for a link without one) stand in list order, with the
// link at `selected` selected, if any. The search runs through the list in
// order from the selected link, wrapping: a new text or a repeated letter
// starts after it, a text that grows keeps it while it still matches.
// Letter case does not count. Control characters change nothing.
TypeToFind type_to_find(const TypedText& typed, char typed_char, std::uint32_t now,
                        const std::vector<std::string_view>& captions, std::optional<int> selected);

}  // namespace qb
