#include "common/aside_name.h"

namespace qb {

std::string aside_name(std::string_view path, int attempt) {
    std::string name(path);
    name.append(".unread");
    if (attempt > 1) name.append(std::to_string(attempt));
    return name;
}

}  // namespace qb
