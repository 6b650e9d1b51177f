#pragma once
// Whether a link's shell icon may be shared by every file of its type.
// The shell shows most documents with their type's icon, so one lookup
// per type gives every such link the picture a lookup per file would.
// Programs, icons, shortcuts and the like carry their own icon, and a
// type whose registered icon is the file itself ("%1") or comes from an
// icon handler has one per file too; so do folders and names without a
// type. When in doubt, per file: that is always the right picture.
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// What the registry says about one file type, as the Win32 layer read it.
struct FileTypeFacts {
    // Every DefaultIcon value found for the type (its own key, its class,
    // the class the user chose, the system associations).
    std::vector<std::string> default_icons;
    // An icon handler, or a shortcut class, is registered for the type or
    // for all files.
    bool icon_handler = false;
    // A DefaultIcon value was found that code page 1251 cannot hold: what
    // it names is unknown, so the shell is asked for each file.
    bool unreadable_icon = false;
};

// The type whose icon the path may share: its extension in lower case,
// dot included (".txt"). Empty when the icon is the file's own whatever
// the registry says: no extension, a name ending in a dot or a blank, a
// stream name, or a type of files that carry or point to icons.
std::string shared_icon_type(std::string_view path);

// Whether the registry lets every file of the type show one icon.
bool type_icon_is_shared(const FileTypeFacts& facts);

// The path's type as the registry names it: its extension in lower case,
// dot included; empty for a name without one (or ending in a dot or a
// blank, or naming a stream).
std::string file_type_of(std::string_view path);

// Whether files of the type point to another file or place whose picture
// they show (shortcuts): nothing of the file itself decides its picture.
bool type_is_shortcut(std::string_view type);

// Whether the shell's icon of a file of the type is the file's own first
// icon, as for programs ("%1" in every DefaultIcon found, no icon handler
// or shortcut class): such an icon can be taken from the file directly,
// which gives the same picture without the shell's work per file.
bool type_icon_is_files_first(const FileTypeFacts& facts);

}  // namespace qb
