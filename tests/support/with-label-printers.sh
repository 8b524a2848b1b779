#!/usr/bin/env bash
# Runs a command with label printers on CUPS's own sample drivers, whose device receives what the
# printer would: TAGLOOM_ZPL203 and TAGLOOM_ZPL300 name Zebra ZPL queues at 203 dpi (default media
# 6 x 4 in, the driver's own default) and 300 dpi (4 x 2 in, set on the server as
# lpadmin -o PageSize-default does), TAGLOOM_DYMO a DYMO queue, which takes no custom sizes, and
# TAGLOOM_RAW a queue that passes jobs through unchanged. Every queue NAME's printer appends all
# it receives to $TAGLOOM_LABEL_SPOOL/NAME.out, job after job: a test empties that file (never
# removes it) before it prints.
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
export TAGLOOM_DYMO=TagloomDymo-$suffix TAGLOOM_RAW=TagloomRaw-$suffix TAGLOOM_LABEL_SPOOL=$spool
queues=("$TAGLOOM_ZPL203" "$TAGLOOM_ZPL300" "$TAGLOOM_DYMO" "$TAGLOOM_RAW")
readers=()
cleanup() {
  for queue in "${queues[@]}"; do lpadmin -x "$queue" 2>/dev/null || true; done
  for reader in "${readers[@]}"; do kill "$reader" 2>/dev/null || true; done
  rm -rf "$spool"
  stop_scheduler_if_started
}
trap cleanup EXIT
start_scheduler_if_needed

# A job's device is opened afresh and from the start: a FIFO keeps every job of a run. The reader
# holds it open for writing too, so that it never sees an end and the scheduler never waits for it.
add_device() { # NAME
  local fifo=$spool/$1.fifo
  mkfifo -m 666 "$fifo"
  : >"$spool/$1.out"
  (exec 3<>"$fifo"; exec cat <&3 >>"$spool/$1.out") &
  readers+=($!)
}
add_queue() { # NAME [-m DRIVER OPTIONS...]
  local name=$1
  shift
  add_device "$name"
  lpadmin -p "$name" -E -v "file://$spool/$name.fifo" "$@" 2>/dev/null
}
add_queue "$TAGLOOM_ZPL203" -m drv:///sample.drv/zebra.ppd -o PageSize=w432h288 -o Resolution=203dpi
add_queue "$TAGLOOM_ZPL300" -m drv:///sample.drv/zebra.ppd -o PageSize=w432h288 -o Resolution=300dpi
lpadmin -p "$TAGLOOM_ZPL300" -o PageSize-default=w288h144
add_queue "$TAGLOOM_DYMO" -m drv:///sample.drv/dymo.ppd

# CUPS sends no raw job to a file: the raw queue's printer is on the network, on a port of its own.
: >"$spool/$TAGLOOM_RAW.out"
/usr/bin/python3 - "$spool/$TAGLOOM_RAW.out" "$spool/raw.port" <<'EOF' &
import os, socket, sys
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen()
with open(sys.argv[2] + ".part", "w") as port:
    port.write(str(server.getsockname()[1]))
os.rename(sys.argv[2] + ".part", sys.argv[2])
while True:
    connection, _ = server.accept()
    with connection, open(sys.argv[1], "ab") as out:
        while chunk := connection.recv(65536):
            out.write(chunk)
EOF
readers+=($!)
for _ in $(seq 100); do [ -f "$spool/raw.port" ] && break; sleep 0.1; done
lpadmin -p "$TAGLOOM_RAW" -E -v "socket://127.0.0.1:$(cat "$spool/raw.port")" 2>/dev/null

status=0
"$@" || status=$?
exit "$status"
