#!/usr/bin/env bash
# Installs the Debian packages Tagloom needs to build, run and test, when any are missing.
# Safe to run again: it installs nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgsf-1-dev libzip-dev libzint-dev libzxing-dev zlib1g-dev
  libcups2-dev fonts-wqy-microhei xvfb xauth openbox xdotool x11-utils imagemagick
  cups cups-client printer-driver-cups-pdf poppler-utils zbar-tools
  python3-xlwt python3-xlrd
  file lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt=(apt-get)
elif command -v sudo >/dev/null; then
  apt=(sudo apt-get)
else
  echo "setup: missing packages: ${missing[*]}" >&2
  echo "setup: install them as root: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt[@]}" update -qq
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
