#pragma once
// The link pictures a start could not take from icons.dat, looked up on
// one worker thread while the window is already shown: each picture that
// arrives is posted to the window, which shows it on the links waiting
// for it and keeps it for the next start.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "links/icon_cache_win.h"
#include "links/link_images_win.h"
#include "links/settings_model.h"

namespace qb {

// One picture to look up, and the links waiting for it (their
// picture_request numbers): links of one document type share one.
struct PictureJob {
    IconLookup lookup;
    std::vector<std::uint32_t> requests;
};

// What a start left to look up, with the cache run that keeps what
// arrives and decides, once all is in, what icons.dat holds next.
struct DeferredPictures {
    std::vector<PictureJob> jobs;
    std::optional<IconCacheRun> cache;
    std::size_t outstanding = 0;
    std::uint32_t last_request = 0;
    std::map<std::string, std::size_t, std::less<>> job_by_key;
    // The theme's default picture of the start, for a target the shell has
    // no icon for, loaded once for all of them.
    std::string default_picture;
    SharedPictures defaults;
    // The links outside the window's first view, whose pictures are taken
    // only once it is painted (take_unseen_pictures), with the start's
    // shared pictures (their cache is `cache`).
    std::vector<LinkImagePlan> unseen;
    std::optional<SharedPictures> start_shared;

    // A job for the lookup, or the one with its key; returns the request
    // number the link is to wait with.
    std::uint32_t add(const IconLookup& lookup);
};

// One arrival: the job's place in DeferredPictures::jobs, and its pixels
// (none: the shell has no icon, so the theme's default picture).
struct FoundPicture {
    std::size_t job = 0;
    std::optional<PicturePixels> pixels;
    // A program's own icon looked for in the file and not there: the
    // shell's picture for programs, this PC's, is not to be kept.
    bool keep = true;
};

// How one picture is looked up (tests give one that waits).
using PictureLookupFunction = std::function<FoundPicture(const IconLookup&)>;

// The worker: at most one, for one start's pictures.
class PictureLookupThread {
public:
    PictureLookupThread() = default;
    PictureLookupThread(const PictureLookupThread&) = delete;
    PictureLookupThread& operator=(const PictureLookupThread&) = delete;
    ~PictureLookupThread() { stop(); }

    // Looks the jobs' pictures up in order; after each it posts `message`
    // to `window` (both parameters 0: the message only says that
    // take_arrivals has something).
    bool start(const std::vector<PictureJob>& jobs, HWND window, UINT message,
               PictureLookupFunction look_up = nullptr);
    // The pictures that arrived since the last call, in order.
    std::vector<FoundPicture> take_arrivals();
    // No more look-ups: returns at once when the worker is between two,
    // else after at most `wait_ms` (a look-up that blocks, on a share that
    // never answers, is left to end with the process). What arrived
    // before can still be taken.
    void stop(DWORD wait_ms = 50);
    bool running() const;

private:
    struct Shared {
        std::vector<IconLookup> lookups;
        HWND window = nullptr;
        UINT message = 0;
        PictureLookupFunction look_up;
        std::atomic<bool> stopping{false};
        std::mutex lock;  // over arrivals
        std::vector<FoundPicture> arrivals;
    };
    static DWORD WINAPI run(void* shared);

    std::shared_ptr<Shared> shared_;
    HANDLE thread_ = nullptr;
};

}  // namespace qb
