#!/usr/bin/env bash
# Runs a command with label printers on CUPS's own sample drivers, whose device is a file that
# receives what the printer would: TAGLOOM_ZPL203 and TAGLOOM_ZPL300 name Zebra ZPL queues at
# 203 dpi (default media 6 x 4 in, the driver's own default) and 300 dpi (4 x 2 in, set on the
# server as lpadmin -o PageSize-default does), TAGLOOM_DYMO a DYMO queue, which takes no custom
# sizes. Queue NAME writes to $TAGLOOM_LABEL_SPOOL/NAME.out, replaced by every job.
# Usage: with-label-printers.sh COMMAND [ARGUMENTS...]   (exits with the command's status)
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "with-label-printers: setting up printers needs root" >&2
  exit 77
fi

spool=$(mktemp -d /tmp/tagloom-labels.XXXXXX)
suffix=$$ # the queues of two test runs at a time must not meet
export TAGLOOM_ZPL203=TagloomZpl203-$suffix TAGLOOM_ZPL300=TagloomZpl300-$suffix
export TAGLOOM_DYMO=TagloomDymo-$suffix TAGLOOM_LABEL_SPOOL=$spool
queues=("$TAGLOOM_ZPL203" "$TAGLOOM_ZPL300" "$TAGLOOM_DYMO")
started_cupsd=
cleanup() {
  for queue in "${queues[@]}"; do lpadmin -x "$queue" 2>/dev/null || true; done
  rm -rf "$spool"
  if [ -n "$started_cupsd" ]; then kill "$started_cupsd" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
trap cleanup EXIT

scheduler_runs() { lpstat -r 2>/dev/null | grep -q "is running"; }
wait_for_scheduler() {
  for _ in $(seq 100); do scheduler_runs && return 0; sleep 0.1; done
  echo "with-label-printers: the CUPS scheduler does not answer" >&2
  exit 1
}

# CUPS takes file: devices only with FileDevice set; a running scheduler reads it again on SIGHUP.
files_conf=/etc/cups/cups-files.conf
if ! grep -qx "FileDevice Yes" "$files_conf"; then
  echo "FileDevice Yes" >>"$files_conf"
  if scheduler=$(pgrep -o -x cupsd); then
    kill -HUP "$scheduler"
    sleep 1
    wait_for_scheduler
  fi
fi
if ! pgrep -x cupsd >/dev/null; then
  /usr/sbin/cupsd -f &
  started_cupsd=$!
  wait_for_scheduler
fi

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
