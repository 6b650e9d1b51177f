#pragma once
// The drive scan's rules, apart from how a folder is read: which entries
// count, the order of the walk, which folders are entered, and how a
// baseline or an update scan marks what it meets. The Windows walk
// (drive_scan_win) supplies the folder listings.
#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "search/found_file_list.h"

namespace qb {

enum class ScanMode {
    Baseline,  // the list was empty: everything met is known, nothing is new
    Update,    // records met keep their is_new; records the scan creates are new
};

// A stop request that a long walk checks between entries. It reads an
// atomic flag, not a kernel object, so checking it costs next to nothing.
// A default token never asks to stop.
class StopToken {
public:
    StopToken() = default;
    explicit StopToken(const std::atomic<bool>& requested) : requested_(&requested) {}
    bool stop_requested() const { return requested_ != nullptr && requested_->load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>* requested_ = nullptr;
};

// Records an executable met at `path` (relative to the drive root; a
// drive prefix is dropped by the list): found or created, no longer "not
// seen", and known rather than new in a baseline scan. One lock for the
// whole change.
void record_found(FoundFileList& list, std::string_view path, ScanMode mode);

struct FolderEntry {
    std::string_view name;          // valid until the listing's next call
    bool is_folder = false;
    bool is_reparse_point = false;  // a junction, symbolic link or mount point
};

// The entries of one folder, in the order the file system returns them.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // The next entry; false after the last one, or when the listing broke off.
    virtual bool next(FolderEntry& entry) = 0;
    // The listing broke off with an error before its end (the drive failed).
    virtual bool broken() const { return false; }
};

struct OpenedFolder {
    std::unique_ptr<FolderListing> listing;  // null when there is nothing to list
    bool unreadable = false;                 // null because the folder could not be read
};

class FolderLister {
public:
    virtual ~FolderLister() = default;
    // Starts listing `folder`, a path that ends with a backslash.
    virtual OpenedFolder open(const std::string& folder) = 0;
};

// One scan of the tree under `root` ("E:\" or "\\server\share\"; a
// missing final backslash is added): marks every record not seen, walks the tree depth-first in the
// lister's order (each folder's subtree when its entry is met; hidden and
// system folders included, reparse points not entered, so a link back
// into the tree cannot make the walk endless), records every executable,
// and removes the records it did not meet. A walk that was stopped, whose
// root could not be read, or one of whose listings broke off, is
// incomplete and removes nothing: a drive that is briefly unreadable must
// not make every known program look new at the next scan. Returns whether
// the scan completed. Folders below the root that cannot be opened (no
// access, gone) are skipped, and their records go.
bool scan_tree(FolderLister& lister, FoundFileList& list, std::string_view root, ScanMode mode,
               const StopToken& stop);

}  // namespace qb
