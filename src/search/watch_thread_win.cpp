#include "search/watch_thread_win.h"

#include "common/file_io_win.h"
#include "search/drive_scan_win.h"
#include "search/found_files_file_win.h"

namespace qb {

namespace {

// One run of the service, on the watch thread.
class WatchRun {
public:
    WatchRun(const WatchTarget& target, const std::atomic<bool>& stop_requested, HANDLE stop_event,
             std::atomic<bool>& waiting, std::atomic<bool>& failed)
        : target_(target),
          stop_requested_(stop_requested),
          stop_event_(stop_event),
          waiting_(waiting),
          failed_(failed) {}

    // The notification is armed before each scan, not after it: a name
    // that changes while the drive is walked or while the window handles
    // the messages wakes the thread again at once, instead of going unseen
    // until some later change (the system need not keep changes made while
    // no notification is armed; Wine does not).
    void run() {
        UniqueChangeNotification change(
            FindFirstChangeNotificationW(system_path(target_.drive_root).c_str(), TRUE, FILE_NOTIFY_CHANGE_FILE_NAME));
        set_searching(true);
        load_found_files(target_.found_files, target_.files_dat_path);
        // Nothing known yet: everything the first complete scan meets is
        // known, not new. Until a scan completes, later ones stay baseline
        // too, so a walk that broke off cannot make the rest of the drive
        // look new.
        baseline_pending_ = target_.found_files.count_all() == 0;
        scan();
        if (stopping()) return finish_stopped();
        // First pass: the new programs are announced while the search state is still set.
        announce_new_programs();
        set_searching(false);
        if (!change) return stop_service();
        for (;;) {
            const HANDLE handles[2] = {stop_event_, change.get()};
            waiting_ = true;
            const DWORD woken = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
            waiting_ = false;
            if (woken == WAIT_OBJECT_0) return finish_stopped();
            if (woken != WAIT_OBJECT_0 + 1 || !FindNextChangeNotification(change.get())) return stop_service();
            set_searching(true);
            scan();
            if (stopping()) return finish_stopped();
            set_searching(false);
            announce_new_programs();
        }
    }

private:
    bool stopping() const { return stop_requested_.load(); }

    void scan() {
        const ScanMode mode = baseline_pending_ ? ScanMode::Baseline : ScanMode::Update;
        const bool complete =
            scan_drive(target_.found_files, target_.drive_root, mode, StopToken(stop_requested_));
        if (complete) {
            baseline_pending_ = false;
        } else if (baseline_pending_ && stopping()) {
            // Saved as it is, half a baseline would make the rest of the
            // drive look new at the next start; an empty list makes that
            // start's first scan a baseline again.
            target_.found_files.clear();
        }
    }

    // A message to the window, unless the owner is already stopping us:
    // it may be tearing the window down and wants nothing more from here.
    void send(UINT message) {
        if (!stopping()) SendMessageW(target_.window, message, 0, 0);
    }

    void set_searching(bool on) {
        target_.search_in_progress = on;
        send(target_.search_state_message);
    }

    void announce_new_programs() {
        if (target_.found_files.count_new() > 0) send(target_.new_programs_message);
    }

    void finish_stopped() { target_.search_in_progress = false; }

    // The drive cannot be watched (the notification could not be made,
    // waited on or re-armed): only the service ends. The window learns
    // that nothing is searched any more, and the program runs on and
    // saves as usual at exit.
    void stop_service() {
        failed_ = true;
        set_searching(false);
    }

    const WatchTarget& target_;
    const std::atomic<bool>& stop_requested_;
    HANDLE stop_event_;
    std::atomic<bool>& waiting_;
    std::atomic<bool>& failed_;
    bool baseline_pending_ = false;
};

}  // namespace

bool WatchThread::start(const WatchTarget& target) {
    if (thread_) return false;
    stop_requested_ = false;
    waiting_ = false;
    failed_ = false;
    stop_event_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_event_) return false;
    target_.emplace(target);
    thread_.reset(CreateThread(nullptr, 0, &WatchThread::thread_main, this, 0, nullptr));
    if (!thread_) {
        stop_event_.reset();
        target_.reset();
        return false;
    }
    return true;
}

DWORD WINAPI WatchThread::thread_main(void* self) {
    static_cast<WatchThread*>(self)->run();
    return 0;
}

void WatchThread::run() { WatchRun(*target_, stop_requested_, stop_event_.get(), waiting_, failed_).run(); }

// The stop protocol. The watch thread talks to the window only with
// SendMessage, which blocks it until the window's thread (this one)
// handles the message; and this thread waits here for the watch thread to
// end. So that the two never wait on each other:
// 1. The stop flag and the stop event are set. The walk checks the flag
//    between folder entries, the change wait also wakes on the event, and
//    the thread sends nothing once it sees the flag.
// 2. A message the thread sent just before it saw the flag may be on its
//    way: the wait below wakes for sent messages (QS_SENDMESSAGE) and lets
//    PeekMessage deliver them, without taking posted messages or input
//    from the queue.
// 3. If this thread is itself inside the handling of a message that the
//    watch thread sent (the window stops the service from a handler),
//    ReplyMessage releases the watch thread first; it would wait for that
//    handler otherwise. It is the only thread that sends to the window.
// The list's guard is never held across a send on the watch thread's
// side, and must not be held by the caller of stop(): the walk takes it
// for every program it records.
void WatchThread::stop() {
    if (!thread_) return;
    stop_requested_ = true;
    SetEvent(stop_event_.get());
    if (InSendMessage()) ReplyMessage(0);
    // A message handled in the loop may stop the service again (re-entry):
    // that inner stop() ends the wait, so the loop checks the handle again.
    while (thread_) {
        const HANDLE thread = thread_.get();
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_SENDMESSAGE, 0);
        if (woken == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        if (woken != WAIT_OBJECT_0 && thread_) WaitForSingleObject(thread_.get(), INFINITE);
        break;
    }
    thread_.reset();
    stop_event_.reset();
    target_.reset();
    waiting_ = false;
}

bool WatchThread::running() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }

}  // namespace qb
