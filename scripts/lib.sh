# shellcheck shell=bash
# Shared by scripts/setup.sh, run.sh and test.sh (sourced, not run).

KV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KV_JOBS=2  # the machines have two cores

kv_log() {
  printf '[korvane] %s\n' "$*" >&2
}

kv_die() {
  kv_log "error: $*"
  exit 1
}

# Runs a command as root: directly when we are root, else through sudo.
kv_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    kv_die "need root (or sudo) for: $*"
  fi
}

# Configures (once) and builds one CMake build folder with Ninja.
#   kv_build <build dir> [cmake configure arguments...]
kv_build() {
  local dir="$1"
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$KV_ROOT" -B "$dir" -G Ninja "$@" || return 1
  else
    # Picks up changed options; Ninja re-runs CMake itself when CMakeLists.txt change.
    cmake "$dir" "$@" >/dev/null || return 1
  fi
  cmake --build "$dir" -j "$KV_JOBS"
}

kv_configure_win() {
  kv_build "$KV_ROOT/build/win" \
    -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release
}

# Installs what is missing, then builds build/win with its output in build/win-build.log;
# ends the script with the log's tail when the build fails.
kv_setup_and_build_win() {
  "$KV_ROOT/scripts/setup.sh"
  mkdir -p "$KV_ROOT/build"
  kv_log "building build/win"
  kv_configure_win >"$KV_ROOT/build/win-build.log" 2>&1 || {
    tail -n 40 "$KV_ROOT/build/win-build.log" >&2
    kv_die "the Windows build failed (build/win-build.log)"
  }
}

# Starts Xvfb on a free display number that it picks itself; sets KV_XVFB_PID and
# KV_DISPLAY (":N").
#   kv_start_xvfb <log file>
kv_start_xvfb() {
  local log="$1" numfile
  numfile="$(mktemp)"
  # Its own session, so that a Ctrl+C in the terminal reaches only us: we end it in order.
  setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numfile" >"$log" 2>&1 &
  KV_XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$numfile" ] && grep -q '^[0-9][0-9]*$' "$numfile"; then
      # shellcheck disable=SC2034  # read by the caller
      KV_DISPLAY=":$(cat "$numfile")"
      rm -f "$numfile"
      return 0
    fi
    kill -0 "$KV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numfile"
  kill "$KV_XVFB_PID" 2>/dev/null
  kv_log "Xvfb did not start; see $log"
  return 1
}

kv_display_usable() {
  [ -n "${DISPLAY:-}" ] && command -v xdpyinfo >/dev/null 2>&1 &&
    timeout 5 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1
}

# The Wine environment for a prefix: quiet, no offer to install Mono or Gecko, no menu entries
# written into the home folder, UTF-8 file names (so Data/デフォルト is the same name on both
# sides), and the server's socket folder beside the prefix rather than in /tmp.
kv_wine_env() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LC_ALL=C.UTF-8
  export TMPDIR="$1-tmp"
  mkdir -p "$TMPDIR"
}

# Ends every Wine process of $WINEPREFIX, and only those.
kv_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  # A program still starting when the server went is not the server's to end; it is ours by
  # its WINEPREFIX.
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid="${environ#/proc/}"
    pid="${pid%/environ}"
    if grep -qzx "WINEPREFIX=$WINEPREFIX" "$environ" 2>/dev/null; then
      kill -9 "$pid" 2>/dev/null || true
    fi
  done
  rm -rf "${TMPDIR:?}"/wine-*
}

# Makes the prefix on first use, and keeps one Wine server running for it (see kv_wine_env).
kv_wine_prefix() {
  local log="$1"
  mkdir -p "$WINEPREFIX"
  # Persistent from the start: else the server and explorer end a few seconds after each
  # program and start again with the next one.
  # (It answers 2 when the server is already up.)
  wineserver -p >>"$log" 2>&1 </dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    kv_log "making the Wine prefix $WINEPREFIX (once, about 10 s)"
    timeout 300 wineboot -i >>"$log" 2>&1 </dev/null || return 1
  fi
  # Japanese menu and message box captions need the font links a Windows has (also added to
  # a prefix made before they were).
  if ! grep -q 'FontLink\\\\SystemLink' "$WINEPREFIX/system.reg" 2>/dev/null; then
    timeout 60 wine reg import "$(kv_windows_path "$KV_ROOT/scripts/japanese-ui-fonts.reg")" \
      >>"$log" 2>&1 </dev/null || return 1
  fi
}

# A Unix path as Windows programs under Wine name it (through the Z: drive).
kv_windows_path() {
  printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"
}
