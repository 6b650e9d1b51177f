#pragma once
// Between the bytes of data.qb and what the program holds in memory:
// AppSettings and the link list. Pictures are made by the caller from
// the plan this returns, since that needs the file system and the shell.
#include <string>
#include <string_view>
#include <vector>

#include "common/program_location.h"
#include "links/app_settings.h"
#include "links/link_list.h"
#include "links/settings_codec.h"

namespace qb {

struct LinkImagePlan {
    enum class Source {
        CustomFile,  // a bitmap file named by the settings file
        TargetIcon,  // the shell icon of the link's target
    };
    Link* link = nullptr;
    Source source = Source::TargetIcon;
    std::string path;  // full path of the bitmap file or of the target
};

// Fills settings and links from a decoded file (the list is appended to).
// Positions are taken exactly as stored; the minimum window size is
// applied; a theme name shorter than 2 characters becomes "\MAINTHEME".
// links_loaded is set when the file held links.
std::vector<LinkImagePlan> apply_stored_settings(const StoredSettings& stored, const ProgramLocation& location,
                                                 AppSettings& settings, LinkList& links, bool& links_loaded);

// What save writes for the current settings and links.
StoredSettings capture_settings(const AppSettings& settings, const LinkList& links,
                                const ProgramLocation& location);

// A custom picture under the program's folder is stored relative to it
// ("\pics\a.bmp"), so it survives a new drive letter; others stay full.
std::string stored_image_path(std::string_view full_path, const ProgramLocation& location);
std::string resolve_stored_image_path(std::string_view stored, const ProgramLocation& location);

}  // namespace qb
