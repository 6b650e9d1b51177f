#include "search/drive_scan_win.h"

#include "common/win_handles_win.h"

namespace qb {

namespace {

// Not in the headers for the Windows versions the program targets.
constexpr FINDEX_INFO_LEVELS kFindInfoBasic = static_cast<FINDEX_INFO_LEVELS>(1);
constexpr DWORD kFindLargeFetch = 2;

class FindListing final : public FolderListing {
public:
    FindListing(UniqueFind find, const WIN32_FIND_DATAA& first) : find_(std::move(find)), data_(first) {}

    bool next(FolderEntry& entry) override {
        if (!first_pending_ && !FindNextFileA(find_.get(), &data_)) {
            broken_ = GetLastError() != ERROR_NO_MORE_FILES;
            return false;
        }
        first_pending_ = false;
        data_.cFileName[MAX_PATH - 1] = '\0';
        entry.name = data_.cFileName;
        entry.is_folder = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.is_reparse_point = (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        return true;
    }
    bool broken() const override { return broken_; }

private:
    UniqueFind find_;
    WIN32_FIND_DATAA data_;
    bool first_pending_ = true;
    bool broken_ = false;
};

}  // namespace

OpenedFolder FindFolderLister::open(const std::string& folder) {
    const std::string pattern = folder + "*.*";
    WIN32_FIND_DATAA data{};
    UniqueFind find;
    if (style_ == FindStyle::Fast) {
        find.reset(FindFirstFileExA(pattern.c_str(), kFindInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                    kFindLargeFetch));
        // A system that knows neither option refuses both: list the plain way from now on.
        if (!find && GetLastError() == ERROR_INVALID_PARAMETER) style_ = FindStyle::Plain;
    }
    if (style_ == FindStyle::Plain) {
        find.reset(FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0));
    }
    if (!find) {
        // A folder that holds nothing at all (a drive root has no "." entry) is read, not unreadable.
        const DWORD error = GetLastError();
        return {nullptr, error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES};
    }
    return {std::make_unique<FindListing>(std::move(find), data), false};
}

bool scan_drive(FoundFileList& list, const std::string& drive_root, ScanMode mode, const StopToken& stop) {
    FindFolderLister lister;
    return scan_tree(lister, list, drive_root, mode, stop);
}

}  // namespace qb
