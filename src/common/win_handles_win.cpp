#include "common/win_handles_win.h"

namespace qb {

// Every owner of a handle counts itself here (see UniqueHandle).
std::atomic<long> live_handle_count{0};

}  // namespace qb
