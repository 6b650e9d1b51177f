// The manifest the built program carries (resource 1 of type RT_MANIFEST):
// the Windows versions it declares, the Common Controls 6 style, the
// execution level and GDI scaling. The tests of this folder run beside
// the built Quillobrante.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/wide_text_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

std::string program_manifest() {
    const std::wstring path = to_wide(test_program_folder() + "\\Quillobrante.exe");
    HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr) return {};
    std::string text;
    if (HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        if (HGLOBAL loaded = LoadResource(program, found)) {
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(program, found));
        }
    }
    FreeLibrary(program);
    return text;
}

TEST(Manifest, DeclaresTheSystemsTheStyleTheLevelAndGdiScaling) {
    const std::string manifest = program_manifest();
    ASSERT_FALSE(manifest.empty()) << "Quillobrante.exe has an RT_MANIFEST resource 1";
    const char* required[] = {
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",  // Windows 7
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",  // Windows 8
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",  // Windows 8.1
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // Windows 10 and 11
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true</gdiScaling>",
    };
    for (const char* part : required) EXPECT_NE(manifest.find(part), std::string::npos) << part;
    // Declared DPI-aware, the window would be drawn unscaled and tiny on a
    // high-DPI screen: Windows is left to scale it.
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
}

}  // namespace
}  // namespace qb
