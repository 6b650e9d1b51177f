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

extern AppSettings app_settings;
// Change flags: set by whoever changes something, read by shutdown.
extern bool options_changed;
extern bool links_changed;
extern bool theme_changed;
extern bool theme_colors_changed;
// The settings file held links (or the add-links hint was shown, or a
// link was added since).
extern bool links_loaded;
// Puts settings and flags back to their start-up values.
void reset_app_settings();

// True when shutdown must write the settings file.
bool settings_need_saving();

}  // namespace qb
