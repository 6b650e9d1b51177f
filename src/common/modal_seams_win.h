#pragma once
// The few modal things the program asks of Windows (message boxes for
// now) go through this one interface, passed to whoever asks. The
// program passes the real calls; tests pass answers and record what was
// asked.
#include <windows.h>

namespace qb {

class ModalSeams {
public:
    virtual ~ModalSeams() = default;
    virtual int message_box(HWND owner, const char* text, const char* caption, UINT type) = 0;
};

// The real calls.
class SystemModalSeams final : public ModalSeams {
public:
    int message_box(HWND owner, const char* text, const char* caption, UINT type) override;
};

}  // namespace qb
