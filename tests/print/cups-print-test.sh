#!/usr/bin/env bash
# Prints through a real CUPS queue: a cups-pdf printer made the default, so that what the print
# command sends can be read back from the PDF that CUPS writes.
# Usage: cups-print-test.sh TEST_BINARY
set -euo pipefail
test_binary=$1

# Without a default printer the print command says so and prints nothing.
CUPS_SERVER=/nonexistent/cups.sock "$test_binary" noDefaultPrinter

started_cupsd=
if ! pgrep -x cupsd >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "cups-print-test: cupsd is not running and only root can start it here" >&2
    exit 77
  fi
  /usr/sbin/cupsd -f &
  started_cupsd=$!
  trap '[ -n "$started_cupsd" ] && kill "$started_cupsd" 2>/dev/null; wait 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi

added_queue=
if ! lpstat -v TagloomTest >/dev/null 2>&1; then
  lpadmin -p TagloomTest -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null
  added_queue=yes
fi
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
lpadmin -d TagloomTest
restore_default() {
  if [ -n "$previous_default" ]; then lpadmin -d "$previous_default"; fi
  if [ -n "$added_queue" ]; then lpadmin -x TagloomTest; fi
  [ -n "$started_cupsd" ] && kill "$started_cupsd" 2>/dev/null
  wait 2>/dev/null || true
}
trap restore_default EXIT

"$test_binary" printsThroughTheDefaultPrinter
