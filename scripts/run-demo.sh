#!/usr/bin/env bash
# Runs Quillobrante on the bundled demo drive, mapped as removable drive E:.
# With a working DISPLAY the program opens there and runs until closed;
# without one it runs on an Xvfb screen of 1024 x 768 for a few seconds,
# and a screenshot is saved and its path printed.
set -euo pipefail
# Wine started with standard input closed (as CI may start us) never shows
# its windows; /dev/null in its place is harmless.
[ -e /dev/stdin ] || exec </dev/null
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
export QB_PREFIX_NAME=demo
source "$ROOT/scripts/wine-env.sh"
# dist/ (the shipped 32-bit program) is always made; the 64-bit build is
# made too where it is the one this machine's Wine runs.
"$ROOT/scripts/build.sh" windows >/dev/null
[ "$QB_WINE_BITS" = 64 ] && "$ROOT/scripts/build.sh" windows64 >/dev/null
qb_wine_summary
wine_prefix_ready

DRIVE="$ROOT/build/demo-drive${QB_BUILD_SUFFIX}"
python3 "$ROOT/resources/demo/make_demo_drive.py" --dist "$QB_PROGRAM_DIR" \
  --sample-exe "$QB_WINDOWS_BUILD/sample_tool.exe" --drive "$DRIVE"
map_drive e "$DRIVE" floppy
wineserver -k 2>/dev/null || true   # the drive table is read when wineserver starts
wineserver -w

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting E:\\Quillobrante.exe on $DISPLAY (close it with its close button or Escape)"
  set +e
  wine 'E:\Quillobrante.exe'
  code=$?
  echo "Quillobrante ended with exit code $code"
  exit $code
fi

ensure_display
trap 'wineserver -k 2>/dev/null; stop_display || true' EXIT
PROBE="$QB_WINDOWS_BUILD/qb_probe.exe"
wine 'E:\Quillobrante.exe' &
program=$!
if ! wine "$PROBE" wait-window Quillobrante 30000 >/dev/null; then
  echo "The window did not appear" >&2
  exit 1
fi
sleep 3
SHOT="$ROOT/build/demo-screenshot${QB_BUILD_SUFFIX}.png"
/usr/bin/import -window root "$SHOT"
echo "Screenshot of the running program: $SHOT"
wine "$PROBE" post-key Quillobrante 0x1B
set +e
wait "$program"
code=$?
echo "Quillobrante ended with exit code $code"
exit $code
