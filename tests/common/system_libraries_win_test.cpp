// The functions the program takes from shell32, comdlg32, ole32, oleaut32
// and oleacc, each called once through the program's own table, as
// Quillobrante.exe calls them (this test links none of those libraries).
// A table slot nobody fills, or a call whose convention was lost, fails
// here on whichever width runs it; so does a library taken from anywhere
// but the system folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>  // DROPFILES

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>

#include "common/system_libraries_win.h"
#include "common/win_handles_win.h"

namespace qb {
namespace {

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring folder_of_module(const wchar_t* name) {
    const HMODULE module = GetModuleHandleW(name);
    if (module == nullptr) return L"(not loaded)";
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    return lower(folder.substr(0, folder.find_last_of(L'\\')));
}

// The smallest COM object, for CoDisconnectObject.
class Plain final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = IsEqualIID(id, __uuidof(IUnknown)) ? this : nullptr;
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

TEST(SystemLibraries, EveryFunctionAnswersThroughTheTableFromTheSystemFolder) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);

    const ShellFunctions* shell = shell_functions();
    ASSERT_NE(shell, nullptr);
    SHFILEINFOW info{};
    ASSERT_NE(shell->SHGetFileInfoW(system, 0, &info, sizeof info, SHGFI_ICON), 0u);
    ASSERT_NE(info.hIcon, nullptr);
    UniqueIcon icon(info.hIcon);

    // A drop as Explorer hands it: one wide name and the point.
    const wchar_t dropped[] = L"E:\\Docs\\a.txt";
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof dropped + sizeof(wchar_t));
    ASSERT_NE(block, nullptr);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->pt = {123, 45};
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), dropped, sizeof dropped);
    GlobalUnlock(block);
    const auto drop = static_cast<HDROP>(block);
    EXPECT_EQ(shell->DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 1u);
    wchar_t name[64] = {};
    EXPECT_EQ(shell->DragQueryFileW(drop, 0, name, 64), std::wcslen(dropped));
    EXPECT_STREQ(name, dropped);
    POINT at{};
    EXPECT_TRUE(shell->DragQueryPoint(drop, &at));  // in the client area
    EXPECT_EQ(at.x, 123);
    EXPECT_EQ(at.y, 45);
    shell->DragFinish(drop);  // frees the block

    const HINSTANCE opened = shell->ShellExecuteW(nullptr, nullptr, L"E:\\no such file.qbx", nullptr, nullptr,
                                                  SW_SHOWNORMAL);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(opened), SE_ERR_FNF);

    // A colour dialog asked with a wrong size refuses at once, showing nothing.
    const CommonDialogFunctions* dialogs = common_dialog_functions();
    ASSERT_NE(dialogs, nullptr);
    CHOOSECOLORW wrong_size{};
    EXPECT_FALSE(dialogs->ChooseColorW(&wrong_size));

    const ComFunctions* com = com_functions();
    ASSERT_NE(com, nullptr);
    ASSERT_TRUE(SUCCEEDED(com->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Plain plain;
    EXPECT_EQ(com->CoDisconnectObject(&plain, 0), S_OK);

    const AutomationFunctions* automation = automation_functions();
    ASSERT_NE(automation, nullptr);
    BSTR text = automation->SysAllocString(L"Quillobrante");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(reinterpret_cast<const UINT*>(text)[-1], 12 * sizeof(wchar_t));  // the length prefix, in bytes
    EXPECT_STREQ(text, L"Quillobrante");

    const AccessibilityFunctions* accessibility = accessibility_functions();
    ASSERT_NE(accessibility, nullptr);
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    IAccessible* object = nullptr;
    ASSERT_EQ(accessibility->CreateStdAccessibleObject(window, OBJID_WINDOW, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&object)),
              S_OK);
    ASSERT_NE(object, nullptr);
    EXPECT_GT(accessibility->LresultFromObject(__uuidof(IAccessible), 0, object), 0);
    object->Release();
    DestroyWindow(window);
    com->CoUninitialize();

    // Each library by its full path in the system folder, and a second ask
    // gives the same table.
    for (const wchar_t* library : {L"shell32.dll", L"comdlg32.dll", L"ole32.dll", L"oleaut32.dll", L"oleacc.dll"}) {
        EXPECT_EQ(folder_of_module(library), lower(system)) << library;
    }
    EXPECT_EQ(shell_functions(), shell);
    EXPECT_EQ(com_functions(), com);
}

}  // namespace
}  // namespace qb
