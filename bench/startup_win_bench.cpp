// Prints how long Quillobrante.exe takes from process creation to its
// first painted main window on drives with 0, 100 and 1,000 links, next to
// a bare Win32 program that shows one 400 x 300 popup (bare_window.exe),
// both started by the same launcher in the same Wine session, in turning
// order; and the private bytes of both at that moment. Figures, not a test.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/win_handles_win.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"

using namespace qb;

namespace {

constexpr int kRounds = 7;
constexpr DWORD kWindowTimeoutMs = 60000;
constexpr int kLinkCounts[] = {0, 100, 1000};

using Clock = std::chrono::steady_clock;

struct Launch {
    bool ok = false;
    double milliseconds = 0;
    double private_megabytes = 0;
};

struct WindowSearch {
    DWORD process_id;
    const char* window_class;
    HWND found = nullptr;
};

BOOL CALLBACK match_window(HWND window, LPARAM param) {
    auto* wanted = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->process_id || !IsWindowVisible(window)) return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, wanted->window_class) != 0) return TRUE;
    wanted->found = window;
    return FALSE;
}

// The process's window of that class, once it is visible and its first
// paint has validated it (no update region left).
HWND painted_window(DWORD process_id, const char* window_class) {
    WindowSearch wanted{process_id, window_class};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&wanted));
    if (wanted.found == nullptr || GetUpdateRect(wanted.found, nullptr, FALSE)) return nullptr;
    return wanted.found;
}

// The commit charge: Windows reports private bytes in PagefileUsage too,
// and Wine 8 fills only that field (with the process's anonymous memory).
double private_megabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.PagefileUsage / (1024.0 * 1024.0);
}

// Starts the program in its folder, waits for its first painted window,
// reads its private bytes, closes the window and waits for the end.
Launch launch(const std::string& folder, const std::string& exe, const char* window_class,
              const char* arguments = "") {
    Launch result;
    std::string command = "\"" + folder + "\\" + exe + "\"" + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return result;
    }
    UniqueKernelHandle process_handle(process.hProcess);
    UniqueKernelHandle thread_handle(process.hThread);
    HWND window = nullptr;
    while (!(window = painted_window(process.dwProcessId, window_class))) {
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) return result;
        if (Clock::now() - start > std::chrono::milliseconds(kWindowTimeoutMs)) break;
    }
    if (window) {
        result.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        result.private_megabytes = private_megabytes(process.hProcess);
        result.ok = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        result.ok = false;
    }
    return result;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    std::vector<double> milliseconds;
    std::vector<double> megabytes;
    int failures = 0;
    void add(const Launch& launch) {
        if (!launch.ok) {
            ++failures;
            return;
        }
        milliseconds.push_back(launch.milliseconds);
        megabytes.push_back(launch.private_megabytes);
    }
};

// A program folder on the test drive: Quillobrante.exe, data.dll, the
// themes, bare_window.exe and a data.qb with the links.
std::string lay_out_program(const std::string& root, int links, const std::vector<StoredLink>& targets) {
    const std::string folder = test::fresh_folder(test::kTestDrive, root.substr(3) + "\\links" + std::to_string(links));
    test::install_themes(folder);
    const std::string built = test::test_program_folder();
    CopyFileA((built + "\\Quillobrante.exe").c_str(), (folder + "\\Quillobrante.exe").c_str(), FALSE);
    CopyFileA((built + "\\bare_window.exe").c_str(), (folder + "\\bare_window.exe").c_str(), FALSE);
    const std::vector<StoredLink> first(targets.begin(), targets.begin() + links);
    test::write_bytes(folder + "\\data.qb", test::settings_with_links(first, 400, 300));
    return folder;
}

}  // namespace

int main() {
    const std::string root = test::fresh_folder(test::kTestDrive, "startbench");
    const int most = kLinkCounts[std::size(kLinkCounts) - 1];
    const std::vector<StoredLink> targets = test::make_link_targets(root + "\\files", most);
    std::vector<std::string> folders;
    for (int links : kLinkCounts) folders.push_back(lay_out_program(root, links, targets));

    // One series per drive for each program, and one of the bare program
    // that asks the shell for an icon; each round starts them in a turned
    // order, so a slow moment of the machine is shared out.
    const int drives = static_cast<int>(folders.size());
    const int kinds = drives * 2 + 1;
    std::vector<Series> series(kinds);
    for (int round = 0; round < kRounds; ++round) {
        for (int step = 0; step < kinds; ++step) {
            const int kind = (step + round) % kinds;
            if (kind == drives * 2) {
                series[kind].add(launch(folders[0], "bare_window.exe", "QbBareWindow", " --shell-icon"));
                continue;
            }
            const std::string& folder = folders[kind / 2];
            const bool bare = kind % 2 == 1;
            series[kind].add(bare ? launch(folder, "bare_window.exe", "QbBareWindow")
                                  : launch(folder, "Quillobrante.exe", "Quillobrante"));
        }
    }

    std::printf("Start-up to the first painted window, median of %d launches each, in turning order\n", kRounds);
    std::printf("(a quarter programs, the rest .txt, .ini and .pdf documents; window 400 x 300)\n");
    std::printf("%-12s %12s %12s %7s   %18s %14s %10s\n", "drive", "program", "bare window", "ratio",
                "private: program", "bare window", "more");
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const Series& program = series[i * 2];
        const Series& bare = series[i * 2 + 1];
        const double program_ms = median(program.milliseconds);
        const double bare_ms = median(bare.milliseconds);
        const double program_mb = median(program.megabytes);
        const double bare_mb = median(bare.megabytes);
        char drive[32];
        std::snprintf(drive, sizeof drive, "%d links", kLinkCounts[i]);
        std::printf("%-12s %9.0f ms %9.0f ms %7.2f   %15.1f MB %11.1f MB %+7.1f MB", drive, program_ms, bare_ms,
                    bare_ms > 0 ? program_ms / bare_ms : 0.0, program_mb, bare_mb, program_mb - bare_mb);
        if (program.failures || bare.failures) {
            std::printf("   (%d and %d launches failed)", program.failures, bare.failures);
        }
        std::printf("\n");
    }
    const Series& shell = series[drives * 2];
    std::printf("bare window that first asks the shell for one icon: %.0f ms, %.1f MB private\n",
                median(shell.milliseconds), median(shell.megabytes));
    return 0;
}
