#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the editor need.
# Runs apt-get only when something is missing, so repeated runs are quick.
set -euo pipefail
PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev libcups2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool x11-utils dbus-daemon x11-xkb-utils imagemagick poppler-utils openbox
  qt6-wayland weston
  desktop-file-utils appstream dpkg-dev file python3
  e2fsprogs mount
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
