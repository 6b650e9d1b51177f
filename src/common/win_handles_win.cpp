#include "common/win_handles_win.h"

#include <atomic>

namespace qb {

namespace {
std::atomic<long>& handle_count() {
    static std::atomic<long> count{0};
    return count;
}
}  // namespace

void count_handle_opened() { ++handle_count(); }
void count_handle_closed() { --handle_count(); }
long live_handle_count() { return handle_count(); }

}  // namespace qb
