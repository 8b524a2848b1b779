#!/usr/bin/env bash
# Installs what is missing, builds Tagloom (Release) and starts it.
# Usage: scripts/run.sh [LAYOUT.ini]   (without a file it opens the bundled example)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh release
layout=${1:-examples/example.ini}
exec build/release/src/tagloom "$layout"
