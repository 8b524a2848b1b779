#!/usr/bin/env bash
# Runs a command with a cups-pdf printer, TagloomTest, as the default printer, so that what the
# command prints can be read back from the PDF that CUPS writes. Starts the scheduler when it is
# not running (root only) and puts back the previous default printer afterwards.
# Usage: with-cups-pdf-queue.sh COMMAND [ARGUMENTS...]   (exits with the command's status)
set -euo pipefail

started_cupsd=
added_queue=
previous_default=
restore() {
  if [ -n "$previous_default" ]; then lpadmin -d "$previous_default" || true; fi
  if [ -n "$added_queue" ]; then lpadmin -x TagloomTest || true; fi
  if [ -n "$started_cupsd" ]; then kill "$started_cupsd" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
trap restore EXIT

if ! pgrep -x cupsd >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "with-cups-pdf-queue: cupsd is not running and only root can start it here" >&2
    exit 77
  fi
  /usr/sbin/cupsd -f &
  started_cupsd=$!
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi

if ! lpstat -v TagloomTest >/dev/null 2>&1; then
  lpadmin -p TagloomTest -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null
  added_queue=yes
fi
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
[ "$previous_default" = TagloomTest ] && previous_default=
lpadmin -d TagloomTest

status=0
"$@" || status=$?
exit "$status"
