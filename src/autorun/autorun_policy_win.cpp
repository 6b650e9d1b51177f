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

// The questions and reports of one check, asked in one language.
struct Asker {
    ModalSeams& seams;
    HWND owner;
    Language language;
    bool ask(text::Id question) const {
        return seams.message_box(owner, question, text::kCheckResultCaption, MB_YESNO, language) == IDYES;
    }
    bool tell(text::Id message, bool result) const {
        seams.message_box(owner, message, text::kCheckResultCaption, MB_OK, language);
        return result;
    }
};

// The key, opened or (after the user agreed) created; `created` tells which.
UniqueRegistryKey open_policy_key(const Asker& asker, const char* subkey, bool& created) {
    HKEY key = nullptr;
    const std::wstring name = to_wide(subkey);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        return UniqueRegistryKey(key);
    }
    if (!asker.ask(text::kPolicyKeyMissingQuestion)) return {};
    if (RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        asker.tell(text::kPolicyCannotCreateKey, false);
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

bool check_autorun_policy(ModalSeams& seams, HWND owner, Language language, const char* subkey) {
    const Asker asker{seams, owner, language};
    bool created = false;
    const UniqueRegistryKey key = open_policy_key(asker, subkey, created);
    if (!key) return false;
    switch (read_policy(key.get())) {
        case PolicyFinding::InOrder:
            return asker.tell(text::kPolicyInOrder, true);
        case PolicyFinding::Unreadable:
            return asker.tell(text::kPolicyCannotReadValue, false);
        case PolicyFinding::ValueMissing:
            // A key the user just agreed to create is created with its value.
            if (!created && !asker.ask(text::kPolicyValueMissingQuestion)) return false;
            if (!write_policy(key.get())) return asker.tell(text::kPolicyCannotCreateValue, false);
            return asker.tell(text::kPolicyKeyCreated, true);
        case PolicyFinding::ExcludesDrives:
            if (!asker.ask(text::kPolicyValueExcludesQuestion)) return false;
            if (!write_policy(key.get())) return asker.tell(text::kPolicyCannotChangeValue, false);
            return asker.tell(text::kPolicyKeyChanged, true);
    }
    return false;
}

}  // namespace qb
