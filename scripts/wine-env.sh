# Sourced by the scripts: the Wine environment of this project.
#
# Which Wine runs the Windows programs is decided here, once. Some machines
# cannot run 32-bit Linux programs at all, and Wine's 32-bit loader is one;
# there the 64-bit build of the same sources runs under wine64 instead.
#   QB_WINE_BITS=32|64   forces the choice (both paths can be tried anywhere)
#   QB_PREFIX_NAME       names the prefix: test (default), demo, e2e
#   QB_LOCALE            the system's language (default ru_RU.UTF-8; also
#                        en_US.UTF-8, ja_JP.UTF-8): Wine takes its code
#                        page for non-Unicode programs from it
# Exported for the callers:
#   QB_WINE_BITS, QB_WINE_REASON   the choice and why it was made
#   QB_WINE                        the loader to call (also a `wine` function)
#   QB_WINDOWS_BUILD               the build folder of the chosen build
#   QB_PROGRAM_DIR                 the program folder (exe, data.dll, Data) it runs
#   QB_BUILD_SUFFIX                "" or "64", for folders of a path's own
QB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QB_ROOT

qb_choose_wine() {
  if [ -n "${QB_WINE_BITS:-}" ]; then
    case "$QB_WINE_BITS" in
      32|64) QB_WINE_REASON="forced by QB_WINE_BITS=$QB_WINE_BITS" ;;
      *) echo "QB_WINE_BITS must be 32 or 64, not '$QB_WINE_BITS'" >&2; return 1 ;;
    esac
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    QB_WINE_BITS=32
    QB_WINE_REASON="this machine runs Wine's 32-bit loader"
  else
    QB_WINE_BITS=64
    QB_WINE_REASON="this machine cannot run Wine's 32-bit loader (no 32-bit Linux programs)"
  fi
  export QB_WINE_BITS QB_WINE_REASON
}
qb_choose_wine || return 1 2>/dev/null || exit 1

if [ "$QB_WINE_BITS" = 32 ]; then
  # /usr/bin/wine would do, but naming the loader keeps both paths alike.
  export QB_WINE=/usr/lib/wine/wine
  export WINESERVER=/usr/lib/wine/wineserver32
  export WINEARCH=win32
  export QB_BUILD_SUFFIX=""
  export QB_WINDOWS_BUILD="$QB_ROOT/build/windows"
  export QB_PROGRAM_DIR="$QB_ROOT/dist"
else
  # /usr/bin/wine and wine-stable prefer the 32-bit loader whenever wine32
  # is installed, so the 64-bit one is called directly.
  export QB_WINE=/usr/lib/wine/wine64
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  export WINEARCH=win64
  export QB_BUILD_SUFFIX="64"
  export QB_WINDOWS_BUILD="$QB_ROOT/build/windows64"
  export QB_PROGRAM_DIR="$QB_WINDOWS_BUILD/program"
fi
[ -x "$WINESERVER" ] || export WINESERVER=/usr/lib/wine/wineserver

export WINEPREFIX="$QB_ROOT/build/wine${QB_BUILD_SUFFIX}-${QB_PREFIX_NAME:-test}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG="${QB_LOCALE:-ru_RU.UTF-8}"
export LC_ALL="$LANG"

wine() { "$QB_WINE" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# One line for summaries: which build runs under which Wine, and why.
qb_wine_summary() {
  echo "Windows build: ${QB_WINE_BITS}-bit under $QB_WINE ($QB_WINE_REASON)"
}

# Creates the prefix once (about ten seconds). wineboot itself goes
# through the launcher, so it is run by the chosen loader.
# Wine 8's new prefix does not map .exe to its class as every Windows does,
# so the shell takes programs for files of an unknown type and gives them
# the plain document picture instead of their own icons; the mapping is
# added here.
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  if ! grep -q '^\[Software\\\\Classes\\\\.exe\]' "$WINEPREFIX/system.reg"; then
    wine reg add 'HKCR\.exe' /ve /d exefile /f >/dev/null 2>&1
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
# Sets QB_XVFB_PID when it started one; stop_display ends it.
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

# Ends the Xvfb of ensure_display and waits for it: one still ending would
# remove the socket of the next Xvfb that took its display number.
stop_display() {
  if [ -n "${QB_XVFB_PID:-}" ]; then
    kill "$QB_XVFB_PID" 2>/dev/null
    wait "$QB_XVFB_PID" 2>/dev/null
    QB_XVFB_PID=""
  fi
}

# The prefix of the Windows tests and benchmarks with its drives: E: and F:
# one removable folder labelled QBTEST, also the network share
# \\qbserver\stick; G: removable without a label, H: a fixed drive. The
# folders start empty.
prepare_test_drives() {
  wine_prefix_ready
  wine_unmanaged_windows
  local drives="$QB_ROOT/build/test-drives${QB_BUILD_SUFFIX}"
  rm -rf "$drives"
  mkdir -p "$drives/removable" "$drives/unlabelled" "$drives/fixed"
  echo "QBTEST" > "$drives/removable/.windows-label"
  map_drive e "$drives/removable" floppy
  map_drive f "$drives/removable" floppy
  map_drive g "$drives/unlabelled" floppy
  map_drive h "$drives/fixed" hd
  mkdir -p "$WINEPREFIX/dosdevices/unc/qbserver"
  ln -sfn "$drives/removable" "$WINEPREFIX/dosdevices/unc/qbserver/stick"
  wineserver -k 2>/dev/null; wineserver -w
}
