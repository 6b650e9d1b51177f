#pragma once
// The functions the program takes from system libraries that Windows would
// also look for in the program's folder, which is the stick: shell32,
// comdlg32, and ole32, oleaut32 and oleacc for screen readers. Each library
// is loaded at the first use of one of its functions, by its full path in
// the system folder, and its functions are looked up once, into a table
// typed by the system's own declarations: the calling convention comes
// with the declaration, so no cast can lose it on 32-bit Windows.
//
// The exe imports none of these libraries, so a direct call to one of
// these functions does not link. A new function from them goes into its
// library's table here.
#include <windows.h>
#include <commdlg.h>
#include <oleacc.h>
#include <shellapi.h>

namespace qb {

struct ShellFunctions {
    decltype(&::DragFinish) DragFinish;
    decltype(&::DragQueryFileW) DragQueryFileW;
    decltype(&::DragQueryPoint) DragQueryPoint;
    decltype(&::SHGetFileInfoW) SHGetFileInfoW;
    decltype(&::ShellExecuteW) ShellExecuteW;
};

struct CommonDialogFunctions {
    decltype(&::ChooseColorW) ChooseColorW;
};

struct ComFunctions {
    decltype(&::CoDisconnectObject) CoDisconnectObject;
    decltype(&::CoInitializeEx) CoInitializeEx;
    decltype(&::CoUninitialize) CoUninitialize;
};

struct AutomationFunctions {
    decltype(&::SysAllocString) SysAllocString;
};

struct AccessibilityFunctions {
    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
    decltype(&::LresultFromObject) LresultFromObject;
};

// Each table is complete or absent: none when the library or one of its
// functions could not be had from the system folder, and then the caller
// does without. Loaded at the first call, from any thread, and kept for
// the whole run, as libraries the exe imported would be.
const ShellFunctions* shell_functions();
const CommonDialogFunctions* common_dialog_functions();
const ComFunctions* com_functions();
const AutomationFunctions* automation_functions();
const AccessibilityFunctions* accessibility_functions();

}  // namespace qb
