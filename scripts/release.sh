#!/usr/bin/env bash
# Builds Korvane.exe and writes the release zip, dist/Korvane-<version>-win64.zip: the folder
# Korvane with Korvane.exe, Data, Help and はじめにお読みください.txt, unpacked and run as it is
# on Windows 10 and 11 (see scripts/release.py). Prints the zip's path.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$KV_ROOT"

kv_setup_and_build_win

# The same sources give the same zip: its entries are dated by the last commit, not by now.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  commit_time="$(git -C "$KV_ROOT" log -1 --format=%ct 2>/dev/null || true)"
  if [ -n "$commit_time" ]; then
    export SOURCE_DATE_EPOCH="$commit_time"
  fi
fi

zip="$(python3 "$KV_ROOT/scripts/release.py" "$KV_ROOT/build/win/Korvane/Korvane.exe" "$KV_ROOT/dist")"
kv_log "written: $zip"
echo "$zip"
