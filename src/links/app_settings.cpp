#include "links/app_settings.h"

namespace qb {

AppSettings app_settings;
bool options_changed = false;
bool links_changed = false;
bool theme_changed = false;
bool theme_colors_changed = false;
bool links_loaded = false;

void reset_app_settings() {
    app_settings = AppSettings{};
    options_changed = links_changed = theme_changed = theme_colors_changed = false;
    links_loaded = false;
}

bool settings_need_saving() {
    if (!options_changed && (app_settings.window_width != app_settings.loaded_width ||
                             app_settings.window_height != app_settings.loaded_height)) {
        options_changed = true;  // a resized window is remembered
    }
    return options_changed || links_changed || theme_changed;
}

}  // namespace qb
