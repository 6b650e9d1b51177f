#include "links/icon_cache_win.h"

#include <cstring>
#include <cwchar>
#include <iterator>

#include "common/file_io_win.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"

namespace qb {

static_assert(kMaxIconCacheBytes <= kMaxDriveFileBytes, "a whole cache is read like any drive file");

namespace {

// A value of HKEY_LOCAL_MACHINE as text ("" when missing): strings as
// they are, numbers in decimal. The 64-bit view, so that a 32-bit run
// reads what a 64-bit one does.
std::string machine_value(const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return {};
    UniqueRegistryKey owner(key);
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof text[0];
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) return {};
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, text, sizeof number);
        return std::to_string(number);
    }
    if (type != REG_SZ) return {};
    return to_1251(std::wstring(text, wcsnlen(text, std::size(text) - 1))).value_or("?");
}

std::string computer_name() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = std::size(name);
    if (!GetComputerNameW(name, &length)) return {};
    const std::wstring wide(name, length);
    if (std::optional<std::string> text = to_1251(wide)) return *text;
    // A name 1251 cannot hold still tells one machine from another.
    std::string codes;
    for (wchar_t c : wide) codes += std::to_string(static_cast<unsigned>(c)) + ".";
    return codes;
}

}  // namespace

std::string icon_cache_path(const ProgramLocation& location) { return location.beside_program("\\icons.dat"); }

namespace {
int screen_bits() {
    const WindowDc screen(nullptr);
    return screen.get() ? GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES) : 0;
}
}  // namespace

std::string this_machine_key() {
    constexpr const wchar_t* kVersion = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const std::string version = machine_value(kVersion, L"CurrentBuildNumber") + "." +
                                machine_value(kVersion, L"UBR") + " " + machine_value(kVersion, L"ProductName");
    return machine_key(computer_name(), machine_value(L"SOFTWARE\\Microsoft\\Cryptography", L"MachineGuid"), version,
                       screen_bits(), GetSystemMetrics(SM_CXICON));
}

std::string this_screen_key() { return screen_key(screen_bits(), GetSystemMetrics(SM_CXICON)); }

IconCacheRun::IconCacheRun(const ProgramLocation& location)
    : machine_(this_machine_key()), screen_(this_screen_key()) {
    const std::string path = icon_cache_path(location);
    if (!regular_file_exists(path)) return;
    if (std::optional<std::vector<std::uint8_t>> bytes = read_file_bytes(path)) read_ = IconCache::decode(*bytes);
    file_refused_ = !read_;
}

const PicturePixels* IconCacheRun::stored(const std::string& key) {
    const PicturePixels* pixels = read_ ? read_->find(key) : nullptr;
    if (pixels) hits_.insert(key);
    return pixels;
}

void IconCacheRun::keep(const std::string& key, const PicturePixels& pixels) { looked_up_.put(key, pixels); }

std::optional<IconCache> IconCacheRun::result() const {
    return next_icon_cache(read_, file_refused_, looked_up_, hits_, machine_, screen_);
}

bool write_icon_cache(const ProgramLocation& location, const IconCache& cache) {
    return write_file_replacing(icon_cache_path(location), cache.encode());
}

}  // namespace qb
