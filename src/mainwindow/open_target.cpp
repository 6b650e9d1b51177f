#include "mainwindow/open_target.h"

namespace qb {

std::optional<std::string> working_folder(std::string_view path) {
    const std::size_t cut = path.rfind('\\');
    if (cut == std::string_view::npos) return std::nullopt;
    std::string folder(path.substr(0, cut));
    const bool only_drive = folder.size() == 2 && folder[1] == ':';
    // A root of the current drive ("\app.exe") is a root too.
    if (only_drive || folder.empty()) folder += '\\';
    return folder;
}

std::optional<OpenRequest> open_request(const Link& link, std::string_view drive_root, bool keep_running) {
    if (!link.target && !link.root_relative) return std::nullopt;
    OpenRequest request;
    const std::string target = link.target.value_or("");
    request.path = link.root_relative ? std::string(drive_root) + target : target;
    request.folder = working_folder(request.path);
    request.quit_after = link.close_on_activate && !keep_running;
    return request;
}

}  // namespace qb
