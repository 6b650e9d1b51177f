// A picture library with start-up code of its own: loaded as code, it
// leaves the file "trace.txt" beside itself. The program must take only
// its pictures, so a test can tell by the missing file.
#include <windows.h>

#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH + 16] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr) return TRUE;
    std::strcpy(slash + 1, "trace.txt");
    HANDLE trace = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (trace != INVALID_HANDLE_VALUE) CloseHandle(trace);
    return TRUE;
}
