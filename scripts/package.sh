#!/usr/bin/env bash
# Builds the Debian package of the viewer and kr80a in the build folder, prints
# its path and runs lintian on it (which fails the script on an error).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
PACKAGES+=(dpkg-dev file lintian)
install_missing_packages
build_project
dir=${BUILD_DIR:-build}
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$dir"/kr80a-viewer_*.deb | head -1)
realpath "$deb"
lintian --info "$deb"
