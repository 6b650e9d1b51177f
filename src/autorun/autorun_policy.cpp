#include "autorun/autorun_policy.h"

namespace qb {

PolicyFinding judge_autorun_policy(PolicyQuery query, std::string_view data) {
    switch (query) {
        case PolicyQuery::NotFound:
            return PolicyFinding::ValueMissing;
        case PolicyQuery::Failed:
            return PolicyFinding::Unreadable;
        case PolicyQuery::Read:
            break;
    }
    if (data.size() > kPolicyBufferBytes) return PolicyFinding::Unreadable;
    // An empty value leaves Windows at its own default, which excludes
    // drive types: not in order.
    if (data.empty() || data.front() != '\0') return PolicyFinding::ExcludesDrives;
    return PolicyFinding::InOrder;
}

}  // namespace qb
