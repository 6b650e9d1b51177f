#!/usr/bin/env bash
# Configures and builds one of the project's builds:
#   native     the portable core and its tests, with ASan and UBSan (g++)
#   fuzz       the libFuzzer targets (clang)
#   windows    32-bit: Quillobrante.exe, data.dll, the Windows tests and dist/
#   windows64  the same sources for 64-bit Windows (its program folder
#              stays in build/windows64/program; dist/ is always 32-bit)
# A build is configured again whenever the options passed here change.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
JOBS="${QB_JOBS:-$(nproc)}"
kind="${1:-}"
dir="$ROOT/build/$kind"
python="$(command -v python3)"
case "$kind" in
  native)
    options=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++) ;;
  fuzz)
    options=(-DQB_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  # The Windows builds carry no debug information: the shipped program is
  # stripped anyway, and without it both builds compile a third faster and
  # take a tenth of the disk (the code is the same as with -g).
  windows)
    options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG"
             -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DPython3_EXECUTABLE="$python") ;;
  windows64)
    options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG"
             -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DPython3_EXECUTABLE="$python") ;;
  *)
    echo "usage: build.sh native|fuzz|windows|windows64" >&2
    exit 2 ;;
esac

mkdir -p "$dir"
wanted="${options[*]}"
stamp="$dir/.configured-with"
if [ ! -f "$dir/CMakeCache.txt" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
  # A toolchain or compiler cannot change in an existing cache: start afresh.
  rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  cmake -S "$ROOT" -B "$dir" "${options[@]}" >/dev/null
  printf '%s' "$wanted" >"$stamp"
fi
cmake --build "$dir" -j "$JOBS"
