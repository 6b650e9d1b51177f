#include "test_support_win.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "common/file_io_win.h"
#include "common/wide_text_win.h"


namespace qb::test {

namespace {
// The helpers reach paths of any length, as the program does (a program
// folder deep on the stick is one of the cases tested).
// A name that code page 1251 cannot hold comes as "?", which no test names.
std::string ansi(const wchar_t* wide) { return to_1251(wide).value_or("?"); }

// Calls `each` with the wide path and attributes of every entry of
// `folder` (a wide path of the system's form): names outside code page
// 1251, which tests make, are reached too.
template <typename Fn>
void for_each_entry(const std::wstring& folder, Fn each) {
    WIN32_FIND_DATAW entry{};
    UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") each(folder + L"\\" + name, entry.dwFileAttributes);
    } while (FindNextFileW(find.get(), &entry));
}

void remove_tree(const std::wstring& path) {
    for_each_entry(path, [&](const std::wstring& child, DWORD attributes) {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            remove_tree(child);
        } else {
            DeleteFileW(child.c_str());
        }
    });
    RemoveDirectoryW(path.c_str());
}

void copy_tree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    for_each_entry(from, [&](const std::wstring& child, DWORD attributes) {
        const std::wstring target = to + child.substr(from.size());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            copy_tree(child, target);
        } else {
            CopyFileW(child.c_str(), target.c_str(), FALSE);
        }
    });
}
}  // namespace

std::string fresh_folder(const std::string& drive, const std::string& name) {
    const std::string path = drive + "\\" + name;
    remove_tree(system_path(path));
    EXPECT_TRUE(CreateDirectoryW(system_path(path).c_str(), nullptr)) << "cannot create " << path;
    return path;
}

ProgramLocation location_in(const std::string& folder) {
    return location_from_module_path(folder + "\\Quillobrante.exe");
}

std::string test_program_folder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string folder = ansi(path);
    return folder.substr(0, folder.rfind('\\'));
}

void install_themes(const std::string& folder) {
    copy_tree(system_path(test_program_folder() + "\\art\\Data"), system_path(folder + "\\Data"));
    CopyFileW(system_path(test_program_folder() + "\\data.dll").c_str(), system_path(folder + "\\data.dll").c_str(),
              FALSE);
}

int RecordingSeams::message_box(HWND owner, text::Id text, text::Id caption, UINT type, Language language) {
    boxes.push_back({ui_text(text, language), ui_text(caption, language), type, owner, language});
    return answer;
}

void RecordingSeams::popup_menu(HMENU menu, int x, int y, HWND owner) {
    Menu shown;
    shown.at = {x, y};
    shown.owner = owner;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        shown.items.push_back({ansi(text), info.wID, (info.fType & MFT_SEPARATOR) != 0, !(info.fState & MFS_DISABLED),
                               (info.fState & MFS_CHECKED) != 0});
    }
    menus.push_back(std::move(shown));
    if (menu_answer != 0) PostMessageA(owner, WM_COMMAND, menu_answer, 0);
}

void RecordingSeams::shell_open(HWND, const char* path, const char* folder) {
    opened.push_back({path ? path : "", folder ? folder : "", folder != nullptr});
}

bool RecordingSeams::choose_color(HWND, COLORREF& color) {
    colors_offered.push_back(color);
    if (!color_answer) return false;
    color = *color_answer;
    return true;
}

std::vector<std::uint8_t> read_bytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    UniqueFile file = open_file(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file) return bytes;
    DWORD size = GetFileSize(file.get(), nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size) ReadFile(file.get(), bytes.data(), size, &got, nullptr);
    bytes.resize(got);
    return bytes;
}

void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    UniqueFile file = open_file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_TRUE(file) << "cannot write " << path;
    DWORD put = 0;
    if (!bytes.empty()) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
}

void write_text(const std::string& path, const std::string& text) {
    write_bytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

FILETIME modification_time(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(system_path(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void set_old_modification_time(const std::string& path) {
    UniqueFile file(CreateFileW(system_path(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    SYSTEMTIME when{2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME old{};
    SystemTimeToFileTime(&when, &old);
    SetFileTime(file.get(), nullptr, nullptr, &old);
}

namespace {
// A 32-bit, top-down DIB of width x height.
BITMAPINFO top_down_32bit(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
}  // namespace

Canvas::Canvas(int width, int height, Color fill_color) : width_(width), height_(height) {
    BITMAPINFO info = top_down_32bit(width, height);
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_.reset(CreateCompatibleDC(nullptr));
    original_ = SelectObject(dc_.get(), bitmap_.get());
    fill(fill_color);
}

Color Canvas::pixel(int x, int y) const {
    GdiFlush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    const std::uint32_t bgra = bits_[y * width_ + x];
    return rgb((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

void Canvas::fill(Color color) { fill_rect(0, 0, width_, height_, color); }

void Canvas::fill_rect(int left, int top, int right, int bottom, Color color) {
    UniqueBrush brush(CreateSolidBrush(color));
    RECT r{left, top, right, bottom};
    FillRect(dc_.get(), &r, brush.get());
}

int Canvas::count(int left, int top, int right, int bottom, Color color) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += pixel(x, y) == color ? 1 : 0;
    return n;
}

HBITMAP make_test_bitmap(int width, int height, Color (*paint)(int, int)) {
    BITMAPINFO info = top_down_32bit(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Color c = paint(x, y);
            pixels[y * width + x] = (std::uint32_t(red_of(c)) << 16) | (std::uint32_t(green_of(c)) << 8) | blue_of(c);
        }
    }
    return bitmap;
}

std::vector<Color> bitmap_pixels(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    const int w = info.bmWidth;
    const int h = info.bmHeight;
    std::vector<Color> pixels;
    BITMAPINFO request = top_down_32bit(w, h);
    std::vector<std::uint32_t> raw(static_cast<std::size_t>(w) * h);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    GetDIBits(dc.get(), bitmap, 0, h, raw.data(), &request, DIB_RGB_COLORS);
    pixels.reserve(raw.size());
    for (std::uint32_t bgra : raw) pixels.push_back(rgb((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    return pixels;
}

}  // namespace qb::test

#include "app/startup_win.h"

namespace qb::test {

namespace {

// The script of the run in progress, found by the timer that starts it.
struct PendingScript {
    std::function<void(HWND)> script;
    // With it, the script waits until every link picture is in.
    const ProgramState* pictures_of = nullptr;
};
PendingScript* pending = nullptr;

void CALLBACK run_script_when_shown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = FindWindowA("Quillobrante", nullptr);
    if (!window || !IsWindowVisible(window) || !pending || !pending->script) return;
    if (pending->pictures_of && pending->pictures_of->pictures.outstanding > 0) return;
    KillTimer(nullptr, timer);
    auto script = std::move(pending->script);
    pending->script = nullptr;
    script(window);
}

HMODULE load_program_module(const std::string& folder, const std::string& name) {
    HMODULE module = LoadLibraryW(system_path(folder + "\\" + name).c_str());
    EXPECT_NE(module, nullptr) << "no " << name << " in " << folder;
    return module;
}

}  // namespace

TestProgram::TestProgram(const std::string& folder, const std::string& module)
    : module_(load_program_module(folder, module)), state(module_, seams) {}

TestProgram::~TestProgram() {
    if (module_) FreeLibrary(module_);
}

int TestProgram::run(std::function<void(HWND)> script) {
    PendingScript run_script{std::move(script), wait_for_pictures ? &state : nullptr};
    pending = &run_script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, run_script_when_shown);
    const int code = run_program(state);
    KillTimer(nullptr, timer);
    pending = nullptr;
    return code;
}

void press_key(HWND window, UINT key, bool extended) {
    const LPARAM flags = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16) | (extended ? (1 << 24) : 0);
    PostMessageA(window, WM_KEYDOWN, key, flags);
}

void drop_files(HWND window, const std::vector<std::string>& names, POINT at) {
    std::vector<std::wstring> wide;
    for (const std::string& name : names) wide.push_back(to_wide(name));
    drop_files(window, wide, at);
}

// Wide names, as the shell drops them.
void drop_files(HWND window, const std::vector<std::wstring>& names, POINT at) {
    std::wstring list;
    for (const std::wstring& name : names) list += name + L'\0';
    list += L'\0';
    const std::size_t list_bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list_bytes);
    ASSERT_NE(memory, nullptr);
    auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
    block->pFiles = sizeof(DROPFILES);
    block->pt = at;
    block->fNC = FALSE;
    block->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(block) + sizeof(DROPFILES), list.data(), list_bytes);
    GlobalUnlock(memory);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // the handler frees it
}

bool pump_messages_until(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - spent, 20), QS_ALLINPUT);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that owns the run
                return done();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

std::wstring machine_guid() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", 0, KEY_READ | KEY_WOW64_64KEY,
                      &key) != ERROR_SUCCESS) {
        return {};
    }
    UniqueRegistryKey owner(key);
    wchar_t text[128] = {};
    DWORD size = sizeof text - sizeof text[0];
    if (RegQueryValueExW(key, L"MachineGuid", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) {
        return {};
    }
    return text;
}

bool set_machine_guid(const std::wstring& guid) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    UniqueRegistryKey owner(key);
    return RegSetValueExW(key, L"MachineGuid", 0, REG_SZ, reinterpret_cast<const BYTE*>(guid.c_str()),
                          static_cast<DWORD>((guid.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace qb::test
