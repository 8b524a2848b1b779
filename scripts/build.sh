#!/usr/bin/env bash
# Configures and builds one flavour of Tagloom: release, test or asan.
# Usage: scripts/build.sh FLAVOUR   (the build lands in build/FLAVOUR)
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:?usage: scripts/build.sh release|test|asan}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DTAGLOOM_BUILD_TESTS=OFF) ;;
  test)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    args=(-DCMAKE_BUILD_TYPE=Debug -DTAGLOOM_SANITIZE=ON -DCMAKE_CXX_FLAGS=-O1) ;;
  *) echo "build.sh: unknown flavour '$flavour' (release, test or asan)" >&2; exit 2 ;;
esac

# The generator is chosen once, when the folder is new; the flavour's options are applied every time.
generator=()
if [ ! -f "build/$flavour/CMakeCache.txt" ] && command -v ninja >/dev/null; then
  generator=(-G Ninja)
fi
# A compiler cache, where one is installed, makes rebuilds after a branch switch cheap.
if command -v ccache >/dev/null; then
  args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
fi
cmake -S . -B "build/$flavour" "${generator[@]}" "${args[@]}" >/dev/null
cmake --build "build/$flavour" --parallel "$(nproc)"
