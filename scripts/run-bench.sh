#!/usr/bin/env bash
# Prints the benchmarks' figures: the paint of the main window under Wine.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
export QB_PREFIX_NAME=test
source "$ROOT/scripts/wine-env.sh"
"$ROOT/scripts/build.sh" "windows${QB_BUILD_SUFFIX}" >/dev/null
qb_wine_summary
prepare_test_drives
ensure_display
trap 'wineserver -k 2>/dev/null; stop_display || true' EXIT
cd "$QB_WINDOWS_BUILD"
for bench in *_bench.exe; do
  wine "$bench"
done
