#include "links/link_images_win.h"

#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <optional>

#include "common/bitmap_file_win.h"
#include "common/file_io_win.h"
#include "common/letter_case.h"
#include "common/system_libraries_win.h"
#include "common/wide_text_win.h"
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

constexpr const wchar_t* kExplorerFileTypes = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

// The type's values in the registry: its default icons, and whether an
// icon handler or a shortcut class serves it. Read as the system holds
// them, so a class name in any language is followed as it is; only the
// icon values are handed on in code page 1251.
class TypeRegistry {
public:
    explicit TypeRegistry(const std::string& type_1251) {
        const std::wstring type = to_wide(type_1251);
        const std::wstring progid = value(HKEY_CLASSES_ROOT, type, nullptr);
        const std::wstring perceived = value(HKEY_CLASSES_ROOT, type, L"PerceivedType");
        const std::wstring chosen =
            value(HKEY_CURRENT_USER, kExplorerFileTypes + type + L"\\UserChoice", L"ProgId");
        look_at(type);
        for (const std::wstring& cls : {progid, chosen}) {
            if (cls.empty()) continue;
            look_at(cls);
            if (has_value(HKEY_CLASSES_ROOT, cls, L"IsShortcut")) facts.icon_handler = true;
            const std::wstring current = value(HKEY_CLASSES_ROOT, cls + L"\\CurVer", nullptr);
            if (!current.empty()) look_at(current);
            const std::wstring clsid = value(HKEY_CLASSES_ROOT, cls + L"\\CLSID", nullptr);
            if (!clsid.empty()) look_at(L"CLSID\\" + clsid);
        }
        look_at(L"SystemFileAssociations\\" + type);
        if (!perceived.empty()) look_at(L"SystemFileAssociations\\" + perceived);
        for (const wchar_t* everything : {L"*", L"AllFilesystemObjects"}) {
            if (key_exists(HKEY_CLASSES_ROOT, std::wstring(everything) + L"\\ShellEx\\IconHandler")) {
                facts.icon_handler = true;
            }
        }
    }
    FileTypeFacts facts;

private:
    void look_at(const std::wstring& key) {
        if (key_exists(HKEY_CLASSES_ROOT, key + L"\\DefaultIcon")) {
            // An icon value code page 1251 cannot hold (a path in another
            // script) cannot be judged here: the shell decides per file.
            if (std::optional<std::string> icon = to_1251(value(HKEY_CLASSES_ROOT, key + L"\\DefaultIcon", nullptr))) {
                facts.default_icons.push_back(std::move(*icon));
            } else {
                facts.unreadable_icon = true;
            }
        }
        if (key_exists(HKEY_CLASSES_ROOT, key + L"\\ShellEx\\IconHandler")) facts.icon_handler = true;
    }
    static bool key_exists(HKEY root, const std::wstring& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        UniqueRegistryKey owner(key);
        return true;
    }
    static bool has_value(HKEY root, const std::wstring& path, const wchar_t* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        UniqueRegistryKey owner(key);
        return RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    // A string value ("" when missing or not a string); a value too long
    // for the buffer counts as naming the file, to stay on the safe side.
    static std::wstring value(HKEY root, const std::wstring& path, const wchar_t* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
        UniqueRegistryKey owner(key);
        wchar_t text[1024] = {};
        // The size is in bytes; one character stays free for the end a
        // stored value need not have.
        DWORD size = sizeof text - sizeof text[0];
        DWORD type = 0;
        const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
        if (result == ERROR_MORE_DATA) return L"%1";
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
        return std::wstring(text, wcsnlen(text, std::size(text) - 1));
    }
};

// A folder may have an icon of its own, and so may a file that is a link
// elsewhere or not on the disk: the shell decides for those.
bool shell_decides_icon(const WIN32_FILE_ATTRIBUTE_DATA* file) {
    constexpr DWORD kOwnIcon = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE;
    return file == nullptr || (file->dwFileAttributes & kOwnIcon);
}

// The file's first icon at the shell's large size, as the shell gives it
// for a type whose icon is the file itself; none when the file has none
// (the shell then shows its icon for programs without one).
UniqueIcon first_icon_of_file(const std::wstring& path) {
    HICON icon = nullptr;
    UINT id = 0;
    const UINT found = PrivateExtractIconsW(path.c_str(), 0, GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), &icon, &id, 1, 0);
    if (found == 0 || found == 0xFFFFFFFF) return {};
    return UniqueIcon(icon);
}

BITMAPINFO picture_format() {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = kIconImageSize;
    format.bmiHeader.biHeight = -kIconImageSize;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}
static_assert(kIconImageSize == kCachedPictureSide);

// The picture's pixels exactly as its bitmap holds them; none when the
// bitmap would not give them.
std::optional<PicturePixels> picture_pixels(HDC dc, HBITMAP picture) {
    PicturePixels pixels(kCachedPictureBytes);
    BITMAPINFO format = picture_format();
    if (GetDIBits(dc, picture, 0, kIconImageSize, pixels.data(), &format, DIB_RGB_COLORS) != kIconImageSize) {
        return std::nullopt;
    }
    return pixels;
}

// The icon picture made from cached pixels: a bitmap like the one the
// icon was drawn into, with its masks.
LinkImage picture_from_pixels(const PicturePixels& pixels, HWND window) {
    WindowDc window_dc(window);
    UniqueBitmap bitmap(CreateCompatibleBitmap(window_dc.get(), kIconImageSize, kIconImageSize));
    if (!bitmap) return {};
    const BITMAPINFO format = picture_format();
    if (SetDIBits(window_dc.get(), bitmap.get(), 0, kIconImageSize, pixels.data(), &format, DIB_RGB_COLORS) !=
        kIconImageSize) {
        return {};
    }
    BitmapDc memory(window_dc.get(), bitmap.get());
    LinkImage picture = owned_link_bitmap(bitmap.release());
    attach_masks(picture, memory.get(), kBlack);
    return picture;
}

FileStamp stamp_of(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& data, const std::string& drive_root) {
    FileStamp stamp;
    stamp.path = stamp_path(path, drive_root);
    stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.write_time = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
    stamp.attributes = data.dwFileAttributes;
    return stamp;
}

std::optional<FileStamp> stamp_of(const std::string& path, const std::string& drive_root) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(system_path(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return stamp_of(path, data, drive_root);
}

// "E:" or "E:\\", or the drive root itself (a share's), letter case aside.
bool is_drive_root(const std::string& path, const std::string& drive_root) {
    const std::string whole = !path.empty() && path.back() == '\\' ? path : path + "\\";
    return (whole.size() == 3 && whole[1] == ':') || (!drive_root.empty() && equal_ignoring_case(whole, drive_root));
}

void show_icon_picture(Link& link, LinkImage picture) {
    link.transparent_color = kBlack;
    link.image = std::move(picture);
    link.image_width = link.image ? kIconImageSize : 0;
    link.image_height = link.image ? kIconImageSize : 0;
}

}  // namespace

std::string SharedPictures::picture_key(const std::string& path, const std::string& type) {
    if (!cache) return {};
    const WIN32_FILE_ATTRIBUTE_DATA* facts = file_facts(path);
    const std::optional<FileStamp> stamp =
        facts ? std::optional<FileStamp>(stamp_of(path, *facts, drive_root)) : std::nullopt;
    if (!stamp || (stamp->attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE))) return {};
    std::string key;
    if (stamp->attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A drive's own picture is the icon file its autorun.inf names,
        // which may change while autorun.inf does not: looked up at every
        // start. A folder's is what its desktop.ini says.
        if (is_drive_root(path, drive_root)) return {};
        const std::optional<FileStamp> ini = stamp_of(path + "\\desktop.ini", drive_root);
        const std::string folders = type_picture_key(cache->machine(), "Folder", registered("Folder").second);
        key = folder_picture_key(folders, *stamp, ini);
    } else if (!type.empty()) {
        key = type_picture_key(cache->machine(), type, registered(type).second);
    } else {
        const std::string own_type = file_type_of(path);
        // A shortcut shows its target's picture, which nothing of the
        // shortcut's own file tells: looked up at every start.
        if (type_is_shortcut(own_type)) return {};
        // A program's own icon is the file's alone: the same on any PC with
        // this screen, where programs show their own icons.
        if (icon_is_files_first(path)) {
            key = own_icon_picture_key(cache->screen(), *stamp);
            return key.size() <= kMaxCacheKey ? key : std::string();
        }
        const FileTypeFacts none;
        const std::string type_key =
            type_picture_key(cache->machine(), own_type, own_type.empty() ? none : registered(own_type).second);
        key = file_picture_key(type_key, *stamp);
    }
    return key.size() <= kMaxCacheKey ? key : std::string();
}

const std::pair<const std::string, FileTypeFacts>& SharedPictures::registered(const std::string& type) {
    auto known = types_.find(type);
    if (known == types_.end()) known = types_.emplace(type, TypeRegistry(type).facts).first;
    return *known;
}

const WIN32_FILE_ATTRIBUTE_DATA* SharedPictures::file_facts(const std::string& path) {
    if (path != facts_path_) {
        facts_path_ = path;
        facts_.emplace();
        if (!GetFileAttributesExW(system_path(path).c_str(), GetFileExInfoStandard, &*facts_)) facts_.reset();
    }
    return facts_ ? &*facts_ : nullptr;
}

const std::string& SharedPictures::icon_type(const std::string& path) {
    if (shell_decides_icon(file_facts(path))) return none_;
    const std::string type = shared_icon_type(path);
    if (type.empty()) return none_;
    const auto& [name, facts] = registered(type);
    return type_icon_is_shared(facts) ? name : none_;
}

bool SharedPictures::icon_is_files_first(const std::string& path) {
    if (shell_decides_icon(file_facts(path))) return false;
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

namespace {

// The icon of the path as the link shows it: the file's own first icon
// where the registry makes that its picture, else the shell's; none when
// the shell has none. `own` tells whether it came from the file itself.
UniqueIcon icon_of(const std::string& path, bool files_first, bool* own = nullptr) {
    // A program's icon straight from its file: the same picture as the
    // shell's, which under Wine costs some twenty times as long a file.
    const std::wstring wide_path = system_path(path);
    UniqueIcon icon;
    if (files_first) icon = first_icon_of_file(wide_path);
    if (own) *own = static_cast<bool>(icon);
    if (!icon) {
        SHFILEINFOW info{};
        const ShellFunctions* shell = shell_functions();
        if (!shell || !shell->SHGetFileInfoW(wide_path.c_str(), 0, &info, sizeof info, SHGFI_ICON) ||
            info.hIcon == nullptr) {
            return {};
        }
        icon.reset(info.hIcon);
    }
    return icon;
}

}  // namespace

std::optional<IconLookup> show_known_icon(Link& link, const std::string& path, HWND window, SharedPictures& shared) {
    link.picture_request = 0;
    const std::string type = shared.icon_type(path);
    if (!type.empty()) {
        if (auto found = shared.icons.find(type); found != shared.icons.end()) {
            show_icon_picture(link, found->second.share());
            return std::nullopt;
        }
    }
    // A picture kept by an earlier start, when nothing that decides it changed.
    const std::string key = shared.cache ? shared.picture_key(path, type) : std::string();
    if (!key.empty()) {
        if (const PicturePixels* pixels = shared.cache->stored(key)) {
            LinkImage& made = shared.cache->made[pixels];
            if (!made) made = picture_from_pixels(*pixels, window);
            if (made) {
                show_icon_picture(link, made.share());
                if (!type.empty()) shared.icons.emplace(type, link.image.share());
                return std::nullopt;
            }
        }
    }
    return IconLookup{path, key, type, shared.icon_is_files_first(path)};
}

std::optional<PicturePixels> look_up_icon_pixels(const std::string& path, bool files_first, bool* own) {
    const UniqueIcon icon = icon_of(path, files_first, own);
    if (!icon) return std::nullopt;
    WindowDc screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), kIconImageSize, kIconImageSize));
    if (!bitmap) return std::nullopt;
    {
        BitmapDc memory(screen.get(), bitmap.get());
        PatBlt(memory.get(), 0, 0, kIconImageSize, kIconImageSize, BLACKNESS);
        SetStretchBltMode(memory.get(), COLORONCOLOR);
        DrawIconEx(memory.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
    }
    // Read once the bitmap is out of the memory DC, as GetDIBits asks.
    return picture_pixels(screen.get(), bitmap.get());
}

void show_looked_up_icon(Link& link, const LinkImage& picture) {
    link.picture_request = 0;
    show_icon_picture(link, picture.share());
}

LinkImage icon_picture_from_pixels(const PicturePixels& pixels, HWND window) {
    return picture_from_pixels(pixels, window);
}

void make_icon_image(Link& link, const std::string& path, HWND window, const std::string& default_picture,
                     SharedPictures* shared) {
    link.picture_request = 0;
    if (path.size() < 2) return;
    std::string type;
    std::string key;
    bool files_first = false;
    if (shared) {
        const std::optional<IconLookup> lookup = show_known_icon(link, path, window, *shared);
        if (!lookup) return;
        type = lookup->type;
        key = lookup->key;
        files_first = lookup->files_first;
    }
    bool own = false;
    UniqueIcon icon = icon_of(path, files_first, &own);
    if (!icon) {
        load_default_image(link, default_picture, shared);
        return;
    }
    // A program without an icon of its own shows the shell's for programs,
    // which is this PC's: not kept under a key that any PC would find.
    if (files_first && !own) key.clear();
    // The picture is a copy; the icon is not needed afterwards.
    link.image.reset();

    WindowDc window_dc(window);
    UniqueBitmap bitmap(CreateCompatibleBitmap(window_dc.get(), kIconImageSize, kIconImageSize));
    LinkImage picture;
    std::optional<PicturePixels> pixels;
    {
        BitmapDc memory(window_dc.get(), bitmap.get());
        PatBlt(memory.get(), 0, 0, kIconImageSize, kIconImageSize, BLACKNESS);
        SetStretchBltMode(memory.get(), COLORONCOLOR);
        DrawIconEx(memory.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
        picture = owned_link_bitmap(bitmap.release());
        attach_masks(picture, memory.get(), kBlack);
    }
    // Read once the bitmap is out of the memory DC, as GetDIBits asks.
    if (!key.empty() && picture) pixels = picture_pixels(window_dc.get(), static_cast<HBITMAP>(picture.get()));
    show_icon_picture(link, std::move(picture));
    if (!type.empty() && link.image) shared->icons.emplace(type, link.image.share());
    if (pixels) shared->cache->keep(key, *pixels);
}

void load_image_file(Link& link, const std::string& folder, const std::string& rest, SharedPictures* shared) {
    const std::string path = folder + rest;
    link.picture_request = 0;
    link.image.reset();
    link.image_width = link.image_height = 0;
    link.transparent_color = kMagenta;
    link.image_path = path;
    if (shared) {
        if (auto found = shared->files.find(path); found != shared->files.end()) {
            link.image = found->second.share();
            BITMAP size{};
            if (link.image && GetObjectW(static_cast<HBITMAP>(link.image.get()), sizeof size, &size)) {
                link.image_width = size.bmWidth;
                link.image_height = size.bmHeight;
            }
            return;
        }
    }
    HBITMAP bitmap = load_bitmap_file(path);
    BITMAP size{};
    if (bitmap && GetObjectW(bitmap, sizeof size, &size)) {
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
