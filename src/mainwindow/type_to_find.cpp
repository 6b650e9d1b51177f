#include "mainwindow/type_to_find.h"

#include "common/letter_case.h"

namespace qb {

namespace {

bool is_control(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

// The text is one letter typed over and over ("ссС"), letter case aside.
bool one_letter_repeated(std::string_view text) {
    if (text.size() < 2) return false;
    for (char c : text) {
        if (fold_case_1251(c) != fold_case_1251(text.front())) return false;
    }
    return true;
}

std::optional<int> first_match(const std::vector<std::string_view>& captions, std::string_view prefix, int from) {
    const int count = static_cast<int>(captions.size());
    for (int step = 0; step < count; ++step) {
        const int index = (from + step) % count;
        if (starts_with_ignoring_case(captions[static_cast<std::size_t>(index)], prefix)) return index;
    }
    return std::nullopt;
}

}  // namespace

TypeToFind type_to_find(const TypedText& typed, char typed_char, std::uint32_t now,
                        const std::vector<std::string_view>& captions, std::optional<int> selected) {
    if (is_control(typed_char)) return {typed, std::nullopt};
    const bool goes_on = !typed.text.empty() && now - typed.last_time < kTypeToFindPause;
    TypeToFind result{{goes_on ? typed.text + typed_char : std::string(1, typed_char), now}, std::nullopt};
    const std::string& text = result.typed.text;
    const int count = static_cast<int>(captions.size());
    if (count == 0) return result;
    const bool has_selection = selected && *selected >= 0 && *selected < count;
    const int here = has_selection ? *selected : 0;
    const bool grows = text.size() > 1 && !one_letter_repeated(text);
    // Without a selection the search starts at the first link itself.
    const int from = grows || !has_selection ? here : here + 1;
    const std::string_view prefix = grows ? std::string_view(text) : std::string_view(text).substr(0, 1);
    result.select = first_match(captions, prefix, from % count);
    return result;
}

}  // namespace qb
