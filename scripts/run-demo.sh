#!/usr/bin/env bash
# Runs Quillobrante on the bundled demo drive, mapped as removable drive E:.
# With a working DISPLAY the program opens there and runs until closed;
# without one it runs on an Xvfb screen of 1024 x 768 for a few seconds,
# and a screenshot is saved and its path printed.
#   --screenshots   remakes the README's pictures (docs/*.png) on a freshly
#                   laid-out demo drive, always on an Xvfb screen: the
#                   desktop, and the options window's Themes page, in
#                   Russian and then in English.
set -euo pipefail
screenshots=0
[ "${1:-}" = "--screenshots" ] && screenshots=1
# Wine started with standard input closed (as CI may start us) never shows
# its windows; /dev/null in its place is harmless.
[ -e /dev/stdin ] || exec </dev/null
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/setup.sh"
export QB_PREFIX_NAME=demo
# The pictures are taken in a prefix of their own, without a window manager.
[ $screenshots = 1 ] && QB_PREFIX_NAME=shots
source "$ROOT/scripts/wine-env.sh"
# dist/ (the shipped 32-bit program) is always made; the 64-bit build is
# made too where it is the one this machine's Wine runs.
"$ROOT/scripts/build.sh" windows >/dev/null
[ "$QB_WINE_BITS" = 64 ] && "$ROOT/scripts/build.sh" windows64 >/dev/null
qb_wine_summary
wine_prefix_ready

DRIVE="$ROOT/build/demo-drive${QB_BUILD_SUFFIX}"
if [ $screenshots = 1 ]; then
  wine_unmanaged_windows
  DRIVE="$ROOT/build/screenshot-drive${QB_BUILD_SUFFIX}"
  rm -rf "$DRIVE"
  unset DISPLAY
fi
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

# The README's pictures: the window cut out of the screen shot, then the
# options window opened with the pointer and turned to its Themes page.
crop_window() {
  local shot="$1" out="$2" left top right bottom
  read -r left top right bottom < <(tr -d '\r')
  /usr/bin/convert "$shot" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out"
  echo "Saved $out"
}
click_centre() {
  local left top right bottom
  read -r left top right bottom < <(tr -d '\r')
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}
# $1: the pictures' suffix ("" for Russian, "-en" for English).
take_screenshots() {
  local suffix="${1:-}"
  mkdir -p "$ROOT/docs"
  wine "$PROBE" wait-window Quillobrante 5000 | crop_window "$SHOT" "$ROOT/docs/screenshot-desktop$suffix.png"
  wine "$PROBE" child-rect Quillobrante 10001 | click_centre
  wine "$PROBE" wait-window OptWindow 10000 >/dev/null
  wine "$PROBE" list-item OptWindow 10020 2 | click_centre
  sleep 2
  local themes="$ROOT/build/themes-screenshot.png"
  /usr/bin/import -window root "$themes"
  wine "$PROBE" wait-window OptWindow 5000 | crop_window "$themes" "$ROOT/docs/screenshot-themes$suffix.png"
}

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
if [ $screenshots = 1 ]; then
  take_screenshots
fi
wine "$PROBE" post-key Quillobrante 0x1B
set +e
wait "$program"
code=$?
echo "Quillobrante ended with exit code $code"
if [ $screenshots = 1 ] && [ $code = 0 ]; then
  # The same drive in English, chosen as the user's menu would keep it.
  printf 'Language=en\r\n' >"$DRIVE/language.ini"
  wine 'E:\Quillobrante.exe' &
  program=$!
  wine "$PROBE" wait-window Quillobrante 30000 >/dev/null && sleep 3 && /usr/bin/import -window root "$SHOT" &&
    take_screenshots -en
  wine "$PROBE" post-key Quillobrante 0x1B
  wait "$program"
  code=$?
  echo "Quillobrante in English ended with exit code $code"
fi
exit $code
