#include "mainwindow/accessible_tree.h"

#include "common/ui_texts.h"

namespace qb {

namespace {
constexpr long kFixedChildren = 3;  // the two buttons and the status strip

text::Id drive_kind(std::uint32_t drive_type) {
    switch (drive_type) {
        case 2: return text::kDriveRemovable;
        case 3: return text::kDriveFixed;
        case 4: return text::kDriveNetwork;
        case 5: return text::kDriveOptical;
        case 6: return text::kDriveRam;
        default: return text::kDriveUnknown;
    }
}
}  // namespace

long accessible_child_count(AccessibleCounts counts) { return counts.links + kFixedChildren + counts.panel_rows; }

std::optional<AccessibleChild> accessible_child(long id, AccessibleCounts counts) {
    if (id == kAccessibleSelf) return AccessibleChild{};
    if (id < 0 || id > accessible_child_count(counts)) return std::nullopt;
    const long links = counts.links;
    if (id <= links) return AccessibleChild{AccessiblePart::Link, static_cast<int>(id - 1)};
    switch (id - links) {
        case 1: return AccessibleChild{AccessiblePart::CloseButton, 0};
        case 2: return AccessibleChild{AccessiblePart::OptionsButton, 0};
        case 3: return AccessibleChild{AccessiblePart::StatusStrip, 0};
        default: return AccessibleChild{AccessiblePart::PanelRow, static_cast<int>(id - links - kFixedChildren - 1)};
    }
}

long accessible_child_id(AccessibleChild child, AccessibleCounts counts) {
    switch (child.part) {
        case AccessiblePart::Window: return kAccessibleSelf;
        case AccessiblePart::Link: return child.index + 1;
        case AccessiblePart::CloseButton: return counts.links + 1;
        case AccessiblePart::OptionsButton: return counts.links + 2;
        case AccessiblePart::StatusStrip: return counts.links + 3;
        case AccessiblePart::PanelRow: return counts.links + kFixedChildren + child.index + 1;
    }
    return kAccessibleSelf;
}

StatusSentence status_sentence(std::uint32_t drive_type, std::optional<int> used_percent, int new_programs,
                               Language language) {
    auto say = [language](text::Id id) { return std::string(ui_text(id, language)); };
    StatusSentence sentence;
    sentence.before_label = say(drive_kind(drive_type)) + say(text::kStatusLabelOpens);
    sentence.after_label = say(text::kStatusLabelCloses);
    if (used_percent) sentence.after_label += say(text::kStatusUsed) + std::to_string(*used_percent) + " %";
    if (new_programs > 0) sentence.after_label += say(text::kStatusNewPrograms) + std::to_string(new_programs);
    return sentence;
}

}  // namespace qb
