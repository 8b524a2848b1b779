# Sourced by the scripts that set up printers for a test: starts the CUPS scheduler when it is not
# running, with file: devices allowed (the label printers' output goes to files), and stops it
# again afterwards only when it started it. Needs root to start the scheduler.

started_cupsd=

scheduler_runs() { lpstat -r 2>/dev/null | grep -q "is running"; }

wait_for_scheduler() {
  for _ in $(seq 100); do scheduler_runs && return 0; sleep 0.1; done
  echo "cups-scheduler: the CUPS scheduler does not answer" >&2
  exit 1
}

# Exits with 77 (the test is skipped) when the scheduler is not running and cannot be started.
start_scheduler_if_needed() {
  local files_conf=/etc/cups/cups-files.conf
  if [ "$(id -u)" -eq 0 ] && ! grep -qx "FileDevice Yes" "$files_conf"; then
    echo "FileDevice Yes" >>"$files_conf"
    # A running scheduler reads its configuration again on SIGHUP.
    if scheduler=$(pgrep -o -x cupsd); then
      kill -HUP "$scheduler"
      sleep 1
      wait_for_scheduler
    fi
  fi
  pgrep -x cupsd >/dev/null && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "cups-scheduler: cupsd is not running and only root can start it here" >&2
    exit 77
  fi
  /usr/sbin/cupsd -f &
  started_cupsd=$!
  wait_for_scheduler
}

stop_scheduler_if_started() {
  if [ -n "$started_cupsd" ]; then kill "$started_cupsd" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
