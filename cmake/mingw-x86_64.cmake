# Cross build for 64-bit Windows: the same sources, for machines whose
# Wine cannot run 32-bit programs (tests, demo and benchmarks there). The
# shipped program stays the 32-bit build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Windows test executables run under Wine through this wrapper, with
# the loader of their own width.
set(CMAKE_CROSSCOMPILING_EMULATOR env QB_WINE_BITS=64 ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
