#pragma once
// The main window as a screen reader reads it: an MSAA object (IAccessible)
// for its client area, whose children accessible_tree.h numbers. It is
// made when the first client asks. A client may hold it after the window
// is gone: the window cuts it loose first, and from then on every call
// answers CO_E_OBJNOTCONNECTED without touching the window's data.
#include <windows.h>

#include "mainwindow/main_window_data_win.h"

namespace qb {

// WM_GETOBJECT: the object for OBJID_CLIENT; the system answers for the rest.
LRESULT on_get_object(MainWindow& data, HWND window, WPARAM wparam, LPARAM lparam);

// The window is being destroyed: its object, if any, lets go of its data.
void disconnect_accessible(MainWindow& data);

}  // namespace qb
