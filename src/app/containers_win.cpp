// The program's process-wide Windows state. The three containers are
// defined in this one translation unit, so that they are constructed in
// this order (bitmap cache, link list, found-files list) and destroyed in
// reverse after the entry returns.
#include "app/app_globals_win.h"

namespace qb {

HINSTANCE app_instance = nullptr;
HWND main_window = nullptr;
HWND splash_window = nullptr;
int screen_width = 0;
int screen_height = 0;
UniqueLibrary resource_library;
UniqueFont ui_font;
bool animation_timer_running = false;
UniqueKernelHandle watch_thread;

BitmapCache bitmap_cache;
LinkList link_list;
FoundFileList found_files;

}  // namespace qb
