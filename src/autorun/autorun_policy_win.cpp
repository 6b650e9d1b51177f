#include "autorun/autorun_policy_win.h"

#include <optional>
#include <string>
#include <string_view>

#include "common/modal_seams_win.h"
#include "common/ui_texts.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"

namespace qb {

namespace {

bool ask(ModalSeams& seams, HWND owner, const char* question) {
    return seams.message_box(owner, question, text::kCheckResultCaption, MB_YESNO) == IDYES;
}

bool tell(ModalSeams& seams, HWND owner, const char* message, bool result) {
    seams.message_box(owner, message, text::kCheckResultCaption, MB_OK);
    return result;
}

// The key, opened or (after the user agreed) created; `created` tells which.
UniqueRegistryKey open_policy_key(ModalSeams& seams, HWND owner, const char* subkey, bool& created) {
    HKEY key = nullptr;
    const std::wstring name = to_wide(subkey);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        return UniqueRegistryKey(key);
    }
    if (!ask(seams, owner, text::kPolicyKeyMissingQuestion)) return {};
    if (RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        tell(seams, owner, text::kPolicyCannotCreateKey, false);
        return {};
    }
    created = true;
    return UniqueRegistryKey(key);
}

bool is_text_type(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// A text value as the rules see data: one byte per character, code page
// 1251, so a value judges the same on every system ('?' stands for a
// character 1251 has not, as the system's own conversion puts it).
std::string text_bytes(const BYTE* data, DWORD size) {
    std::string bytes;
    for (DWORD i = 0; i + 1 < size; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        const std::optional<std::string> converted = to_1251(std::wstring_view(&unit, 1));
        bytes += converted && converted->size() == 1 ? (*converted)[0] : '?';
    }
    return bytes;
}

PolicyFinding read_policy(HKEY key) {
    // Room for a text value as long as the rules take, in UTF-16.
    BYTE data[2 * kPolicyBufferBytes] = {};
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    const std::wstring name = to_wide(kAutorunPolicyValue);
    const LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &size);
    if (status == ERROR_FILE_NOT_FOUND) return judge_autorun_policy(PolicyQuery::NotFound, {});
    if (status != ERROR_SUCCESS || size > sizeof data) return judge_autorun_policy(PolicyQuery::Failed, {});
    if (is_text_type(type)) return judge_autorun_policy(PolicyQuery::Read, text_bytes(data, size));
    return judge_autorun_policy(PolicyQuery::Read, std::string_view(reinterpret_cast<const char*>(data), size));
}

// Nothing excluded: the REG_DWORD 0.
bool write_policy(HKEY key) {
    const DWORD none = 0;
    return RegSetValueExW(key, to_wide(kAutorunPolicyValue).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&none),
                          sizeof none) == ERROR_SUCCESS;
}

}  // namespace

bool check_autorun_policy(ModalSeams& seams, HWND owner, const char* subkey) {
    bool created = false;
    const UniqueRegistryKey key = open_policy_key(seams, owner, subkey, created);
    if (!key) return false;
    switch (read_policy(key.get())) {
        case PolicyFinding::InOrder:
            return tell(seams, owner, text::kPolicyInOrder, true);
        case PolicyFinding::Unreadable:
            return tell(seams, owner, text::kPolicyCannotReadValue, false);
        case PolicyFinding::ValueMissing:
            // A key the user just agreed to create is created with its value.
            if (!created && !ask(seams, owner, text::kPolicyValueMissingQuestion)) return false;
            if (!write_policy(key.get())) return tell(seams, owner, text::kPolicyCannotCreateValue, false);
            return tell(seams, owner, text::kPolicyKeyCreated, true);
        case PolicyFinding::ExcludesDrives:
            if (!ask(seams, owner, text::kPolicyValueExcludesQuestion)) return false;
            if (!write_policy(key.get())) return tell(seams, owner, text::kPolicyCannotChangeValue, false);
            return tell(seams, owner, text::kPolicyKeyChanged, true);
    }
    return false;
}

}  // namespace qb
