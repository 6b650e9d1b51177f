#include "support/link_drive_win.h"

#include <windows.h>

#include "support/test_support_win.h"

namespace qb::test {

namespace {

StoredString stored(std::string text) {
    StoredString s;
    s.declared_length = static_cast<std::uint32_t>(text.size());
    s.text = std::move(text);
    return s;
}

// The path without its drive ("E:\a\b" gives "a\b"), as a root-relative target.
std::string without_drive(const std::string& path) { return path.size() > 3 ? path.substr(3) : path; }

}  // namespace

std::vector<StoredLink> make_link_targets(const std::string& folder, int count) {
    static constexpr const char* kDocumentTypes[] = {".txt", ".ini", ".pdf"};
    const std::string programs = folder + "\\Tools";
    const std::string documents = folder + "\\Docs";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(programs.c_str(), nullptr);
    CreateDirectoryA(documents.c_str(), nullptr);
    const std::string sample = test_program_folder() + "\\sample_tool.exe";
    std::vector<StoredLink> links;
    for (int i = 0; i < count; ++i) {
        const bool program = i % 4 == 0;
        std::string name = i % 3 == 0 ? "Quarterly report of the stick " : "Item ";
        name += std::to_string(i);
        name += program ? ".exe" : kDocumentTypes[i % 3];
        const std::string path = (program ? programs : documents) + "\\" + name;
        if (program) {
            CopyFileA(sample.c_str(), path.c_str(), FALSE);
        } else {
            write_text(path, "document " + std::to_string(i));
        }
        StoredLink link;
        link.root_relative = true;
        link.x = (i % 13) * 75;
        link.y = (i / 13) * 75;
        link.target = stored(without_drive(path));
        link.caption = stored(name);
        links.push_back(std::move(link));
    }
    return links;
}

std::vector<std::uint8_t> settings_with_links(const std::vector<StoredLink>& links, int width, int height,
                                              const std::array<bool, kOptionCount>& options) {
    StoredSettings settings;
    settings.window_width = width;
    settings.window_height = height;
    settings.theme_name = stored("\\MAINTHEME");
    settings.links = links;
    settings.options = options;
    return encode_settings(settings);
}

}  // namespace qb::test
