#include "common/system_libraries_win.h"

#include <optional>
#include <string>

namespace qb {

namespace {

// Named here: the headers declare it only for newer system versions than
// the oldest the program starts on.
constexpr DWORD kSearchSystemFolder = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// Windows 7 without its library-search update lacks the flag.
bool search_can_be_limited() {
    return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories") != nullptr;
}

HMODULE load_by_system_path(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    // Where the search could not be limited, the library's own imports are
    // looked for beside it, in the system folder, before the program's.
    const DWORD flags = search_can_be_limited() ? kSearchSystemFolder : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExW(path.c_str(), nullptr, flags);
}

// Libraries that the shell's and the dialogs' own libraries load by name
// later (the common controls of the side-by-side store do so under Wine
// without the limited search): loaded first from the system folder, so
// that name finds them already there.
constexpr const wchar_t* kCompanions[] = {L"msimg32.dll"};

// Never freed: the functions taken from it are used for the whole run.
HMODULE load_system_library(const wchar_t* name) {
    for (const wchar_t* companion : kCompanions) load_by_system_path(companion);
    return load_by_system_path(name);
}

// The exported function `name` into `function`, whose type is the system's
// declaration of it (see QB_TAKE).
template <typename Function>
bool take(HMODULE library, const char* name, Function& function) {
    const FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(found));
    return function != nullptr;
}

// The member and the exported name are one word, so they cannot differ.
#define QB_TAKE(library, table, name) take(library, #name, (table).name)

// The table of one library, made once by `fill` on whichever thread asks
// first (a local static is initialised once, thread-safely) and never
// changed after; each Table type is one library's.
template <typename Table>
const Table* loaded_table(const wchar_t* library_name, bool (*fill)(HMODULE, Table&)) {
    static const std::optional<Table> table = [&]() -> std::optional<Table> {
        Table functions{};
        if (fill(load_system_library(library_name), functions)) return functions;
        return std::nullopt;
    }();
    return table ? &*table : nullptr;
}

}  // namespace

const ShellFunctions* shell_functions() {
    return loaded_table<ShellFunctions>(L"shell32.dll", [](HMODULE library, ShellFunctions& f) {
        return QB_TAKE(library, f, DragFinish) && QB_TAKE(library, f, DragQueryFileW) &&
               QB_TAKE(library, f, DragQueryPoint) && QB_TAKE(library, f, SHGetFileInfoW) &&
               QB_TAKE(library, f, ShellExecuteW);
    });
}

const CommonDialogFunctions* common_dialog_functions() {
    return loaded_table<CommonDialogFunctions>(L"comdlg32.dll", [](HMODULE library, CommonDialogFunctions& f) {
        return QB_TAKE(library, f, ChooseColorW);
    });
}

const ComFunctions* com_functions() {
    return loaded_table<ComFunctions>(L"ole32.dll", [](HMODULE library, ComFunctions& f) {
        return QB_TAKE(library, f, CoDisconnectObject) && QB_TAKE(library, f, CoInitializeEx) &&
               QB_TAKE(library, f, CoUninitialize);
    });
}

const AutomationFunctions* automation_functions() {
    return loaded_table<AutomationFunctions>(L"oleaut32.dll", [](HMODULE library, AutomationFunctions& f) {
        return QB_TAKE(library, f, SysAllocString);
    });
}

const AccessibilityFunctions* accessibility_functions() {
    return loaded_table<AccessibilityFunctions>(L"oleacc.dll", [](HMODULE library, AccessibilityFunctions& f) {
        return QB_TAKE(library, f, CreateStdAccessibleObject) && QB_TAKE(library, f, LresultFromObject);
    });
}

}  // namespace qb
