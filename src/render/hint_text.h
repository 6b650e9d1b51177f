#pragma once
// The hint balloon's kinds and the layout of its text.
#include <string>
#include <string_view>
#include <vector>

#include "common/ui_texts.h"

namespace qb {

enum class HintKind { None, AddLinks, AutorunMissing, AutorunConfig, OldThemes };

// The balloon's text of a kind; "~" marks a line break. Empty for None.
std::string_view hint_text(HintKind kind, Language language);

// The lines of a hint text, split at every "~"; empty pieces draw nothing.
std::vector<std::string> hint_lines(std::string_view text);

}  // namespace qb
