#include "app/single_instance_win.h"

#include <utility>

#include "common/wide_text_win.h"
#include "mainwindow/main_window_win.h"

namespace qb {

SingleInstance::SingleInstance(std::string name) : name_(std::move(name)) {
    mutex_.reset(CreateMutexW(nullptr, FALSE, to_wide(name_).c_str()));
    // Without a lock (the name is taken by another kind of object) the
    // program runs unguarded rather than not at all.
    if (!mutex_) {
        owned_ = true;
        return;
    }
    const DWORD waited = WaitForSingleObject(mutex_.get(), 0);
    owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SingleInstance::~SingleInstance() {
    if (window_ && IsWindow(window_)) RemovePropW(window_, to_wide(name_).c_str());
    if (owned_ && mutex_) ReleaseMutex(mutex_.get());
}

void SingleInstance::mark_window(HWND window) {
    if (SetPropW(window, to_wide(name_).c_str(), reinterpret_cast<HANDLE>(1))) window_ = window;
}

namespace {

struct Search {
    std::wstring name;
    HWND found;
};

BOOL CALLBACK find_marked_window(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    wchar_t class_name[32] = {};
    GetClassNameW(window, class_name, 32);
    if (to_wide(kMainClass) != class_name || GetPropW(window, search->name.c_str()) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool activate_running_copy(const std::string& name, DWORD wait_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Search search{to_wide(name), nullptr};
        EnumWindows(find_marked_window, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
            SetForegroundWindow(search.found);
            return true;
        }
        if (GetTickCount() - start >= wait_ms) return false;
        Sleep(50);
    }
}

}  // namespace qb
