// A small program for the demo drive, so the desktop has real
// executables to link to.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "Sample tool from the demo drive.", "Sample tool", MB_OK | MB_ICONINFORMATION);
    return 0;
}
