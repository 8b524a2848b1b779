#!/bin/sh
# Usage: loads-no-widgets.sh PROGRAM
# Fails when the program loads Qt Widgets, directly or through another library: ldd lists every
# library the loader brings in. It must list Qt Gui, or the check would see nothing at all.
libraries=$(ldd "$1") || exit 1
if printf '%s\n' "$libraries" | grep -q 'libQt6Widgets'; then
  printf '%s loads Qt Widgets:\n%s\n' "$1" "$libraries"
  exit 1
fi
if ! printf '%s\n' "$libraries" | grep -q 'libQt6Gui'; then
  printf 'ldd shows no Qt library for %s:\n%s\n' "$1" "$libraries"
  exit 1
fi
