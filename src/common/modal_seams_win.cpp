#include "common/modal_seams_win.h"

#include "common/system_libraries_win.h"
#include "common/wide_text_win.h"

namespace qb {

int SystemModalSeams::message_box(HWND owner, text::Id text, text::Id caption, UINT type, Language language) {
    // Buttons in the texts' language too, where the system has the
    // language's resources; otherwise in the system's own.
    const std::wstring wide_text = to_wide(ui_text(text, language));
    const std::wstring wide_caption = to_wide(ui_text(caption, language));
    const int answer =
        language_box_(owner, wide_text.c_str(), wide_caption.c_str(), type, kLanguageSystemIds[language_index(language)]);
    if (answer != 0) return answer;
    return plain_box_(owner, wide_text.c_str(), wide_caption.c_str(), type);
}

void SystemModalSeams::popup_menu(HMENU menu, int x, int y, HWND owner) {
    TrackPopupMenu(menu, 0, x, y, 0, owner, nullptr);
}

void SystemModalSeams::shell_open(HWND owner, const char* path, const char* folder) {
    const ShellFunctions* shell = shell_functions();
    if (!shell) return;
    const std::wstring wide_path = to_wide(path);
    const std::wstring wide_folder = folder ? to_wide(folder) : std::wstring();
    shell->ShellExecuteW(owner, nullptr, wide_path.c_str(), nullptr, folder ? wide_folder.c_str() : nullptr, SW_SHOWNORMAL);
}

bool SystemModalSeams::choose_color(HWND owner, COLORREF& color) {
    const CommonDialogFunctions* dialogs = common_dialog_functions();
    if (!dialogs) return false;
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = color;
    // A fresh table for every opening: three reds to start from, the other
    // places white.
    COLORREF custom_colors[16] = {RGB(255, 0, 0), RGB(222, 0, 0), RGB(222, 0, 0)};
    for (int i = 3; i < 16; ++i) custom_colors[i] = RGB(255, 255, 255);
    dialog.lpCustColors = custom_colors;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!dialogs->ChooseColorW(&dialog)) return false;
    color = dialog.rgbResult;
    return true;
}

}  // namespace qb
