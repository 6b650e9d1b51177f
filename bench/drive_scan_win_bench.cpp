// Prints how long the new-programs scan takes under Wine on a generated
// drive of 100,000 files in 5,000 folders, 10,000 of them programs: a
// baseline scan of an empty list, and an update scan after 100 programs
// arrived; each next to a bare find-first/find-next walk of the same tree
// timed in the same run. Figures, not a test.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/win_handles_win.h"
#include "search/drive_scan_win.h"

using namespace qb;

namespace {

constexpr const char* kTree = "E:\\scanbench\\";
constexpr int kTopFolders = 50;
constexpr int kSubfoldersEach = 99;  // 50 + 50 x 99 = 5,000 folders
constexpr int kFilesEach = 20;       // 100,000 files
constexpr int kProgramsEach = 2;     // 10,000 programs
constexpr int kArrivals = 100;
constexpr int kRounds = 9;

using Clock = std::chrono::steady_clock;

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool make_file(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return file.valid();
}

std::vector<std::string> leaf_folders() {
    std::vector<std::string> folders;
    for (int t = 0; t < kTopFolders; ++t) {
        const std::string top = std::string(kTree) + "Top" + std::to_string(t) + "\\";
        folders.push_back(top);
        for (int s = 0; s < kSubfoldersEach; ++s) folders.push_back(top + "Folder " + std::to_string(s) + "\\");
    }
    return folders;
}

bool generate_tree() {
    CreateDirectoryA(std::string(kTree).c_str(), nullptr);
    for (const std::string& folder : leaf_folders()) {
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        for (int f = 0; f < kFilesEach; ++f) {
            const bool program = f < kProgramsEach;
            const std::string name =
                (program ? "tool " : "document ") + std::to_string(f) + (program ? ".exe" : ".txt");
            if (!make_file(folder + name)) return false;
        }
    }
    return true;
}

void remove_tree(const std::string& folder) {
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA entry{};
    {
        UniqueFind find(FindFirstFileA((folder + "*").c_str(), &entry));
        if (find) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..") continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    subfolders.push_back(folder + name + "\\");
                } else {
                    DeleteFileA((folder + name).c_str());
                }
            } while (FindNextFileA(find.get(), &entry));
        }
    }
    for (const std::string& sub : subfolders) remove_tree(sub);
    RemoveDirectoryA(folder.c_str());
}

// The floor: every entry listed, every folder entered, nothing recorded.
void bare_walk(const std::string& folder, long& entries) {
    WIN32_FIND_DATAA entry{};
    UniqueFind find(FindFirstFileA((folder + "*.*").c_str(), &entry));
    if (!find) return;
    do {
        ++entries;
        const std::string_view name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) bare_walk(folder + entry.cFileName + "\\", entries);
    } while (FindNextFileA(find.get(), &entry));
}

double time_bare_walk() {
    long entries = 0;
    const auto start = Clock::now();
    bare_walk(kTree, entries);
    return milliseconds_since(start);
}

double time_scan(FoundFileList& list, ScanMode mode, FindStyle style) {
    FindFolderLister lister(style);
    const auto start = Clock::now();
    scan_tree(lister, list, kTree, mode, StopToken{});
    return milliseconds_since(start);
}

}  // namespace

int main() {
    std::printf("Drive scan: %d files in %d folders, %d programs, under %s\n",
                kTopFolders * (kSubfoldersEach + 1) * kFilesEach, kTopFolders * (kSubfoldersEach + 1),
                kTopFolders * (kSubfoldersEach + 1) * kProgramsEach, kTree);
    remove_tree(kTree);
    auto start = Clock::now();
    if (!generate_tree()) {
        std::printf("cannot generate the tree (error %lu)\n", GetLastError());
        remove_tree(kTree);
        return 1;
    }
    std::printf("  generated in %.0f ms\n", milliseconds_since(start));
    // What the program knew before the 100 programs arrived: a baseline
    // scan of the same root, kept as files.dat keeps it between runs.
    std::vector<std::uint8_t> known_before;
    {
        FoundFileList baseline;
        time_scan(baseline, ScanMode::Baseline, FindStyle::Fast);
        known_before = baseline.encode();
    }
    const std::vector<std::string> folders = leaf_folders();
    for (int i = 0; i < kArrivals; ++i)
        make_file(folders[static_cast<std::size_t>(i) * 47 % folders.size()] + "arrived " + std::to_string(i) + ".exe");
    time_bare_walk();  // the first walk fills the system's caches; every figure below is a warm one

    // Each round times every kind once, in an order that turns from round
    // to round, so that a slower moment of the machine (the freshly written
    // tree still going to the disk, other work) weighs on all of them alike.
    enum Kind { Bare, Baseline, BaselinePlain, Update, UpdatePlain, Kinds };
    std::vector<double> times[Kinds];
    int count_after_baseline = 0;
    int new_after_update = 0;
    for (int round = 0; round < kRounds; ++round) {
        // The update finds the 100 programs that arrived since the baseline.
        FoundFileList before_fast, before_plain;
        for (FoundFileList* list : {&before_fast, &before_plain}) {
            list->load_from(known_before);
        }
        for (int step = 0; step < Kinds; ++step) {
            const Kind kind = static_cast<Kind>((step + round) % Kinds);
            FoundFileList fresh;
            switch (kind) {
            case Bare: times[kind].push_back(time_bare_walk()); break;
            case Baseline:
                times[kind].push_back(time_scan(fresh, ScanMode::Baseline, FindStyle::Fast));
                count_after_baseline = fresh.count_all();
                break;
            case BaselinePlain: times[kind].push_back(time_scan(fresh, ScanMode::Baseline, FindStyle::Plain)); break;
            case Update:
                times[kind].push_back(time_scan(before_fast, ScanMode::Update, FindStyle::Fast));
                new_after_update = before_fast.count_new();
                break;
            case UpdatePlain: times[kind].push_back(time_scan(before_plain, ScanMode::Update, FindStyle::Plain)); break;
            case Kinds: break;
            }
        }
    }
    const double floor = median(times[Bare]);
    const auto line = [&](const char* what, Kind kind, const std::string& note) {
        const double m = median(times[kind]);
        std::printf("  %-30s median %7.1f ms  (fastest %7.1f)  %.2f x the bare walk%s\n", what, m,
                    *std::min_element(times[kind].begin(), times[kind].end()), m / floor, note.c_str());
    };
    std::printf("  %d rounds; the scans use the fast listing (no short names, large batches) unless plain\n",
                kRounds);
    line("bare FindFirstFile walk", Bare, "");
    line("baseline scan", Baseline, "  (" + std::to_string(count_after_baseline) + " programs)");
    line("baseline scan, plain listing", BaselinePlain, "");
    line("update scan after 100 arrived", Update,
         "  (" + std::to_string(new_after_update) + " new" +
             (new_after_update == kArrivals ? ")" : ", not the " + std::to_string(kArrivals) + " that arrived!)"));
    line("update scan, plain listing", UpdatePlain, "");

    start = Clock::now();
    remove_tree(kTree);
    std::printf("  removed in %.0f ms\n", milliseconds_since(start));
    return 0;
}
