#pragma once
// What opening a link hands to the shell: the path and its working folder,
// and whether the program closes afterwards.
#include <optional>
#include <string>
#include <string_view>

#include "links/link_list.h"

namespace qb {

// The folder a target is opened in: the path cut at its last backslash.
// A cut that leaves only a drive ("E:") keeps its backslash, since "E:"
// alone means drive E's current folder, not its root; a path without a
// backslash has no folder of its own: none.
std::optional<std::string> working_folder(std::string_view path);

struct OpenRequest {
    std::string path;                   // check it exists before opening
    std::optional<std::string> folder;  // none: the shell picks
    bool quit_after = false;            // post WM_QUIT once it is opened
};

// Opening `link` from a program on `drive_root` ("E:\"); none when the
// link names nothing at all (no target, not relative to the root).
std::optional<OpenRequest> open_request(const Link& link, std::string_view drive_root, bool keep_running);

}  // namespace qb
