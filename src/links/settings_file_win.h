#pragma once
// data.qb beside the program: read once at start-up, written when changes
// are saved.
#include <windows.h>

#include <optional>
#include <string>

#include "common/modal_seams_win.h"
#include "common/program_location.h"
#include "links/app_settings.h"
#include "links/icon_cache.h"
#include "links/link_list.h"

namespace qb {

struct DeferredPictures;

std::string settings_file_path(const ProgramLocation& location);

enum class SettingsLoad {
    Read,        // the file was read (a first start creates it empty and reads that)
    Unreadable,  // a file is there but could not be read: it must not be written over
    NotCreated,  // no file, and none could be created
};

// Fills the settings and the link list from data.qb and makes every
// link's picture (shell icons drawn for `window`). A first start creates
// the file empty. A file that cannot be opened or read is reported and
// the built-in values are used; when the file is there (another program
// holds it, a read error), the window's size counts as loaded, so that a
// run without changes writes nothing. links_loaded is set when the file
// held links. With `icon_cache`, icons are taken from icons.dat where
// their keys match, and it receives the cache to write when this start's
// pictures differ from the file's (nothing when they do not).
// With `deferred`, only the links the window's first view may show get
// their pictures here, and those icons.dat does not hold are not looked
// up: their links wait (Link::picture_request) and `deferred` receives the
// look-ups, the cache run and the links not shown yet; take_unseen_pictures
// then finishes the start's pictures.
SettingsLoad load_settings(const ProgramLocation& location, ModalSeams& seams, Language language, HWND window,
                           AppSettings& settings,
                           LinkList& links, bool& links_loaded, std::optional<IconCache>* icon_cache = nullptr,
                           DeferredPictures* deferred = nullptr);

// The start's pictures for the links outside the first view, once it is
// painted (from icons.dat, or queued for the worker like the others); then
// `icon_cache` receives the cache to write when nothing is left to look
// up.
void take_unseen_pictures(DeferredPictures& deferred, HWND window, std::optional<IconCache>& icon_cache);

// Writes the settings and links through a temporary file; false when the
// write failed, and the old file then stays whole. Reports nothing.
bool write_settings(const ProgramLocation& location, const AppSettings& settings, const LinkList& links);

// Moves a data.qb that could not be read aside (data.qb.unread,
// data.qb.unread2, ...), so that a save cannot destroy it; true when it
// is out of the way (or gone already).
bool move_unreadable_settings_aside(const ProgramLocation& location);

}  // namespace qb
