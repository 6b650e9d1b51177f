#include "common/wide_text_win.h"

#include <vector>

#include "common/code_page_1251.h"

namespace qb {

// wchar_t is UTF-16 on Windows; the two string types are the same units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring to_wide(std::string_view text) {
    const std::u16string wide = utf16_from_1251(text);
    return std::wstring(wide.begin(), wide.end());
}

std::optional<std::string> to_1251(std::wstring_view text) {
    const std::u16string wide(text.begin(), text.end());
    return cp1251_from_utf16(wide);
}

std::wstring window_text_wide(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

std::optional<std::string> window_text(HWND window) { return to_1251(window_text_wide(window)); }

bool set_window_text(HWND window, std::string_view text) {
    return SetWindowTextW(window, to_wide(text).c_str()) != FALSE;
}

namespace {

// The short name of the last part of `path` (a full path up to that part).
std::optional<std::wstring> short_name_of(const std::wstring& path) {
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<wchar_t> buffer(needed + 1, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed + 1);
    if (length == 0 || length > needed) return std::nullopt;
    const std::wstring short_path(buffer.data(), length);
    const std::size_t slash = short_path.find_last_of(L'\\');
    return slash == std::wstring::npos ? short_path : short_path.substr(slash + 1);
}

}  // namespace

std::optional<std::string> storable_path(const std::wstring& path) {
    if (std::optional<std::string> whole = to_1251(path)) return whole;
    // Part by part, so that only the names that need it change.
    std::string result;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring_view part(path.data() + start, end - start);
        std::optional<std::string> narrow = to_1251(part);
        if (!narrow) {
            const std::optional<std::wstring> short_name = short_name_of(path.substr(0, end));
            if (short_name) narrow = to_1251(*short_name);
            // A volume without short names gives the long name back.
            if (!narrow) return std::nullopt;
        }
        result += *narrow;
        if (end == path.size()) break;
        result += '\\';
        start = end + 1;
    }
    return result;
}

}  // namespace qb
