#include "search/drive_scan_win.h"

#include "common/file_io_win.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"

namespace qb {

namespace {

// Not in the headers for the Windows versions the program targets.
constexpr FINDEX_INFO_LEVELS kFindInfoBasic = static_cast<FINDEX_INFO_LEVELS>(1);
constexpr DWORD kFindLargeFetch = 2;

// A name of plain ASCII, copied as it is: nearly every name on a drive,
// and the scan meets them by the hundred thousand.
bool copy_if_ascii(const wchar_t* name, std::string& out) {
    out.clear();
    for (const wchar_t* c = name; *c != L'\0'; ++c) {
        if (*c >= 0x80) return false;
        out.push_back(static_cast<char>(*c));
    }
    return true;
}

class FindListing final : public FolderListing {
public:
    FindListing(UniqueFind find, const WIN32_FIND_DATAW& first, std::wstring folder)
        : find_(std::move(find)), data_(first), folder_(std::move(folder)) {}

    bool next(FolderEntry& entry) override {
        for (;;) {
            if (!first_pending_ && !FindNextFileW(find_.get(), &data_)) {
                broken_ = GetLastError() != ERROR_NO_MORE_FILES;
                return false;
            }
            first_pending_ = false;
            data_.cFileName[MAX_PATH - 1] = L'\0';
            data_.cAlternateFileName[13] = L'\0';
            // An item that has no name in code page 1251 is left out: stored
            // with '?' for the characters it lacks, it would name nothing.
            if (!storable_name()) continue;
            entry.name = name_;
            entry.is_folder = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entry.is_reparse_point = (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            return true;
        }
    }
    bool broken() const override { return broken_; }

private:
    // The entry's name as the program keeps it, in name_: the long name
    // when code page 1251 holds it, otherwise its short name, which opens
    // the same item.
    bool storable_name() {
        if (copy_if_ascii(data_.cFileName, name_)) return true;
        if (std::optional<std::string> name = to_1251(data_.cFileName)) {
            name_ = std::move(*name);
            return true;
        }
        // The plain listing gives the short name; the fast one does not.
        if (data_.cAlternateFileName[0] != L'\0') {
            if (std::optional<std::string> name = to_1251(data_.cAlternateFileName)) {
                name_ = std::move(*name);
                return true;
            }
        }
        const std::optional<std::string> path = storable_path(folder_ + data_.cFileName);
        if (!path) return false;
        const std::size_t slash = path->find_last_of('\\');
        name_ = slash == std::string::npos ? *path : path->substr(slash + 1);
        return !name_.empty();
    }

    UniqueFind find_;
    WIN32_FIND_DATAW data_;
    std::wstring folder_;  // the listed folder as the system names it, ending with a backslash
    std::string name_;
    bool first_pending_ = true;
    bool broken_ = false;
};

}  // namespace

OpenedFolder FindFolderLister::open(const std::string& folder) {
    // The pattern, not the folder, decides whether the long form is needed.
    const std::wstring pattern = system_path(folder + "*.*");
    std::wstring wide_folder = pattern.substr(0, pattern.size() - 3);
    WIN32_FIND_DATAW data{};
    UniqueFind find;
    if (style_ == FindStyle::Fast) {
        find.reset(FindFirstFileExW(pattern.c_str(), kFindInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                    kFindLargeFetch));
        // A system that knows neither option refuses both: list the plain way from now on.
        if (!find && GetLastError() == ERROR_INVALID_PARAMETER) style_ = FindStyle::Plain;
    }
    if (style_ == FindStyle::Plain) {
        find.reset(FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0));
    }
    if (!find) {
        // A folder that holds nothing at all (a drive root has no "." entry) is read, not unreadable.
        const DWORD error = GetLastError();
        return {nullptr, error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES};
    }
    return {std::make_unique<FindListing>(std::move(find), data, std::move(wide_folder)), false};
}

bool scan_drive(FoundFileList& list, const std::string& drive_root, ScanMode mode, const StopToken& stop) {
    FindFolderLister lister;
    return scan_tree(lister, list, drive_root, mode, stop);
}

}  // namespace qb
