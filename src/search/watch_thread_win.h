#pragma once
// The new-programs search service: one worker thread that loads files.dat,
// scans the drive, then waits for file-name changes on it and scans again
// after each one, telling the main window by sent messages.
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

#include "common/win_handles_win.h"
#include "search/found_file_list.h"

namespace qb {

// What the thread works on, given by its owner. Everything here must
// outlive the thread, that is, stay until stop() has returned.
struct WatchTarget {
    FoundFileList& found_files;
    std::string drive_root;      // "E:\"
    std::string files_dat_path;  // loaded by the thread's first pass
    HWND window;                 // receives the two messages by SendMessage
    UINT search_state_message;   // sent when search_in_progress was set or cleared
    UINT new_programs_message;   // sent after a scan that leaves new records
    std::atomic<bool>& search_in_progress;
};

class WatchThread {
public:
    WatchThread() = default;
    WatchThread(const WatchThread&) = delete;
    WatchThread& operator=(const WatchThread&) = delete;
    ~WatchThread() { stop(); }

    // Starts the thread; false when it cannot be started (the program then
    // runs without the service) or when one is already started.
    bool start(const WatchTarget& target);
    // Ends the thread and waits for it, answering its messages meanwhile
    // (see the protocol in the source). Call it on the window's thread,
    // without holding the found-files list's guard. Afterwards the thread
    // touches nothing of the target, and start() may be called again.
    void stop();

    // The thread has been started and has not ended yet.
    bool running() const;
    // The thread waits on an armed change notification: a file name that
    // changes from now on is seen.
    bool waiting() const { return waiting_; }
    // The service stopped by itself because the drive could not be watched.
    bool failed() const { return failed_; }

private:
    static DWORD WINAPI thread_main(void* self);
    void run();

    std::optional<WatchTarget> target_;
    UniqueKernelHandle thread_;
    UniqueKernelHandle stop_event_;
    std::atomic<bool> stop_requested_{false};
    std::atomic<bool> waiting_{false};
    std::atomic<bool> failed_{false};
};

}  // namespace qb
