#!/usr/bin/env bash
# Makes docs/screenshot.png: the real program under Xvfb with the bundled example loaded.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh test
mkdir -p docs
xvfb-run -a -s "-screen 0 1400x820x24" build/test/tests/screenshot/ReadmeScreenshot examples/example.ini docs/screenshot.png
echo "wrote docs/screenshot.png"
