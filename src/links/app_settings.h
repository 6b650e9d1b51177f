#pragma once
// The options and window state the user set up, and the flags that tell
// shutdown what changed and must be written.
#include <cstdint>
#include <string>

namespace qb {

inline constexpr int kMinWindowWidth = 373;
inline constexpr int kMinWindowHeight = 203;
inline constexpr const char* kDefaultThemeName = "\\MAINTHEME";

struct AppSettings {
    std::int32_t window_width = kMinWindowWidth;
    std::int32_t window_height = kMinWindowHeight;
    std::int32_t loaded_width = 0;
    std::int32_t loaded_height = 0;
    std::string theme_name = kDefaultThemeName;
    bool show_hints = true;
    bool check_autorun_at_start = true;
    bool auto_close_when_idle = false;
    bool auto_arrange = false;
    bool use_search_service = true;
};

// Set by whoever changes something (through note_change, which also
// schedules the save), read by the save and by shutdown.
struct ChangeFlags {
    bool options_changed = false;
    bool links_changed = false;
    bool theme_changed = false;
    bool theme_colors_changed = false;
    // The link pictures differ from icons.dat's (written on their own,
    // never with data.qb).
    bool icon_cache_changed = false;
};

// True when shutdown must write the settings file. A window whose size
// differs from the one read at start-up counts as changed options, so a
// resize is remembered.
bool settings_need_saving(const AppSettings& settings, ChangeFlags& changes);

// data.qb now holds the settings: the window's size counts as the loaded
// one, and the flags that ask for data.qb are clear (theme colours go to
// Theme.ini and keep their flag).
void mark_settings_saved(AppSettings& settings, ChangeFlags& changes);

}  // namespace qb
