#!/usr/bin/env bash
# Runs a command with a cups-pdf printer, TagloomTest, as the default printer, so that what the
# command prints can be read back from the PDF that CUPS writes. Starts the scheduler when it is
# not running (root only) and puts back the previous default printer afterwards.
# Usage: with-cups-pdf-queue.sh COMMAND [ARGUMENTS...]   (exits with the command's status)
set -euo pipefail
source "$(dirname "$0")/cups-scheduler.sh"

added_queue=
previous_default=
restore() {
  if [ -n "$previous_default" ]; then lpadmin -d "$previous_default" || true; fi
  if [ -n "$added_queue" ]; then lpadmin -x TagloomTest || true; fi
  stop_scheduler_if_started
}
trap restore EXIT
start_scheduler_if_needed

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
