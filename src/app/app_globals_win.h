#pragma once
// The process-wide Windows state of the running program: its instance,
// its windows, the screen, the font of its small controls, the picture
// library while it is loaded, and the three containers that live from
// before the entry until after it.
#include <windows.h>

#include "common/win_handles_win.h"
#include "links/link_list.h"
#include "render/bitmap_cache_win.h"
#include "search/found_file_list.h"

namespace qb {

extern HINSTANCE app_instance;
extern HWND main_window;
extern HWND splash_window;
extern int screen_width;
extern int screen_height;
extern UniqueLibrary resource_library;
extern UniqueFont ui_font;
extern bool animation_timer_running;
extern UniqueKernelHandle watch_thread;
// Constructed in this order before the entry runs, destroyed in reverse
// after it returns (containers_win.cpp defines them in one place).
extern BitmapCache bitmap_cache;
extern LinkList link_list;
extern FoundFileList found_files;

// Timers of the main window.
inline constexpr UINT_PTR kHintTimer = 1;
inline constexpr UINT kHintTimerPeriod = 10000;
inline constexpr UINT_PTR kIdleTimer = 2;
inline constexpr UINT kIdleTimerPeriod = 1000;
inline constexpr UINT_PTR kSlideTimer = 3;

// Commands of the two skin buttons.
inline constexpr int CMD_CLOSE = 10000;
inline constexpr int CMD_OPTIONS = 10001;

// Private messages of the main window.
inline constexpr UINT WM_NEW_PROGRAMS = WM_USER + 1;
inline constexpr UINT WM_REFRESH_DRIVE = WM_USER + 2;
inline constexpr UINT WM_SEARCH_STATE = WM_USER + 3;

inline constexpr const char* kMainClass = "Quillobrante";
inline constexpr const char* kPropertiesClass = "IconWindow";
inline constexpr const char* kOptionsClass = "OptWindow";
inline constexpr const char* kSplashClass = "LogoWindow";
inline constexpr const char* kMainTitle = "Quillobrante";

}  // namespace qb
