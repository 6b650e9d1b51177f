#include "theme/theme_catalogue_win.h"

#include <algorithm>
#include <optional>

#include "common/file_io_win.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"
#include "theme/theme_catalogue.h"

namespace qb {

namespace {

// Russian rules, letter case aside: the same order on every system.
const LCID kSortLocale = MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), SORT_DEFAULT);

bool sorts_before(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(kSortLocale, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}

struct ThemeFolder {
    std::wstring wide;
    std::string name;
};

}  // namespace

std::vector<std::string> list_theme_folders(const std::string& data_folder) {
    std::vector<ThemeFolder> found;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(FindFirstFileW(system_path(data_folder + "\\*.*").c_str(), &entry));
    std::vector<std::string> names;
    if (!find) return names;
    do {
        // A name code page 1251 cannot hold could not be kept in the settings.
        std::optional<std::string> name = to_1251(entry.cFileName);
        if (name && is_theme_folder_entry(entry.dwFileAttributes, *name)) {
            found.push_back({entry.cFileName, std::move(*name)});
        }
    } while (FindNextFileW(find.get(), &entry));
    std::stable_sort(found.begin(), found.end(),
                     [](const ThemeFolder& a, const ThemeFolder& b) { return sorts_before(a.wide, b.wide); });
    for (ThemeFolder& folder : found) names.push_back(std::move(folder.name));
    return names;
}

std::vector<std::string> list_box_items(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (length <= 0) {
            items.emplace_back();
            continue;
        }
        std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        const std::size_t size = got > 0 && got <= length ? static_cast<std::size_t>(got) : 0;
        items.push_back(to_1251(std::wstring_view(buffer.data(), size)).value_or(std::string{}));
    }
    return items;
}

void fill_theme_list(HWND list, const std::string& data_folder, std::string_view theme_name) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : list_theme_folders(data_folder)) {
        const std::wstring wide = to_wide(name);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    // The selection rule works on the list's own order; LB_SETCURSEL sends
    // no notification, so the theme is not switched by it.
    if (const auto item = find_theme_item(list_box_items(list), theme_name)) {
        SendMessageW(list, LB_SETCURSEL, *item, 0);
    }
}

}  // namespace qb
