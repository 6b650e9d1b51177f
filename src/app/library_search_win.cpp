#include "app/library_search_win.h"

#include <windows.h>
#include <delayimp.h>

#include <string>

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

// Windows 7 without its library-search update lacks it.
SetDefaultDllDirectoriesFunction default_directories() {
    return kernel_function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
}

// Libraries that the shell's and the dialogs' own libraries load by name
// later (the common controls of the side-by-side store do so under Wine
// without the limited search): loaded first from the system folder, so
// that name finds them already there.
constexpr const char* kCompanions[] = {"msimg32.dll"};

HMODULE load_by_system_path(const char* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    // Library names of the import table are plain ASCII.
    for (const char* c = name; *c != '\0'; ++c) path += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    const DWORD flags = default_directories() ? kSearchSystemFolder : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExW(path.c_str(), nullptr, flags);
}

// Every delay-loaded library by its full system-folder path; where the
// search could not be limited, its own imports are then looked for
// beside it, in the system folder, before the program's folder.
FARPROC WINAPI load_from_system_folder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr) return nullptr;
    // Kept for the whole run, as the delay-loaded libraries are.
    for (const char* companion : kCompanions) load_by_system_path(companion);
    return reinterpret_cast<FARPROC>(load_by_system_path(info->szDll));
}

}  // namespace

void limit_library_search() {
    const SetDefaultDllDirectoriesFunction set_default = default_directories();
    if (!set_default || !set_default(kSearchSystemFolder)) {
        // At least not the current folder.
        if (const auto set_directory = kernel_function<SetDllDirectoryFunction>("SetDllDirectoryW")) set_directory(L"");
    }
    // The delay-load helper's own hook, which it reads at every load.
    __pfnDliNotifyHook2 = load_from_system_folder;
}

}  // namespace qb
