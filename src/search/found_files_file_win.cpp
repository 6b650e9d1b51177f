#include "search/found_files_file_win.h"

#include "common/file_io_win.h"

namespace qb {

void load_found_files(FoundFileList& list, const std::string& path) {
    list.set_file_path(path);
    if (auto bytes = read_file_bytes(path)) list.load_from(*bytes);
}

bool save_found_files(const FoundFileList& list) {
    const auto& path = list.file_path();
    if (!path || path->empty()) return false;
    return write_file_replacing(*path, list.encode());
}

bool found_files_need_saving(const FoundFileList& list, bool use_search_service) {
    return use_search_service && list.dirty();
}

}  // namespace qb
