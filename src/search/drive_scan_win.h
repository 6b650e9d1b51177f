#pragma once
// One walk of the drive for executables with the system's find functions.
#include <string>

#include "search/drive_scan.h"

namespace qb {

// How folders are listed. The fast way asks for no short names and larger
// batches (not known before Windows 7: the lister falls back by itself).
enum class FindStyle { Fast, Plain };

// Lists folders with FindFirstFileExW / FindNextFileW. Names come in code
// page 1251; an item whose name it cannot hold comes by its short name,
// and one without such a short name is left out.
class FindFolderLister final : public FolderLister {
public:
    explicit FindFolderLister(FindStyle style = FindStyle::Fast) : style_(style) {}
    OpenedFolder open(const std::string& folder) override;

private:
    FindStyle style_;
};

// One scan of the drive under `drive_root` ("E:\"): see scan_tree. Returns
// whether it completed; a stopped or failed walk removes no record.
bool scan_drive(FoundFileList& list, const std::string& drive_root, ScanMode mode, const StopToken& stop);

}  // namespace qb
