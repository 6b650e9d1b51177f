// The search service as a thread: its messages and their order, rescans
// after a change, a drive that cannot be watched, and stopping it at any
// moment without a deadlock.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "search/found_files_file_win.h"
#include "search/watch_thread_win.h"
#include "search_test_drive_win.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

constexpr UINT kNewPrograms = WM_USER + 1;
constexpr UINT kSearchState = WM_USER + 3;
constexpr const char* kRecorderClass = "QbWatchRecorder";

struct Received {
    UINT message;
    bool searching;  // search_in_progress when it arrived
    int count_new;
};

// A hidden window that records the two messages as the main window would receive them.
class Recorder {
public:
    explicit Recorder(FoundFileList& list, std::atomic<bool>& searching) : list_(list), searching_(searching) {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = &Recorder::procedure;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = kRecorderClass;
        RegisterClassA(&window_class);
        window_ = CreateWindowExA(0, kRecorderClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        thread_ = GetCurrentThreadId();
    }
    ~Recorder() { DestroyWindow(window_); }

    HWND window() const { return window_; }
    std::vector<Received> received;
    std::function<void(UINT)> on_message;  // runs inside the handler
    bool wrong_thread = false;

    int count(UINT message) const {
        int n = 0;
        for (const Received& r : received) n += r.message == message ? 1 : 0;
        return n;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && (message == kNewPrograms || message == kSearchState)) {
            if (GetCurrentThreadId() != self->thread_) self->wrong_thread = true;
            // The list is free while a message is handled: its guard is never held across a send.
            FoundFileList::Guard lock = self->list_.guard();
            self->received.push_back({message, self->searching_.load(), self->list_.count_new()});
            lock.unlock();
            if (self->on_message) self->on_message(message);
            return 0;
        }
        return DefWindowProcA(window, message, w, l);
    }

    FoundFileList& list_;
    std::atomic<bool>& searching_;
    HWND window_ = nullptr;
    DWORD thread_ = 0;
};

// Ends the test program with a message when the test it guards is still
// running after `limit`: a stop() that deadlocks fails at once instead of
// hanging until the test command gives up.
class DeadlockWatchdog {
public:
    explicit DeadlockWatchdog(std::chrono::seconds limit)
        : timer_([this, limit] {
              std::unique_lock lock(mutex_);
              if (finished_.wait_for(lock, limit, [this] { return done_; })) return;
              std::fprintf(stderr, "the window's thread and the watch thread wait on each other\n");
              std::fflush(stderr);
              TerminateProcess(GetCurrentProcess(), 3);
          }) {}
    ~DeadlockWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        finished_.notify_all();
        timer_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread timer_;
};

// Handles this thread's messages until `done` holds or `limit_ms` passed.
bool pump_until(const std::function<bool()>& done, DWORD limit_ms = 20000) {
    const DWORD started = GetTickCount();
    while (!done()) {
        const DWORD spent = GetTickCount() - started;
        if (spent >= limit_ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(limit_ms - spent, 50), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

bool listed(const FoundFileList& list, const std::string& path) {
    FoundFileList::Guard lock = list.guard();
    for (int i = 0; i < list.count_all(); ++i)
        if (list.path_at(i) == path) return true;
    return false;
}

bool listed_as_new(FoundFileList& list, const std::string& path) {
    FoundFileList::Guard lock = list.guard();
    const FoundFile* record = list.find(path);
    return record != nullptr && record->is_new;
}

// files.dat bytes holding `paths`.
std::vector<std::uint8_t> files_dat(const std::vector<std::string>& paths) {
    FoundFileList list;
    for (const std::string& path : paths) list.add(path);
    return list.encode();
}

class WatchThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        empty_folder(kSearchRoot);
        make_folder(program_);
        make_file(std::string(kSearchRoot) + "a.exe");
        make_folder(std::string(kSearchRoot) + "Sub");
        make_file(std::string(kSearchRoot) + "Sub\\b.exe");
        make_file(std::string(kSearchRoot) + "Sub\\notes.txt");
    }
    void TearDown() override {
        watch_.stop();
        empty_folder(kSearchRoot);
    }
    WatchTarget target(std::string root = kSearchRoot) {
        return {list_, std::move(root), files_dat_, recorder_.window(), kSearchState, kNewPrograms, searching_};
    }

    const std::string program_ = std::string(kSearchRoot) + "Program";
    const std::string files_dat_ = program_ + "\\files.dat";
    FoundFileList list_;
    std::atomic<bool> searching_{false};
    Recorder recorder_{list_, searching_};
    WatchThread watch_;
};

TEST_F(WatchThreadTest, FirstRunWithoutFilesDatReportsNothingNew) {
    ASSERT_TRUE(watch_.start(target()));
    EXPECT_FALSE(watch_.start(target())) << "one thread at a time";
    ASSERT_TRUE(pump_until([&] { return watch_.waiting(); }));
    ASSERT_EQ(recorder_.received.size(), 2u);
    EXPECT_EQ(recorder_.received[0].message, kSearchState);
    EXPECT_TRUE(recorder_.received[0].searching);
    EXPECT_EQ(recorder_.received[1].message, kSearchState);
    EXPECT_FALSE(recorder_.received[1].searching);
    EXPECT_FALSE(recorder_.wrong_thread);
    EXPECT_EQ(list_.count_all(), 2);
    EXPECT_EQ(list_.count_new(), 0);
    EXPECT_TRUE(listed(list_, "Sub\\b.exe"));
    EXPECT_EQ(list_.file_path(), files_dat_);
    EXPECT_TRUE(watch_.running());

    watch_.stop();
    EXPECT_FALSE(watch_.running());
    EXPECT_FALSE(watch_.failed());
    EXPECT_FALSE(searching_);
    EXPECT_EQ(recorder_.received.size(), 2u);
    EXPECT_TRUE(save_found_files(list_));
    EXPECT_EQ(read_bytes(files_dat_), files_dat({"a.exe", "Sub\\b.exe"}));
}

TEST_F(WatchThreadTest, AProgramMissingFromFilesDatIsNew) {
    write_bytes(files_dat_, files_dat({"a.exe", "gone.exe"}));
    ASSERT_TRUE(watch_.start(target()));
    ASSERT_TRUE(pump_until([&] { return watch_.waiting(); }));
    EXPECT_EQ(list_.count_new(), 1);
    EXPECT_TRUE(listed_as_new(list_, "Sub\\b.exe"));
    EXPECT_FALSE(listed(list_, "gone.exe"));
    // First pass: the new programs are announced before the search state is cleared.
    ASSERT_EQ(recorder_.received.size(), 3u);
    EXPECT_EQ(recorder_.received[0].message, kSearchState);
    EXPECT_TRUE(recorder_.received[0].searching);
    EXPECT_EQ(recorder_.received[1].message, kNewPrograms);
    EXPECT_TRUE(recorder_.received[1].searching);
    EXPECT_EQ(recorder_.received[1].count_new, 1);
    EXPECT_EQ(recorder_.received[2].message, kSearchState);
    EXPECT_FALSE(recorder_.received[2].searching);
}

TEST_F(WatchThreadTest, ChangedNamesAreFoundByARescan) {
    const std::string root = kSearchRoot;
    ASSERT_TRUE(watch_.start(target()));
    ASSERT_TRUE(pump_until([&] { return watch_.waiting(); }));
    ASSERT_EQ(recorder_.count(kSearchState), 2);

    // Created while the thread waits (in the root: Wine watches only the
    // folder itself, though the whole tree is asked for).
    recorder_.received.clear();
    make_file(root + "arrived.exe");
    ASSERT_TRUE(pump_until([&] { return recorder_.count(kNewPrograms) > 0; })) << "no rescan";
    EXPECT_TRUE(listed_as_new(list_, "arrived.exe"));
    // A rescan: the state is set and cleared, then the new programs are announced.
    ASSERT_GE(recorder_.received.size(), 3u);
    EXPECT_EQ(recorder_.received[0].message, kSearchState);
    EXPECT_TRUE(recorder_.received[0].searching);
    EXPECT_EQ(recorder_.received[1].message, kSearchState);
    EXPECT_FALSE(recorder_.received[1].searching);
    EXPECT_EQ(recorder_.received[2].message, kNewPrograms);
    EXPECT_FALSE(recorder_.received[2].searching);
    EXPECT_EQ(recorder_.received[2].count_new, 1);

    // Renamed: the old record goes, the new name is a new program.
    ASSERT_TRUE(pump_until([&] { return watch_.waiting(); }));
    ASSERT_TRUE(MoveFileA((root + "arrived.exe").c_str(), (root + "renamed.exe").c_str()));
    ASSERT_TRUE(pump_until([&] { return listed(list_, "renamed.exe") && !listed(list_, "arrived.exe"); }));
    EXPECT_TRUE(listed_as_new(list_, "renamed.exe"));

    // Deleted while the thread still sends the messages of the last scan:
    // the notification was armed again before that scan, so this is seen.
    ASSERT_TRUE(DeleteFileA((root + "a.exe").c_str()));
    ASSERT_TRUE(pump_until([&] { return !listed(list_, "a.exe"); }));
    EXPECT_TRUE(listed(list_, "Sub\\b.exe"));
    ASSERT_TRUE(pump_until([&] { return watch_.waiting() && !searching_; }));
    EXPECT_EQ(recorder_.received.back().message, kNewPrograms) << "renamed.exe is still new";
}

TEST_F(WatchThreadTest, ADriveThatCannotBeWatchedStopsOnlyTheService) {
    write_bytes(files_dat_, files_dat({"known.exe"}));
    ASSERT_TRUE(watch_.start(target("Q:\\")));  // no drive Q: is mapped
    ASSERT_TRUE(pump_until([&] { return !watch_.running(); }));
    EXPECT_TRUE(watch_.failed());
    EXPECT_FALSE(searching_);
    ASSERT_FALSE(recorder_.received.empty());
    EXPECT_EQ(recorder_.received.back().message, kSearchState);
    EXPECT_FALSE(recorder_.received.back().searching);
    EXPECT_EQ(recorder_.count(kNewPrograms), 0);
    // The known programs stay (the drive could not be read), and files.dat is saved as usual.
    EXPECT_TRUE(listed(list_, "known.exe"));
    watch_.stop();
    EXPECT_TRUE(save_found_files(list_));
    EXPECT_EQ(read_bytes(files_dat_), files_dat({"known.exe"}));
    // The service can be started again afterwards.
    ASSERT_TRUE(watch_.start(target()));
    ASSERT_TRUE(pump_until([&] { return watch_.waiting(); }));
    EXPECT_FALSE(watch_.failed());
}

TEST_F(WatchThreadTest, StoppingFromInsideAHandlerOfItsMessage) {
    // The window decides to stop the service while the thread waits for it
    // to handle the thread's own message.
    DeadlockWatchdog watchdog(std::chrono::seconds(30));
    recorder_.on_message = [&](UINT) { watch_.stop(); };
    ASSERT_TRUE(watch_.start(target()));
    ASSERT_TRUE(pump_until([&] { return !watch_.running(); }, 10000)) << "the two threads wait on each other";
    EXPECT_EQ(recorder_.received.size(), 1u);
    EXPECT_FALSE(searching_);
}

TEST_F(WatchThreadTest, ManyStopsDuringScansOfABigTreeAreClean) {
    const std::string root = kSearchRoot;
    int programs = 2;  // a.exe and Sub\b.exe
    for (int f = 0; f < 40; ++f) {
        const std::string folder = root + "Tree" + std::to_string(f);
        make_folder(folder);
        for (int i = 0; i < 60; ++i) {
            const bool program = i % 6 == 0;
            make_file(folder + "\\file" + std::to_string(i) + (program ? ".exe" : ".dat"));
            programs += program ? 1 : 0;
        }
    }
    DeadlockWatchdog watchdog(std::chrono::seconds(120));
    int stopped_while_searching = 0;
    DWORD longest_stop = 0;
    for (int cycle = 0; cycle < 50; ++cycle) {
        SCOPED_TRACE(cycle);
        FoundFileList list;
        std::atomic<bool> searching{false};
        Recorder recorder(list, searching);
        WatchThread watch;
        ASSERT_TRUE(watch.start({list, root, files_dat_, recorder.window(), kSearchState, kNewPrograms, searching}));
        // Stop at many moments: before any message was handled (the thread
        // is blocked in its first send), and ever later into the scan.
        if (cycle % 5 != 0) {
            const DWORD delay = static_cast<DWORD>(cycle % 10) * 4;
            ASSERT_TRUE(pump_until([&] { return !recorder.received.empty(); }));
            pump_until([] { return false; }, delay);
        }
        const bool was_searching = searching;
        const DWORD started = GetTickCount();
        watch.stop();
        longest_stop = std::max(longest_stop, GetTickCount() - started);
        stopped_while_searching += was_searching ? 1 : 0;
        EXPECT_FALSE(watch.running());
        EXPECT_FALSE(searching);
        // The thread is gone: whatever it sent or posted is queued by now.
        const std::size_t handled = recorder.received.size();
        MSG pending{};
        while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
        EXPECT_EQ(recorder.received.size(), handled) << "a message after stop()";
        // A stopped first scan leaves nothing half known; a finished one knows every program.
        const int known = list.count_all();
        EXPECT_TRUE(known == 0 || known == programs) << known;
        EXPECT_EQ(list.count_new(), 0);
    }
    EXPECT_GT(stopped_while_searching, 5);
    EXPECT_LT(longest_stop, 2000u);
    std::printf("stops while searching: %d of 50, longest stop %lu ms\n", stopped_while_searching, longest_stop);
}

}  // namespace
}  // namespace qb
