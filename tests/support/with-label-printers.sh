#!/usr/bin/env bash
# Runs a command with label printers on CUPS's own sample drivers, whose device is a file that
# receives what the printer would: TAGLOOM_ZPL203 and TAGLOOM_ZPL300 name Zebra ZPL queues at
# 203 dpi (default media 6 x 4 in, the driver's own default) and 300 dpi (4 x 2 in, set on the
# server as lpadmin -o PageSize-default does), TAGLOOM_DYMO a DYMO queue, which takes no custom
# sizes. Queue NAME writes to $TAGLOOM_LABEL_SPOOL/NAME.out, replaced by every job.
# Usage: with-label-printers.sh COMMAND [ARGUMENTS...]   (exits with the command's status)
set -euo pipefail
source "$(dirname "$0")/cups-scheduler.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "with-label-printers: setting up printers needs root" >&2
  exit 77
fi

spool=$(mktemp -d /tmp/tagloom-labels.XXXXXX)
suffix=$$ # the queues of two test runs at a time must not meet
export TAGLOOM_ZPL203=TagloomZpl203-$suffix TAGLOOM_ZPL300=TagloomZpl300-$suffix
export TAGLOOM_DYMO=TagloomDymo-$suffix TAGLOOM_LABEL_SPOOL=$spool
queues=("$TAGLOOM_ZPL203" "$TAGLOOM_ZPL300" "$TAGLOOM_DYMO")
cleanup() {
  for queue in "${queues[@]}"; do lpadmin -x "$queue" 2>/dev/null || true; done
  rm -rf "$spool"
  stop_scheduler_if_started
}
trap cleanup EXIT
start_scheduler_if_needed

add_queue() { # NAME DRIVER OPTIONS...
  local name=$1 driver=$2
  shift 2
  lpadmin -p "$name" -E -v "file://$spool/$name.out" -m "$driver" "$@" 2>/dev/null
}
add_queue "$TAGLOOM_ZPL203" drv:///sample.drv/zebra.ppd -o PageSize=w432h288 -o Resolution=203dpi
add_queue "$TAGLOOM_ZPL300" drv:///sample.drv/zebra.ppd -o PageSize=w432h288 -o Resolution=300dpi
lpadmin -p "$TAGLOOM_ZPL300" -o PageSize-default=w288h144
add_queue "$TAGLOOM_DYMO" drv:///sample.drv/dymo.ppd

status=0
"$@" || status=$?
exit "$status"
