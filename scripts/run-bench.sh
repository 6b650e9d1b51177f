#!/usr/bin/env bash
# Prints the benchmarks' figures under Wine: the program's start-up and
# memory beside a bare window program, the main window's paints beside a
# full-window BitBlt, and the drive scan beside a bare find walk.
#   run-bench.sh [startup] [paint] [drive_scan]   (all when none is named)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
export QB_PREFIX_NAME=test
source "$ROOT/scripts/wine-env.sh"
"$ROOT/scripts/build.sh" "windows${QB_BUILD_SUFFIX}" >/dev/null
cmake --build "$QB_WINDOWS_BUILD" --target benches -j "$(nproc)" >/dev/null
qb_wine_summary
prepare_test_drives
ensure_display
trap 'wineserver -k 2>/dev/null; stop_display || true' EXIT
cd "$QB_WINDOWS_BUILD"
# Names given (startup, paint, drive_scan) run only those. Start-up and
# paints go first: the drive scan leaves 100,000 files behind it for the
# system to clean up while later figures are taken.
if [ "$#" -gt 0 ]; then
  benches=(); for name in "$@"; do benches+=("${name}_win_bench.exe"); done
else
  benches=(startup_win_bench.exe paint_win_bench.exe)
  for bench in *_bench.exe; do
    case "$bench" in startup_win_bench.exe|paint_win_bench.exe) ;; *) benches+=("$bench") ;; esac
  done
fi
for bench in "${benches[@]}"; do
  wine "$bench"
done
