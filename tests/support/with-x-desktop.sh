#!/usr/bin/env bash
# Runs a command on a desktop of its own: a virtual X server (Xvfb) at 96 dots per inch with a real
# window manager (openbox), so that windows get frames, placement and keyboard focus as on a
# person's screen.
# Usage: with-x-desktop.sh [--screen WIDTHxHEIGHT] COMMAND [ARGUMENTS...]
# (exits with the command's status; the screen is 1920x1080 unless given)
set -euo pipefail

screen=1920x1080
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi

if [ -z "${TAGLOOM_X_DESKTOP:-}" ]; then
  for tool in xvfb-run openbox xdotool; do
    if ! command -v "$tool" >/dev/null; then
      echo "with-x-desktop: $tool is missing (scripts/setup.sh installs it)" >&2
      exit 77
    fi
  done
  export TAGLOOM_X_DESKTOP=1
  exec xvfb-run -a -s "-screen 0 ${screen}x24 -dpi 96 -nolisten tcp" "$0" "$@"
fi

# Inside the X server: the window manager first, the command once it manages the screen.
ready=$(mktemp -u)
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
openbox=$!
trap 'kill "$openbox" 2>/dev/null; wait "$openbox" 2>/dev/null; rm -f "$ready"' EXIT
for _ in $(seq 100); do
  [ -e "$ready" ] && break
  sleep 0.1
done
if [ ! -e "$ready" ]; then
  echo "with-x-desktop: openbox did not start within 10 s" >&2
  exit 1
fi

status=0
"$@" || status=$?
exit "$status"
