#pragma once
// What a screen reader sees of the main window: its children by their
// numbers (1 to n the links in list order, then the close and options
// buttons, then the status strip, then the new-programs panel's rows shown,
// bottom row first) and the sentence that reads out the status strip.
#include <cstdint>
#include <optional>
#include <string>

#include "common/ui_texts.h"

namespace qb {

enum class AccessiblePart { Window, Link, CloseButton, OptionsButton, StatusStrip, PanelRow };

struct AccessibleChild {
    AccessiblePart part = AccessiblePart::Window;
    int index = 0;  // the link's place in the list, or the panel row (0 at the bottom)
    bool operator==(const AccessibleChild&) const = default;
};

// How many of each there are now.
struct AccessibleCounts {
    int links = 0;
    int panel_rows = 0;
};

// The window itself is number 0.
inline constexpr long kAccessibleSelf = 0;

long accessible_child_count(AccessibleCounts counts);
// The child of number `id`; none for a number outside the tree.
std::optional<AccessibleChild> accessible_child(long id, AccessibleCounts counts);
long accessible_child_id(AccessibleChild child, AccessibleCounts counts);

// The status strip read out: the drive's kind, then its label (which the
// caller puts between the two parts: it is not kept in code page 1251),
// then how full it is and how many new programs were found.
struct StatusSentence {
    std::string before_label;
    std::string after_label;
};
StatusSentence status_sentence(std::uint32_t drive_type, std::optional<int> used_percent, int new_programs,
                               Language language);

}  // namespace qb
