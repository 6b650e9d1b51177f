#include "links/link_images_win.h"

#include <shellapi.h>

#include <cstring>
#include <initializer_list>

#include "common/bitmap_file_win.h"
#include "common/win_handles_win.h"
#include "links/icon_source.h"

namespace qb {

namespace {

void delete_link_bitmap(void* handle) {
    DeleteObject(static_cast<HGDIOBJ>(handle));
    count_handle_closed();
}

void delete_masks(void* masks) { delete static_cast<TransparentMasks*>(masks); }

// Made once with the picture, so no paint makes them again.
void attach_masks(const LinkImage& image, HDC picture_dc, COLORREF transparent) {
    std::unique_ptr<TransparentMasks> masks =
        make_transparent_masks(picture_dc, static_cast<HBITMAP>(image.get()), transparent);
    if (masks) image.set_companion(masks.release(), &delete_masks);
}

constexpr const char* kExplorerFileTypes = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

// The type's values in the registry: its default icons, and whether an
// icon handler or a shortcut class serves it.
class TypeRegistry {
public:
    explicit TypeRegistry(const std::string& type) {
        const std::string progid = value(HKEY_CLASSES_ROOT, type, nullptr);
        const std::string perceived = value(HKEY_CLASSES_ROOT, type, "PerceivedType");
        const std::string chosen =
            value(HKEY_CURRENT_USER, kExplorerFileTypes + type + "\\UserChoice", "ProgId");
        look_at(type);
        for (const std::string& cls : {progid, chosen}) {
            if (cls.empty()) continue;
            look_at(cls);
            if (has_value(HKEY_CLASSES_ROOT, cls, "IsShortcut")) facts.icon_handler = true;
            const std::string current = value(HKEY_CLASSES_ROOT, cls + "\\CurVer", nullptr);
            if (!current.empty()) look_at(current);
            const std::string clsid = value(HKEY_CLASSES_ROOT, cls + "\\CLSID", nullptr);
            if (!clsid.empty()) look_at("CLSID\\" + clsid);
        }
        look_at("SystemFileAssociations\\" + type);
        if (!perceived.empty()) look_at("SystemFileAssociations\\" + perceived);
        for (const char* everything : {"*", "AllFilesystemObjects"}) {
            if (key_exists(HKEY_CLASSES_ROOT, std::string(everything) + "\\ShellEx\\IconHandler")) {
                facts.icon_handler = true;
            }
        }
    }
    FileTypeFacts facts;

private:
    void look_at(const std::string& key) {
        if (key_exists(HKEY_CLASSES_ROOT, key + "\\DefaultIcon")) {
            facts.default_icons.push_back(value(HKEY_CLASSES_ROOT, key + "\\DefaultIcon", nullptr));
        }
        if (key_exists(HKEY_CLASSES_ROOT, key + "\\ShellEx\\IconHandler")) facts.icon_handler = true;
    }
    static bool key_exists(HKEY root, const std::string& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        UniqueRegistryKey owner(key);
        return true;
    }
    static bool has_value(HKEY root, const std::string& path, const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        UniqueRegistryKey owner(key);
        return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    // A string value ("" when missing or not a string); a value too long
    // for the buffer counts as naming the file, to stay on the safe side.
    static std::string value(HKEY root, const std::string& path, const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
        UniqueRegistryKey owner(key);
        char text[1024] = {};
        DWORD size = sizeof text - 1;
        DWORD type = 0;
        const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
        if (result == ERROR_MORE_DATA) return "%1";
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
        return std::string(text, strnlen(text, sizeof text - 1));
    }
};

// A folder may have an icon of its own, and so may a file that is a link
// elsewhere or not on the disk: the shell decides for those.
bool shell_decides_icon(const std::string& path) {
    constexpr DWORD kOwnIcon = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & kOwnIcon);
}

// The file's first icon at the shell's large size, as the shell gives it
// for a type whose icon is the file itself; none when the file has none
// (the shell then shows its icon for programs without one).
UniqueIcon first_icon_of_file(const std::string& path) {
    HICON icon = nullptr;
    UINT id = 0;
    const UINT found = PrivateExtractIconsA(path.c_str(), 0, GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), &icon, &id, 1, 0);
    if (found == 0 || found == 0xFFFFFFFF) return {};
    return UniqueIcon(icon);
}

}  // namespace

const std::pair<const std::string, FileTypeFacts>& SharedPictures::registered(const std::string& type) {
    auto known = types_.find(type);
    if (known == types_.end()) known = types_.emplace(type, TypeRegistry(type).facts).first;
    return *known;
}

const std::string& SharedPictures::icon_type(const std::string& path) {
    if (shell_decides_icon(path)) return none_;
    const std::string type = shared_icon_type(path);
    if (type.empty()) return none_;
    const auto& [name, facts] = registered(type);
    return type_icon_is_shared(facts) ? name : none_;
}

bool SharedPictures::icon_is_files_first(const std::string& path) {
    if (shell_decides_icon(path)) return false;
    const std::string type = file_type_of(path);
    return !type.empty() && type_icon_is_files_first(registered(type).second);
}

LinkImage owned_link_bitmap(HBITMAP bitmap) {
    if (bitmap == nullptr) return {};
    count_handle_opened();
    return LinkImage(bitmap, &delete_link_bitmap);
}

const TransparentMasks* link_picture_masks(const Link& link) {
    const auto* masks = static_cast<const TransparentMasks*>(link.image.companion());
    return masks && masks->transparent == link.transparent_color ? masks : nullptr;
}

void make_icon_image(Link& link, const std::string& path, HWND window, const std::string& default_picture,
                     SharedPictures* shared) {
    if (path.size() < 2) return;
    const std::string type = shared ? shared->icon_type(path) : std::string();
    if (!type.empty()) {
        if (auto found = shared->icons.find(type); found != shared->icons.end()) {
            link.image = found->second.share();
            link.transparent_color = kBlack;
            link.image_width = link.image_height = kIconImageSize;
            return;
        }
    }
    // A program's icon straight from its file: the same picture as the
    // shell's, which under Wine costs some twenty times as long a file.
    UniqueIcon icon;
    if (shared && shared->icon_is_files_first(path)) icon = first_icon_of_file(path);
    if (!icon) {
        SHFILEINFOA info{};
        if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON) || info.hIcon == nullptr) {
            load_default_image(link, default_picture, shared);
            return;
        }
        icon.reset(info.hIcon);
    }
    // The picture is a copy; the icon is not needed afterwards.
    link.image.reset();

    WindowDc window_dc(window);
    UniqueBitmap bitmap(CreateCompatibleBitmap(window_dc.get(), kIconImageSize, kIconImageSize));
    LinkImage picture;
    {
        BitmapDc memory(window_dc.get(), bitmap.get());
        PatBlt(memory.get(), 0, 0, kIconImageSize, kIconImageSize, BLACKNESS);
        SetStretchBltMode(memory.get(), COLORONCOLOR);
        DrawIconEx(memory.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
        picture = owned_link_bitmap(bitmap.release());
        attach_masks(picture, memory.get(), kBlack);
    }
    link.transparent_color = kBlack;
    link.image = std::move(picture);
    link.image_width = link.image ? kIconImageSize : 0;
    link.image_height = link.image ? kIconImageSize : 0;
    if (!type.empty() && link.image) shared->icons.emplace(type, link.image.share());
}

void load_image_file(Link& link, const std::string& folder, const std::string& rest, SharedPictures* shared) {
    const std::string path = folder + rest;
    link.image.reset();
    link.image_width = link.image_height = 0;
    link.transparent_color = kMagenta;
    link.image_path = path;
    if (shared) {
        if (auto found = shared->files.find(path); found != shared->files.end()) {
            link.image = found->second.share();
            BITMAP size{};
            if (link.image && GetObjectA(static_cast<HBITMAP>(link.image.get()), sizeof size, &size)) {
                link.image_width = size.bmWidth;
                link.image_height = size.bmHeight;
            }
            return;
        }
    }
    HBITMAP bitmap = load_bitmap_file(path);
    BITMAP size{};
    if (bitmap && GetObjectA(bitmap, sizeof size, &size)) {
        link.image_width = size.bmWidth;
        link.image_height = size.bmHeight;
    }
    link.image = owned_link_bitmap(bitmap);
    if (link.image) {
        UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
        SelectGuard select(memory.get(), bitmap);
        attach_masks(link.image, memory.get(), kMagenta);
    }
    if (shared && link.image) shared->files.emplace(path, link.image.share());
}

void load_default_image(Link& link, const std::string& default_picture, SharedPictures* shared) {
    load_image_file(link, "", default_picture, shared);
}

std::string default_picture_path(const std::string& theme_folder) { return theme_folder + "\\DefaultProgram.bmp"; }

}  // namespace qb
