# Shared by the scripts in this folder: paths, the Wine environment, the display.
# shellcheck shell=bash
QEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QEL_WIN_BUILD="$QEL_ROOT/build/windows"
QEL_HOST_BUILD="$QEL_ROOT/build/host"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$QEL_WIN_BUILD/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine maps host file names through the host locale: UTF-8, so names beyond ASCII work on any machine.
export LC_ALL=C.UTF-8
# The protocol version of FreeTDS's ODBC driver (see cmake/wine-exec.in).
export TDSVER="${TDSVER:-7.4}"

qel_started_xvfb=""
qel_started_wineserver=""

# Uses $DISPLAY when there is one; otherwise starts Xvfb on a free display (stopped by qel_cleanup).
qel_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$fdfile" >/dev/null 2>&1 &
  qel_started_xvfb=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# Keeps one wineserver alive for the prefix while many short Wine programs run.
# Also starts the prefix's background programs (services, devices, desktop) here, with no tie to
# the caller's output, so that a test runner never waits for them to close its pipes.
qel_start_wineserver() {
  "$WINESERVER" -p >/dev/null 2>&1 &
  qel_started_wineserver=$!
  "$WINE64" wineboot >/dev/null 2>&1 </dev/null || true
}

qel_cleanup() {
  if [ -n "$qel_started_wineserver" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    wait "$qel_started_wineserver" 2>/dev/null || true
  fi
  if [ -n "$qel_started_xvfb" ]; then
    kill "$qel_started_xvfb" 2>/dev/null || true
    wait "$qel_started_xvfb" 2>/dev/null || true
  fi
}
