#!/usr/bin/env bash
# Installs what the project needs from Debian's packages (only what is missing) and builds it.
# Sourced by ./run and ./test; BUILD_DIR may be set by the caller.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang
  qt6-base-dev qt6-qpa-plugins qt6-svg-dev qt6-translations-l10n qt6-l10n-tools libgl-dev
  libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps imagemagick poppler-utils xclip
  librsvg2-bin desktop-file-utils appstream man-db valgrind
)

install_missing_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_project() {
  local dir="${BUILD_DIR:-build}"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$dir"
}
