#!/usr/bin/env bash
# Builds Korvane three ways and runs every test:
#   build/win     Korvane.exe with MinGW-w64 (and the end-to-end tests' driver)
#   build/native  gcc, Debug: unit and scenario tests, and the end-to-end tests of build/win's
#                 Korvane.exe under Wine on a private Xvfb display
#   build/asan    clang with AddressSanitizer and UBSan: the unit tests and brief fuzz runs
# Ends with "N passed, N failed" over both test runs; exits non-zero when anything failed.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$KV_ROOT"

"$KV_ROOT/scripts/setup.sh"
mkdir -p build

passed=0
failed=0
status=0

# build <name> <configure arguments...>: the output goes to build/<name>-build.log, its end
# to the terminal when the build fails.
build() {
  local name="$1"
  shift
  local dir="build/$name" log="build/$name-build.log"
  # A folder configured by another generator cannot be reused.
  if [ -f "$dir/CMakeCache.txt" ] && [ ! -f "$dir/build.ninja" ]; then
    rm -rf "$dir"
  fi
  kv_log "building $dir"
  local start=$SECONDS
  if kv_build "$KV_ROOT/$dir" "$@" >"$log" 2>&1; then
    kv_log "built $dir in $((SECONDS - start)) s"
    return 0
  fi
  tail -n 60 "$log" >&2
  kv_log "the build of $dir failed (whole output in $log)"
  status=1
  return 1
}

# run_ctest <name>: runs the tests of build/<name> and adds its counts to the totals.
run_ctest() {
  local name="$1" dir="build/$1" log="build/$1-ctest.log"
  kv_log "testing $dir"
  local start=$SECONDS code=0
  ctest --test-dir "$dir" --output-on-failure -j "$KV_JOBS" 2>&1 | tee "$log" || code=$?
  local line
  line="$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)"
  if [ -z "$line" ]; then
    kv_log "$dir: ctest ran no test"
    failed=$((failed + 1))
    status=1
    return
  fi
  local f m
  f="$(printf '%s' "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')"
  m="$(printf '%s' "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')"
  passed=$((passed + m - f))
  failed=$((failed + f))
  [ "$code" -eq 0 ] && [ "$f" -eq 0 ] || status=1
  kv_log "$dir: $((m - f)) passed, $f failed in $((SECONDS - start)) s"
}

build win \
  -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release || true

native_ok=1
build native \
  -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Debug \
  -DKORVANE_WIN_DIR="$KV_ROOT/build/win/Korvane" || native_ok=0

asan_ok=1
build asan --no-warn-unused-cli \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DKORVANE_SANITIZE=ON -DKORVANE_FUZZ=ON || asan_ok=0

# A build that failed has no tests to run: it counts as one failure.
if [ "$native_ok" -eq 1 ]; then run_ctest native; else failed=$((failed + 1)); fi
if [ "$asan_ok" -eq 1 ]; then run_ctest asan; else failed=$((failed + 1)); fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit "$status"
