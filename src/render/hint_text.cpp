#include "render/hint_text.h"

#include "common/ui_texts.h"

namespace qb {

std::string_view hint_text(HintKind kind) {
    switch (kind) {
        case HintKind::AddLinks: return text::kHintAddLinks;
        case HintKind::AutorunMissing: return text::kHintAutorunMissing;
        case HintKind::AutorunConfig: return text::kHintAutorunConfig;
        case HintKind::OldThemes: return text::kHintOldThemes;
        case HintKind::None: break;
    }
    return {};
}

std::vector<std::string> hint_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t tilde = text.find('~', start);
        std::string_view piece = text.substr(start, tilde == std::string_view::npos ? std::string_view::npos : tilde - start);
        if (!piece.empty()) lines.emplace_back(piece);
        if (tilde == std::string_view::npos) break;
        start = tilde + 1;
    }
    return lines;
}

}  // namespace qb
