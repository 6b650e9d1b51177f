#include "search/drive_scan.h"

#include <vector>

#include "search/executable_name.h"

namespace qb {

void record_found(FoundFileList& list, std::string_view path, ScanMode mode) {
    FoundFileList::Guard lock = list.guard();
    FoundFile& record = list.add(path);
    if (mode == ScanMode::Baseline) record.is_new = false;
}

namespace {

struct OpenLevel {
    std::string prefix;  // the folder's path, ending with a backslash
    std::unique_ptr<FolderListing> listing;
};

// The walk keeps one open listing per level on a stack of its own, so a
// deep tree costs heap, not the thread's stack. Returns false when it was
// stopped, the root could not be read or a listing broke off.
bool walk_tree(FolderLister& lister, FoundFileList& list, std::string root, ScanMode mode, const StopToken& stop) {
    OpenedFolder opened = lister.open(root);
    if (opened.unreadable) return false;
    // Records are relative to the root, whatever its form ("E:\" or a
    // network share's "\\server\share\").
    const std::size_t root_length = root.size();
    std::vector<OpenLevel> levels;
    if (opened.listing) levels.push_back({std::move(root), std::move(opened.listing)});
    std::string path;
    FolderEntry entry;
    while (!levels.empty()) {
        if (stop.stop_requested()) return false;
        OpenLevel& level = levels.back();
        if (!level.listing->next(entry)) {
            if (level.listing->broken()) return false;
            levels.pop_back();
            continue;
        }
        if (entry.name.empty() || entry.name == "." || entry.name == "..") continue;
        path.assign(level.prefix).append(entry.name);
        if (entry.is_folder) {
            if (entry.is_reparse_point) continue;
            path.push_back('\\');
            OpenedFolder child = lister.open(path);
            if (child.listing) levels.push_back({path, std::move(child.listing)});
        } else if (is_executable_name(entry.name)) {
            record_found(list, std::string_view(path).substr(root_length), mode);
        }
    }
    return true;
}

}  // namespace

bool scan_tree(FolderLister& lister, FoundFileList& list, std::string_view root, ScanMode mode,
               const StopToken& stop) {
    std::string prefix(root);
    if (prefix.empty() || prefix.back() != '\\') prefix.push_back('\\');
    list.mark_all_not_seen();
    if (!walk_tree(lister, list, std::move(prefix), mode, stop)) return false;
    list.remove_not_seen();
    return true;
}

}  // namespace qb
