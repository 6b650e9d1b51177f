#include "search/watch_thread_win.h"

namespace qb {

HANDLE start_watch_thread() {
    // Not built yet: the drive scan comes with the search work. Until then
    // there is no second thread, as when the thread cannot be created.
    return nullptr;
}

}  // namespace qb
