#!/usr/bin/env bash
# Installs what is missing, builds Tagloom (Release) and starts it.
# Usage: scripts/run.sh [LAYOUT.ini]   (without a file it opens the bundled example)
set -euo pipefail
# A layout named relative to where the user stands, before we move to the checkout.
layout=$(realpath -- "${1:-$(dirname "$0")/../examples/example.ini}")
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh release
exec build/release/src/tagloom "$layout"
