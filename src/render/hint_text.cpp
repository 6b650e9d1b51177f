#include "render/hint_text.h"

namespace qb {

std::string_view hint_text(HintKind kind) {
    // The leading and doubled blanks are part of the texts' look.
    switch (kind) {
        case HintKind::AddLinks:
            return "   Для добавления новой ссылки~достаточно  просто  перетащить~мышью требуемую папку или файл~"
                   "в рабочую область программы.";
        case HintKind::AutorunMissing:
            return "   На диске не найден файл для~автозапуска приложения. Зайдите~в настройки программы для его~"
                   "создания.";
        case HintKind::AutorunConfig:
            return "     Возможно,файл автозапуска~приложения не настроен. Зайдите~в настройки приложения для~"
                   "устранения возможной ошибки.";
        case HintKind::OldThemes:
            return "  Возможно, используются старые~темы оформления. Посетите сайт~программы   для   загрузки~"
                   "новых.";
        case HintKind::None:
            break;
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
