#!/usr/bin/env bash
# Installs what building, running and testing Korvane need on Debian 12. Quick when all is
# there: it asks dpkg first and touches apt only for what is missing.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev  # native builds
  g++-mingw-w64-x86-64                                                     # Korvane.exe
  wine wine64                                 # runs it (wine holds the wine/wineserver commands)
  xvfb xdotool xclip imagemagick x11-utils    # a display to run it on, input, screenshots
  fonts-noto-cjk                              # Japanese text under Wine
  python3                                     # the end-to-end tests
)

missing=()
for package in "${PACKAGES[@]}"; do
  status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
  [ "$status" = "installed" ] || missing+=("$package")
done

if [ "${#missing[@]}" -eq 0 ]; then
  kv_log "all packages present"
  exit 0
fi

kv_log "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
kv_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
kv_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
kv_log "packages installed"
