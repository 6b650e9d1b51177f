#pragma once
// icons.dat beside data.qb: the link pictures one start made, read by the
// next, so that a warm start neither opens the programs on the drive nor
// asks the shell (the key rules and the file are in icon_cache.h).
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "common/program_location.h"
#include "links/icon_cache.h"
#include "links/link_list.h"

namespace qb {

std::string icon_cache_path(const ProgramLocation& location);

// This machine's part of the keys that carry one (see machine_key).
std::string this_machine_key();
// This screen's part of the keys of files' own icons (see screen_key).
std::string this_screen_key();

// One start's use of the cache: the pictures icons.dat held, and what the
// start showed, which is what the next start finds.
class IconCacheRun {
public:
    // Reads icons.dat; a file that is not a whole cache counts as none.
    explicit IconCacheRun(const ProgramLocation& location);

    const std::string& machine() const { return machine_; }
    const std::string& screen() const { return screen_; }
    // The stored pixels under the key; null when there are none. A key
    // found here is kept for the next start.
    const PicturePixels* stored(const std::string& key);
    // A picture made from stored pixels, shared by every link that shows
    // them (filled by the caller).
    std::map<const PicturePixels*, LinkImage> made;
    // A picture looked up under the key, for the next start.
    void keep(const std::string& key, const PicturePixels& pixels);

    // The cache to write (next_icon_cache): this start's pictures first,
    // other machines' kept after them. Nothing when the file needs no
    // writing.
    std::optional<IconCache> result() const;

private:
    std::optional<IconCache> read_;
    bool file_refused_ = false;
    std::set<std::string, std::less<>> hits_;
    IconCache looked_up_;
    std::string machine_;
    std::string screen_;
};

// Writes the cache through a temporary file; false when that failed.
bool write_icon_cache(const ProgramLocation& location, const IconCache& cache);

}  // namespace qb
