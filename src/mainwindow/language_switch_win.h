#pragma once
// The user's choice of language, from the desktop's own menu: kept on the
// stick and spoken at once by every open window.
#include <windows.h>

#include "mainwindow/main_window_data_win.h"

namespace qb {

void switch_language(MainWindow& data, HWND window, Language language);

}  // namespace qb
