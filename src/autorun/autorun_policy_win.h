#pragma once
// The per-user registry policy that decides whether Windows honours
// autorun files: checked, and with the user's consent repaired, so that
// no drive type is excluded.
#include <windows.h>

#include "autorun/autorun_policy.h"
#include "common/modal_seams_win.h"

namespace qb {

// Checks NoDriveTypeAutoRun under HKEY_CURRENT_USER\`subkey`, asking
// before every change and reporting the outcome in message boxes owned by
// `owner` and asked through `seams`. True when the value is in order or was written; false when the
// user declined or the registry refused.
bool check_autorun_policy(ModalSeams& seams, HWND owner, Language language, const char* subkey = kAutorunPolicyKey);

}  // namespace qb
