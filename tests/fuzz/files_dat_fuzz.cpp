// files.dat comes from a removable drive and may be anything. Loading it
// must not fault, and what the list writes back must load to the same
// records.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/byte_codec.h"
#include "search/found_file_list.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

std::vector<std::string> paths_of(qb::FoundFileList& list) {
    std::vector<std::string> paths;
    list.for_each([&paths](const qb::FoundFile& record) { paths.push_back(record.path); });
    return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qb;
    // Work is linear in the bytes; this only keeps a single run short.
    if (size > (1u << 20)) return 0;
    FoundFileList first;
    first.load_from(std::span(data, size));
    const std::vector<std::string> paths = paths_of(first);
    check(first.count_new() == 0);
    check(paths.size() * 4 <= size);  // every record took 3 + at least 1 bytes

    // A record that is only a drive prefix ("E:\") loads as an empty path;
    // written back as length 0, the next load skips it. One stored as
    // "E:\C:\x" (no file on Windows has such a name) keeps "C:\x", which
    // the next load strips again.
    std::vector<std::string> kept;
    bool prefixed = false;
    for (const std::string& path : paths) {
        check(path.size() <= kMaxStoredString);
        check(first.find(path) != nullptr);
        if (!path.empty()) kept.push_back(path);
        if (strip_drive_prefix(path).size() != path.size()) prefixed = true;
    }
    check(paths.size() - kept.size() <= 1);  // one record per path

    const std::vector<std::uint8_t> saved = first.encode();
    FoundFileList second;
    second.load_from(saved);
    check(second.count_new() == 0);
    const std::vector<std::string> reloaded = paths_of(second);
    if (prefixed) {
        check(reloaded.size() <= paths.size());
        return 0;
    }
    check(reloaded == kept);
    if (kept.size() == paths.size()) check(second.encode() == saved);
    return 0;
}
