#include "render/hint_text.h"

#include "common/ui_texts.h"

namespace qb {

std::string_view hint_text(HintKind kind, Language language) {
    switch (kind) {
        case HintKind::AddLinks: return ui_text(text::kHintAddLinks, language);
        case HintKind::AutorunMissing: return ui_text(text::kHintAutorunMissing, language);
        case HintKind::AutorunConfig: return ui_text(text::kHintAutorunConfig, language);
        case HintKind::OldThemes: return ui_text(text::kHintOldThemes, language);
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
