#!/usr/bin/env bash
# Configures (once) and builds one of the project's builds:
#   native   the portable core and its tests, with ASan and UBSan (g++)
#   fuzz     the libFuzzer targets (clang)
#   windows  Quillobrante.exe, data.dll, the Windows tests and dist/
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
JOBS="${QB_JOBS:-$(nproc)}"
kind="$1"
dir="$ROOT/build/$kind"
mkdir -p "$dir"
case "$kind" in
  native)
    [ -f "$dir/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >/dev/null
    cmake --build "$dir" -j "$JOBS"
    ;;
  fuzz)
    [ -f "$dir/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$dir" -DQB_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$dir" -j "$JOBS"
    ;;
  windows)
    [ -f "$dir/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DPython3_EXECUTABLE="$(command -v python3)" >/dev/null
    cmake --build "$dir" -j "$JOBS"
    ;;
  *)
    echo "usage: build.sh native|fuzz|windows" >&2
    exit 2
    ;;
esac
