#include "theme/theme_catalogue_win.h"

#include <algorithm>

#include "common/win_handles_win.h"
#include "theme/theme_catalogue.h"

namespace qb {

namespace {
// The comparison a sorted list box makes: the user's locale, letter case aside.
bool sorts_before(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}
}  // namespace

std::vector<std::string> list_theme_folders(const std::string& data_folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    UniqueFind find(FindFirstFileA((data_folder + "\\*.*").c_str(), &entry));
    if (!find) return names;
    do {
        if (is_theme_folder_entry(entry.dwFileAttributes, entry.cFileName)) names.emplace_back(entry.cFileName);
    } while (FindNextFileA(find.get(), &entry));
    std::stable_sort(names.begin(), names.end(), sorts_before);
    return names;
}

std::vector<std::string> list_box_items(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length <= 0) {
            items.emplace_back();
            continue;
        }
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT got = SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data(), got > 0 && got <= length ? static_cast<std::size_t>(got) : 0);
    }
    return items;
}

void fill_theme_list(HWND list, const std::string& data_folder, std::string_view theme_name) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : list_theme_folders(data_folder)) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // The selection rule works on the list's own order; LB_SETCURSEL sends
    // no notification, so the theme is not switched by it.
    if (const auto item = find_theme_item(list_box_items(list), theme_name)) {
        SendMessageA(list, LB_SETCURSEL, *item, 0);
    }
}

}  // namespace qb
