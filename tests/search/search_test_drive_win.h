#pragma once
// What the search tests do to their drive: files and folders made and
// removed through the system, and Linux symbolic links made by a Linux
// program that Wine starts (they are how a link back into the tree shows
// up on a drive mapped under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/file_io_win.h"
#include "common/wide_text_win.h"
#include "common/win_handles_win.h"

namespace qb::test {

// The drive the search tests scan whole: mapped, removable, their own.
inline constexpr const char* kSearchRoot = "G:\\";

// Starts a Linux program (Wine starts ELF programs too) in `folder`. Wine
// gives no handle of such a process, so callers wait for its effect.
inline bool start_linux_program(const std::string& command, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = command;
    std::string current = folder;
    if (current.size() > 3 && current.back() == '\\') current.pop_back();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, current.c_str(), &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << command << " (error " << GetLastError() << ")";
        return false;
    }
    UniqueKernelHandle process_handle(process.hProcess);
    UniqueKernelHandle thread_handle(process.hThread);
    return true;
}

// Waits up to ten seconds for `path` to exist (or to be gone).
inline bool wait_for_path(const std::string& path, bool exists) {
    const std::wstring wide = system_path(path);
    for (DWORD started = GetTickCount(); GetTickCount() - started < 10000; Sleep(10)) {
        if ((GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
    }
    return false;
}

// A Linux symbolic link `name` in `folder` that points at `target` (relative to the folder).
inline void make_linux_link(const std::string& folder, const std::string& target, const std::string& name) {
    ASSERT_TRUE(start_linux_program("Z:\\bin\\ln -s " + target + " " + name, folder));
    ASSERT_TRUE(wait_for_path(folder + name, true)) << "no link " << folder << name;
}

// Removes everything inside `folder` (ending with a backslash) without
// entering links: a link is removed as a link, by a Linux program. Names
// are taken as the system holds them, so that names in any script go too.
inline void empty_folder_wide(const std::wstring& folder) {
    struct Child {
        std::wstring name;
        DWORD attributes;
    };
    std::vector<Child> children;
    WIN32_FIND_DATAW entry{};
    {
        UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &entry));
        if (!find) return;
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") children.push_back({name, entry.dwFileAttributes});
        } while (FindNextFileW(find.get(), &entry));
    }
    for (const Child& child : children) {
        const std::wstring path = folder + child.name;
        if (child.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // Only the tests' own links, which have ASCII names.
            const std::optional<std::string> name = to_1251(child.name);
            const std::optional<std::string> narrow_folder = to_1251(folder);
            if (name && narrow_folder && start_linux_program("Z:\\bin\\rm -f " + *name, *narrow_folder)) {
                EXPECT_TRUE(wait_for_path(*narrow_folder + *name, false)) << "link " << *narrow_folder << *name
                                                                          << " stays";
            }
            continue;
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (child.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            empty_folder_wide(path + L"\\");
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    }
}
inline void empty_folder(const std::string& folder) { empty_folder_wide(system_path(folder)); }

inline void make_folder_wide(const std::wstring& path, DWORD attributes = 0) {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << "cannot create a folder (error " << GetLastError() << ")";
    if (attributes) SetFileAttributesW(path.c_str(), attributes);
}
inline void make_folder(const std::string& path, DWORD attributes = 0) {
    make_folder_wide(system_path(path), attributes);
}

inline void make_file_wide(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << "cannot create a file (error " << GetLastError() << ")";
}
inline void make_file(const std::string& path) { make_file_wide(system_path(path)); }

}  // namespace qb::test
