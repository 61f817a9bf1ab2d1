#!/usr/bin/env bash
# Builds Korvane.exe and runs it under Wine: on your display when there is a usable one,
# otherwise on a private Xvfb display, with a screenshot once its window is up. Ctrl+C ends
# Korvane, Wine and Xvfb, in that order.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$KV_ROOT"

kv_setup_and_build_win

EXE="$KV_ROOT/build/win/Korvane/Korvane.exe"
DRIVER="$KV_ROOT/build/win/tests/e2e/driver/kvdriver.exe"
SCREENSHOT="$KV_ROOT/build/screenshot.png"
WINE_LOG="$KV_ROOT/build/wine.log"
[ -f "$EXE" ] || kv_die "no $EXE after the build"

KV_XVFB_PID=""
KORVANE_PID=""
HWND=""

# shellcheck disable=SC2317  # called from the traps
stop_all() {
  trap - INT TERM EXIT
  if [ -n "$KORVANE_PID" ] && kill -0 "$KORVANE_PID" 2>/dev/null; then
    kv_log "closing Korvane"
    # WM_CLOSE first, so that it saves its memories and settings as on a normal exit.
    if [ -n "$HWND" ] && [ -f "$DRIVER" ]; then
      timeout 20 wine "$DRIVER" close "$HWND" >/dev/null 2>&1 || true
    fi
    for _ in $(seq 100); do
      kill -0 "$KORVANE_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$KORVANE_PID" 2>/dev/null || true
  fi
  kv_wine_stop
  if [ -n "$KV_XVFB_PID" ]; then
    kill "$KV_XVFB_PID" 2>/dev/null || true
    wait "$KV_XVFB_PID" 2>/dev/null || true
  fi
}
trap 'stop_all; exit 130' INT
trap 'stop_all; exit 143' TERM
trap stop_all EXIT

headless=1
if kv_display_usable; then
  headless=0
  kv_log "running on display $DISPLAY"
else
  kv_start_xvfb "$KV_ROOT/build/xvfb.log" || kv_die "could not start Xvfb"
  export DISPLAY="$KV_DISPLAY"
  kv_log "no usable display: started Xvfb on $DISPLAY"
fi

kv_wine_env "$KV_ROOT/build/wineprefix"

: >"$WINE_LOG"
kv_wine_prefix "$WINE_LOG" || kv_die "could not make the Wine prefix (see $WINE_LOG)"

kv_log "starting $EXE"
setsid wine "$EXE" >>"$WINE_LOG" 2>&1 </dev/null &
KORVANE_PID=$!

# Its window: needed for the screenshot, and for closing it cleanly.
if [ -f "$DRIVER" ]; then
  for _ in $(seq 30); do
    kill -0 "$KORVANE_PID" 2>/dev/null || break
    answer="$(timeout 20 wine "$DRIVER" find Korvane 1000 2>/dev/null || true)"
    HWND="$(printf '%s' "$answer" | sed -n 's/.*"hwnd":\([0-9][0-9]*\).*/\1/p')"
    [ -n "$HWND" ] && break
  done
fi

if [ "$headless" -eq 1 ]; then
  if [ -n "$HWND" ]; then
    sleep 1  # let it finish painting
    import -display "$DISPLAY" -window root "$SCREENSHOT"
    kv_log "screenshot saved"
    echo "$SCREENSHOT"
  else
    kv_log "Korvane's window did not appear (see $WINE_LOG)"
  fi
  kv_log "Korvane runs on $DISPLAY; Ctrl+C ends it"
fi

set +e
wait "$KORVANE_PID"
code=$?
set -e
KORVANE_PID=""
kv_log "Korvane ended with exit code $code"
exit "$code"
