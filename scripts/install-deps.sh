#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the viewer needs to build, run and test.
# Idempotent: when every package is already there it prints nothing and
# touches nothing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  libgl-dev libxkbcommon-dev libgl1-mesa-dri
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  qt6-svg-dev libjs-leaflet fonts-noto-cjk libqt6sql6-sqlite sqlite3 qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-utils weston qt6-wayland
  poppler-utils dosfstools mtools ffmpeg gpsbabel dbus-daemon locales
  # checks of the install and the package (make test), dpkg-shlibdeps for CPack
  desktop-file-utils appstream libxml2-utils shared-mime-info man-db lintian dpkg-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  cat >&2 <<EOF
These Debian packages are needed and not installed:
  ${missing[*]}
Install them with:
  sudo apt-get install ${missing[*]}
(or: sudo scripts/install-deps.sh), then run the same make command again.
EOF
  exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
