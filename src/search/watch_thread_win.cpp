#include "search/watch_thread_win.h"

namespace qb {

HANDLE start_watch_thread() {
    // The drive is not watched: there is no second thread, as when the
    // thread cannot be created.
    return nullptr;
}

}  // namespace qb
