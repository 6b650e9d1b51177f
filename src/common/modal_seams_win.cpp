#include "common/modal_seams_win.h"

namespace qb {

int SystemModalSeams::message_box(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

}  // namespace qb
