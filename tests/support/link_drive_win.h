#pragma once
// A drive full of links for the benchmarks and the pixel scenes: link
// targets of the kinds a stick holds (a quarter programs, the rest
// documents of three types) and the data.qb that links to them.
#include <cstdint>
#include <string>
#include <vector>

#include "links/settings_codec.h"

namespace qb::test {

// The options of a data.qb written here: hints and the autorun check on,
// no idle close, no grid, no search service (whose scan would run beside
// whatever is measured).
inline constexpr std::array<bool, kOptionCount> kQuietOptions{true, true, false, false, false};

// Creates `count` link targets under `folder` and returns root-relative
// links to them on the 75-pixel grid, 13 to a row. Link i is a program
// (a copy of sample_tool.exe, which has an icon of its own) when i % 4 is
// 0, else a document: .txt, .ini or .pdf in turn. Every third caption is
// long enough for two lines.
std::vector<StoredLink> make_link_targets(const std::string& folder, int count);

// The bytes of a data.qb with the links, the window size and the options.
std::vector<std::uint8_t> settings_with_links(const std::vector<StoredLink>& links, int width, int height,
                                              const std::array<bool, kOptionCount>& options = kQuietOptions);

}  // namespace qb::test
