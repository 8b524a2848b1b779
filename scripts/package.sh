#!/usr/bin/env bash
# Builds Tagloom (Release) and makes its Debian package, build/release/tagloom_<version>_<arch>.deb,
# which `apt install ./build/release/tagloom_….deb` installs with everything it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh release
# cpack names the package it made; show just that path.
cpack -G DEB --config build/release/CPackConfig.cmake -B build/release \
  | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
