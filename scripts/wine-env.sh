# Sourced by the scripts: the Wine environment of this project.
# QB_WINEPREFIX picks the prefix (the demo and the tests use their own).
QB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${QB_WINEPREFIX:-$QB_ROOT/build/wine-test}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ru_RU.UTF-8
export LC_ALL=ru_RU.UTF-8
export WINEARCH=win32

# Creates the prefix once (about ten seconds).
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}

# Without a window manager (Xvfb), Wine waits for one at every window it
# shows or hides; unmanaged windows skip that wait. Tests only.
wine_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

# map_drive LETTER FOLDER TYPE: the folder becomes drive LETTER: of TYPE
# (floppy = removable, hd, cdrom, network). Restart wineserver afterwards.
map_drive() {
  local letter="$1" folder="$2" type="$3"
  ln -sfn "$folder" "$WINEPREFIX/dosdevices/${letter}:"
  wine reg add 'HKLM\Software\Wine\Drives' /v "${letter}:" /t REG_SZ /d "$type" /f >/dev/null 2>&1
}

# Starts an Xvfb display of 1024 x 768 unless DISPLAY names a live one.
# Sets QB_XVFB_PID when it started one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local fifo; fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  QB_XVFB_PID=$!
  local number; read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

# The prefix of the Windows tests and benchmarks with its drives: E: and F:
# one removable folder labelled QBTEST, G: removable without a label, H: a
# fixed drive. The folders start empty.
prepare_test_drives() {
  wine_prefix_ready
  wine_unmanaged_windows
  local drives="$QB_ROOT/build/test-drives"
  rm -rf "$drives"
  mkdir -p "$drives/removable" "$drives/unlabelled" "$drives/fixed"
  echo "QBTEST" > "$drives/removable/.windows-label"
  map_drive e "$drives/removable" floppy
  map_drive f "$drives/removable" floppy
  map_drive g "$drives/unlabelled" floppy
  map_drive h "$drives/fixed" hd
  wineserver -k 2>/dev/null; wineserver -w
}
