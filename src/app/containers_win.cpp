// The three process-wide containers, defined in one translation unit so
// that they are constructed in this order and destroyed in reverse.
#include "app/app_globals_win.h"
#include "links/app_settings.h"
#include "search/found_files_file_win.h"

namespace qb {

BitmapCache bitmap_cache;
LinkList link_list;
FoundFileList found_files;

namespace {
// Destroyed first of all: writes files.dat before the list goes.
struct FoundFilesSavedAtExit {
    ~FoundFilesSavedAtExit() { save_found_files_at_exit(); }
} found_files_saved_at_exit;
}  // namespace

}  // namespace qb
