#pragma once
// One running copy per program file: two copies on one drive would each
// write the whole data.qb and drop the other's changes. The first copy
// holds a named mutex made from its full path (letter case aside); a
// later start of the same file brings that copy's desktop to the front
// and ends. A copy on another stick is another path and runs normally.
#include <windows.h>

#include <string>

#include "common/win_handles_win.h"

namespace qb {

class SingleInstance {
public:
    // Takes the lock named `name` (program_instance_name) if no running
    // copy holds it. A lock left by a copy that was killed is taken over.
    explicit SingleInstance(std::string name);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    // This copy runs the desktop (it holds the lock).
    bool first() const { return owned_; }
    // Marks `window` as this copy's desktop, for later starts to find.
    void mark_window(HWND window);

private:
    std::string name_;
    UniqueKernelHandle mutex_;
    bool owned_ = false;
    HWND window_ = nullptr;
};

// Brings the desktop of the running copy named `name` to the front,
// waiting up to `wait_ms` for it to appear (that copy may still be
// starting); false when no such window showed up.
bool activate_running_copy(const std::string& name, DWORD wait_ms);

}  // namespace qb
