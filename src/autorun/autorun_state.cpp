#include "autorun/autorun_state.h"

namespace qb {

std::uint16_t autorun_state = 0;

}  // namespace qb
