#include "links/picture_lookup_win.h"

#include <objbase.h>

#include "common/system_libraries_win.h"

namespace qb {

std::uint32_t DeferredPictures::add(const IconLookup& lookup) {
    const std::uint32_t request = ++last_request;
    // One look-up per picture: the same key, the same picture.
    if (!lookup.key.empty()) {
        if (const auto known = job_by_key.find(lookup.key); known != job_by_key.end()) {
            jobs[known->second].requests.push_back(request);
            return request;
        }
        job_by_key.emplace(lookup.key, jobs.size());
    }
    jobs.push_back({lookup, {request}});
    ++outstanding;
    return request;
}

bool PictureLookupThread::start(const std::vector<PictureJob>& jobs, HWND window, UINT message,
                                PictureLookupFunction look_up) {
    stop();
    shared_.reset();
    auto shared = std::make_shared<Shared>();
    for (const PictureJob& job : jobs) shared->lookups.push_back(job.lookup);
    shared->window = window;
    shared->message = message;
    shared->look_up = look_up ? std::move(look_up) : [](const IconLookup& lookup) {
        FoundPicture found;
        bool own = false;
        found.pixels = look_up_icon_pixels(lookup.path, lookup.files_first, &own);
        found.keep = !lookup.files_first || own;
        return found;
    };
    // The thread holds the shared part for as long as it runs, which may
    // be longer than this object.
    auto* handed = new std::shared_ptr<Shared>(shared);
    thread_ = CreateThread(nullptr, 0, &PictureLookupThread::run, handed, 0, nullptr);
    if (thread_ == nullptr) {
        delete handed;
        return false;
    }
    shared_ = std::move(shared);
    return true;
}

void PictureLookupThread::stop(DWORD wait_ms) {
    if (shared_) shared_->stopping = true;
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, wait_ms);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
}

std::vector<FoundPicture> PictureLookupThread::take_arrivals() {
    std::vector<FoundPicture> arrived;
    if (shared_) {
        const std::lock_guard<std::mutex> hold(shared_->lock);
        arrived.swap(shared_->arrivals);
    }
    return arrived;
}

bool PictureLookupThread::running() const {
    return thread_ != nullptr && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

DWORD WINAPI PictureLookupThread::run(void* handed) {
    const std::shared_ptr<Shared> shared = *static_cast<std::shared_ptr<Shared>*>(handed);
    delete static_cast<std::shared_ptr<Shared>*>(handed);
    // The shell wants COM on the thread that asks it for icons.
    const ComFunctions* com = com_functions();
    const bool com_started = com && SUCCEEDED(com->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    for (std::size_t i = 0; i < shared->lookups.size() && !shared->stopping; ++i) {
        FoundPicture found = shared->look_up(shared->lookups[i]);
        found.job = i;
        {
            const std::lock_guard<std::mutex> hold(shared->lock);
            shared->arrivals.push_back(std::move(found));
        }
        // Only a signal: the pictures stay with the thread's shared part,
        // so no message from elsewhere can pass for one.
        PostMessageW(shared->window, shared->message, 0, 0);
    }
    if (com_started) com->CoUninitialize();
    return 0;
}

}  // namespace qb
