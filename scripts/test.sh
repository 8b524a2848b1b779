#!/usr/bin/env bash
# Installs what is missing, builds Tagloom and runs the whole test suite twice:
# once as built for use, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for flavour in test asan; do
  echo "== tests: $flavour build =="
  scripts/build.sh "$flavour"
  ctest --test-dir "build/$flavour" --output-on-failure --parallel "$(nproc)"
done
