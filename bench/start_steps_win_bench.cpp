// Prints what each step of the program's start costs, up to the first
// painted main window: the program's own start (run_program) runs inside
// a copy of this exe placed in a program folder, and every step it
// reports is timed from the process's creation. Medians of several
// starts, for an empty desktop and for 100 and 1,000 links with their pictures in
// icons.dat. Figures, not a test: the whole start beside a bare window is
// startup_win_bench's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/library_search_win.h"
#include "app/startup_win.h"
#include "common/file_io_win.h"
#include "common/modal_seams_win.h"
#include "common/win_handles_win.h"
#include "mainwindow/program_state_win.h"
#include "support/link_drive_win.h"
#include "support/test_support_win.h"

using namespace qb;

namespace {

constexpr int kRounds = 9;
constexpr const char* kChildExe = "start_steps.exe";

double file_time_ms(const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
           10000.0;
}

// The child: runs the program's start here, closes the window once it is
// painted, and writes "step<TAB>ms since the process was created" lines.
int run_child(const char* result_path) {
    FILETIME created{}, unused_exit{}, unused_kernel{}, unused_user{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused_exit, &unused_kernel, &unused_user);
    auto since_creation = [&] {
        FILETIME now{};
        GetSystemTimePreciseAsFileTime(&now);
        return file_time_ms(now) - file_time_ms(created);
    };
    std::vector<std::pair<std::string, double>> marks{{"process created to main", since_creation()}};
    limit_library_search();
    SystemModalSeams seams;
    ProgramState program(GetModuleHandleW(nullptr), seams);
    program.on_start_step = [&](const char* step) {
        marks.emplace_back(step, since_creation());
        if (std::strcmp(step, "shown and painted") == 0) PostMessageW(program.main_window, WM_CLOSE, 0, 0);
    };
    run_program(program);
    std::string text;
    for (const auto& [step, ms] : marks) text += step + "\t" + std::to_string(ms) + "\n";
    test::write_bytes(result_path, std::vector<std::uint8_t>(text.begin(), text.end()));
    return 0;
}

// One start of `exe` in `folder` with `steps_option` and a result file;
// the steps it reported, in order.
std::vector<std::pair<std::string, double>> start_timed(const std::string& folder, const char* exe,
                                                        const char* steps_option) {
    const std::string result_path = folder + "\\steps.txt";
    DeleteFileA(result_path.c_str());
    std::string command = "\"" + folder + "\\" + exe + "\" " + steps_option + " " + result_path;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return {};
    }
    UniqueKernelHandle process_handle(process.hProcess);
    UniqueKernelHandle thread_handle(process.hThread);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return {};
    }
    std::vector<std::pair<std::string, double>> steps;
    const std::optional<std::vector<std::uint8_t>> bytes = read_file_bytes(result_path);
    if (!bytes) return steps;
    const std::string text(bytes->begin(), bytes->end());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        if (const std::size_t tab = line.find('\t'); tab != std::string::npos) {
            steps.emplace_back(line.substr(0, tab), std::atof(line.c_str() + tab + 1));
        }
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return steps;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string lay_out(const std::string& root, int links, const std::vector<StoredLink>& targets) {
    const std::string folder = test::fresh_folder(test::kTestDrive, root.substr(3) + "\\links" + std::to_string(links));
    test::install_themes(folder);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    CopyFileW(self, system_path(folder + "\\" + kChildExe).c_str(), FALSE);
    CopyFileA((test::test_program_folder() + "\\bare_window.exe").c_str(), (folder + "\\bare_window.exe").c_str(),
              FALSE);
    const std::vector<StoredLink> first(targets.begin(), targets.begin() + links);
    test::write_bytes(folder + "\\data.qb", test::settings_with_links(first, 400, 300));
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return run_child(argv[2]);

    const std::string root = test::fresh_folder(test::kTestDrive, "stepsbench");
    const std::vector<StoredLink> targets = test::make_link_targets(root + "\\files", 1000);
    std::printf("What each step of the start costs (ms, median of %d starts; icons.dat warm).\n", kRounds);
    std::printf("The first line includes loading this benchmark's exe, larger than the program's.\n");
    // Steps of one kind of start: their medians, in the order first met.
    struct StepTimes {
        std::vector<std::string> order;
        std::map<std::string, std::vector<double>> durations;
        std::vector<double> totals;
        void add(const std::vector<std::pair<std::string, double>>& steps) {
            if (steps.empty()) return;
            double before = 0;
            for (const auto& [step, ms] : steps) {
                if (!durations.count(step)) order.push_back(step);
                durations[step].push_back(ms - before);
                before = ms;
            }
            totals.push_back(steps.back().second);
        }
    };
    for (int links : {0, 100, 1000}) {
        const std::string folder = lay_out(root, links, targets);
        start_timed(folder, kChildExe, "--child");  // leaves icons.dat, and warms the system's file cache
        StepTimes program, bare;
        for (int round = 0; round < kRounds; ++round) {
            program.add(start_timed(folder, kChildExe, "--child"));
            bare.add(start_timed(folder, "bare_window.exe", "--steps"));
        }
        std::printf("\n%d links: first painted window after %.1f ms (%zu starts); bare window: %.1f ms (%zu)\n", links,
                    median(program.totals), program.totals.size(), median(bare.totals), bare.totals.size());
        std::printf("  %-26s %8s %8s\n", "step", "program", "bare");
        for (const std::string& step : program.order) {
            std::printf("  %-26s %8.1f", step.c_str(), median(program.durations[step]));
            if (bare.durations.count(step)) std::printf(" %8.1f", median(bare.durations[step]));
            if (step == "splash created") std::printf(" %8.1f (its window created)", median(bare.durations["window created"]));
            std::printf("\n");
        }
    }
    return 0;
}
