#!/usr/bin/env bash
# Runs a command with label printers on CUPS's own sample drivers, whose device receives what the
# printer would: TAGLOOM_ZPL203 and TAGLOOM_ZPL300 name Zebra ZPL queues at 203 dpi (default media
# 6 x 4 in, the driver's own default) and 300 dpi (4 x 2 in, set on the server as
# lpadmin -o PageSize-default does), TAGLOOM_DYMO a DYMO queue, which takes no custom sizes, and
# TAGLOOM_RAW a queue that passes jobs through unchanged. Every queue NAME's printer appends all
# it receives to $TAGLOOM_LABEL_SPOOL/NAME.out, job after job: a test empties that file before it
# prints.
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
listener=
cleanup() {
  for queue in "${queues[@]}"; do lpadmin -x "$queue" 2>/dev/null || true; done
  if [ -n "$listener" ]; then kill "$listener" 2>/dev/null || true; fi
  rm -rf "$spool"
  stop_scheduler_if_started
}
trap cleanup EXIT
start_scheduler_if_needed

# Every queue's printer is on the network, as a label printer often is: a port of its own on
# 127.0.0.1, where a listener appends all it receives to $spool/NAME.out, job after job. (A file
# device would be emptied by every job, and CUPS sends no raw job to a file.)
/usr/bin/python3 - "$spool" "${queues[@]}" <<'EOF' &
import os, socket, sys, threading
spool, names = sys.argv[1], sys.argv[2:]
def serve(server, out):
    while True:
        connection, _ = server.accept()
        with connection, open(out, "ab") as file:
            while chunk := connection.recv(65536):
                file.write(chunk)
for name in names:
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen()
    out = os.path.join(spool, name + ".out")
    open(out, "wb").close()
    threading.Thread(target=serve, args=(server, out), daemon=True).start()
    with open(out + ".port.part", "w") as port:
        port.write(str(server.getsockname()[1]))
    os.rename(out + ".port.part", out + ".port")
threading.Event().wait()
EOF
listener=$!
add_queue() { # NAME [-m DRIVER OPTIONS...]
  local name=$1 port=$spool/$1.out.port
  shift
  for _ in $(seq 100); do [ -f "$port" ] && break; sleep 0.1; done
  lpadmin -p "$name" -E -v "socket://127.0.0.1:$(cat "$port")" "$@" 2>/dev/null
}
add_queue "$TAGLOOM_ZPL203" -m drv:///sample.drv/zebra.ppd -o PageSize=w432h288 -o Resolution=203dpi
add_queue "$TAGLOOM_ZPL300" -m drv:///sample.drv/zebra.ppd -o PageSize=w432h288 -o Resolution=300dpi
lpadmin -p "$TAGLOOM_ZPL300" -o PageSize-default=w288h144
add_queue "$TAGLOOM_DYMO" -m drv:///sample.drv/dymo.ppd
add_queue "$TAGLOOM_RAW"

status=0
"$@" || status=$?
exit "$status"
