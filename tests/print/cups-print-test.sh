#!/usr/bin/env bash
# Prints through a real CUPS queue: first with no printer at all, then with a cups-pdf printer
# made the default (with-cups-pdf-queue.sh), so that what the print command sends can be read back.
# Usage: cups-print-test.sh TEST_BINARY
set -euo pipefail
test_binary=$1

# Without a default printer the print command says so and prints nothing.
CUPS_SERVER=/nonexistent/cups.sock "$test_binary" noDefaultPrinter

exec "$(dirname "$0")/../support/with-cups-pdf-queue.sh" "$test_binary" printsThroughTheDefaultPrinter
