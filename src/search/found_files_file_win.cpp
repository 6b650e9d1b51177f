#include "search/found_files_file_win.h"

#include "app/app_globals_win.h"
#include "app/program_location.h"
#include "common/file_io_win.h"
#include "links/app_settings.h"

namespace qb {

namespace {
bool saved_at_exit = false;
}

void load_found_files() {
    found_files.set_file_path(beside_program("\\files.dat"));
    if (auto bytes = read_file_bytes(*found_files.file_path())) found_files.load_from(*bytes);
}

void save_found_files() {
    const auto& path = found_files.file_path();
    if (!path) return;
    write_file_replacing(*path, found_files.encode());
}

bool found_files_need_saving() { return found_files.dirty() && app_settings.use_search_service; }

void save_found_files_at_exit() {
    if (saved_at_exit) return;
    saved_at_exit = true;
    if (found_files_need_saving()) save_found_files();
}

}  // namespace qb
