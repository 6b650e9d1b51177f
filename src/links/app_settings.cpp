#include "links/app_settings.h"

namespace qb {

bool settings_need_saving(const AppSettings& settings, ChangeFlags& changes) {
    if (!changes.options_changed &&
        (settings.window_width != settings.loaded_width || settings.window_height != settings.loaded_height)) {
        changes.options_changed = true;
    }
    return changes.options_changed || changes.links_changed || changes.theme_changed;
}

void mark_settings_saved(AppSettings& settings, ChangeFlags& changes) {
    settings.loaded_width = settings.window_width;
    settings.loaded_height = settings.window_height;
    changes.options_changed = false;
    changes.links_changed = false;
    changes.theme_changed = false;
}

}  // namespace qb
