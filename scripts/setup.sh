#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, once.
# Idempotent: a second run only checks and returns quickly.
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xdotool imagemagick locales
          googletest cmake make g++ clang libclang-rt-14-dev python3 python3-pefile x11-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine reports the code page of the locale, as Windows does of its
# language for non-Unicode programs: Russian 1251, English 1252 and
# Japanese 932 (multi-byte). The program must read right under each.
for wanted in ru_RU en_US ja_JP; do
  if ! locale -a 2>/dev/null | grep -qi "^${wanted}\.utf-\?8$"; then
    echo "setup: generating ${wanted}.UTF-8"
    localedef -i "$wanted" -f UTF-8 "${wanted}.UTF-8"
  fi
done
