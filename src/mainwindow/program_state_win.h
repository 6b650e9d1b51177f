#pragma once
// Everything the running program holds, in one object owned by the entry
// and passed to whatever needs it: the main window reaches it through its
// window data, start-up and shutdown get it as a parameter, and every
// function below takes only the parts it uses.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/drive_facts.h"
#include "common/geometry.h"
#include "common/modal_seams_win.h"
#include "common/program_location.h"
#include "common/win_handles_win.h"
#include "links/app_settings.h"
#include "links/icon_cache.h"
#include "links/link_list.h"
#include "links/picture_lookup_win.h"
#include "render/bitmap_cache_win.h"
#include "search/found_file_list.h"
#include "search/watch_thread_win.h"
#include "theme/theme_values.h"

namespace qb {

struct ProgramState {
    ProgramState(HINSTANCE program_instance, ModalSeams& modal_seams)
        : instance(program_instance), seams(modal_seams) {}
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    HINSTANCE instance;
    // Message boxes and the other modal questions go through these.
    ModalSeams& seams;
    HWND main_window = nullptr;
    // The language every window speaks; chosen at start-up and by the user.
    Language language = kRussian;
    // The options window while it exists (built on first opening).
    HWND options_window = nullptr;
    Size screen;  // the desktop's right and bottom
    UniqueFont ui_font;
    // Only between start-up and the loading of the skin.
    UniqueLibrary resource_library;

    // Where the program is and what its drive is; fixed after start-up
    // but for the space figures.
    ProgramLocation location;
    int header_height = kMinHeaderHeight;
    DriveFacts drive;

    // Constructed in this order and destroyed in reverse.
    BitmapCache bitmaps;
    LinkList links;
    FoundFileList found_files;

    AppSettings settings;
    // The size the window was shrunk to at start so that it fits its
    // monitor. While the window keeps it, settings keep the stored size:
    // only the user's own sizing changes what data.qb holds.
    std::optional<Size> fitted_size;
    // Set once the start has shaped the window for its skin. The sizes the
    // window gets before that (its creation, its placing) are the start's
    // own: shaping for them would only be done again.
    bool window_shaped = false;
    // What changed and is not saved yet; set through note_change.
    ChangeFlags changes;
    // The link pictures for icons.dat while they wait for the save.
    std::optional<IconCache> icon_cache;
    // The pictures the start left to look up, and the worker that does;
    // how it looks one up (empty: through the shell; tests give one that
    // waits).
    DeferredPictures pictures;
    PictureLookupThread picture_lookups;
    PictureLookupFunction look_up_picture;
    // Told the name of each step of the start as it ends (empty: no one
    // listens; the start-up benchmark times the steps with it).
    std::function<void(const char* step)> on_start_step;
    void start_step_done(const char* step) const {
        if (on_start_step) on_start_step(step);
    }
    // data.qb was there at start but could not be read: it is moved aside
    // before anything is saved in its place (then this is cleared).
    bool settings_unreadable = false;
    // The settings file held links, or a link was added, or the add-links
    // hint was shown: that hint is not offered (any more).
    bool links_loaded = false;
    ThemeColors theme;
    // A Theme.ini without a usable USEDBLFONT was read (never cleared in a run).
    bool old_theme = false;
    // Findings of the last check of autorun.inf.
    std::uint16_t autorun_state = 0;
    // Set by the watch thread while it scans; read by the painter.
    std::atomic<bool> search_in_progress{false};
    // The new-programs search service. Declared after what it works on, so
    // that it is stopped before they go.
    WatchThread watch_thread;

    // Shutdown's steps run once, whether from a session's end or from the
    // end of the message loop.
    bool shut_down_done = false;
    bool found_files_saved = false;

    // The folder of the current theme.
    std::string theme_folder() const { return location.theme_folder(settings.theme_name); }
    LinkGrid link_grid() const { return {settings.auto_arrange, header_height}; }
};

}  // namespace qb
