#include "app/library_search_win.h"

#include <windows.h>

namespace qb {

namespace {

// Named here: the headers declare them only for newer system versions
// than the oldest the program starts on.
constexpr DWORD kSearchSystemFolder = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

template <typename Function>
Function kernel_function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

void limit_library_search() {
    // Windows 7 without its library-search update lacks it.
    const auto set_default = kernel_function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    if (!set_default || !set_default(kSearchSystemFolder)) {
        // At least not the current folder.
        if (const auto set_directory = kernel_function<SetDllDirectoryFunction>("SetDllDirectoryW")) set_directory(L"");
    }
}

}  // namespace qb
