#include "autorun/autorun_policy_win.h"

#include <string_view>

#include "common/modal_seams_win.h"
#include "common/ui_texts.h"
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
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        return UniqueRegistryKey(key);
    }
    if (!ask(seams, owner, text::kPolicyKeyMissingQuestion)) return {};
    if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        tell(seams, owner, text::kPolicyCannotCreateKey, false);
        return {};
    }
    created = true;
    return UniqueRegistryKey(key);
}

PolicyFinding read_policy(HKEY key) {
    BYTE data[kPolicyBufferBytes] = {};
    DWORD size = sizeof data;
    const LONG status = RegQueryValueExA(key, kAutorunPolicyValue, nullptr, nullptr, data, &size);
    if (status == ERROR_FILE_NOT_FOUND) return judge_autorun_policy(PolicyQuery::NotFound, {});
    if (status != ERROR_SUCCESS || size > sizeof data) return judge_autorun_policy(PolicyQuery::Failed, {});
    return judge_autorun_policy(PolicyQuery::Read, std::string_view(reinterpret_cast<const char*>(data), size));
}

// Nothing excluded: the REG_DWORD 0.
bool write_policy(HKEY key) {
    const DWORD none = 0;
    return RegSetValueExA(key, kAutorunPolicyValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&none),
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
