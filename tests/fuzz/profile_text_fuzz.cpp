// Theme.ini and autorun.inf come from the drive and may hold any bytes.
// Reading takes each without fault; a written value reads back, and every
// other section's value stays as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/profile_text.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> before = qb::profile_value(text, "other", "key");
    qb::profile_value(text, "autorun", "open");
    const std::string written = qb::with_profile_value(text, "autorun", "open", "Программы\\Метка.exe");
    check(qb::profile_value(written, "autorun", "open") == "Программы\\Метка.exe");
    check(qb::profile_value(written, "other", "key") == before);
    check(written.size() <= text.size() + 64);
    // Whatever encoding the bytes claim, reading them loses nothing.
    const qb::ProfileFile file = qb::decode_profile_file({data, size});
    check(qb::encode_profile_file(file) == std::vector<std::uint8_t>(data, data + size));
    return 0;
}
