#!/bin/sh
# Installs the Debian 12 packages the build, the program and the tests need.
# Safe to run again: only missing packages are installed.
set -e
PACKAGES="
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-svg-dev qt6-l10n-tools qt6-translations-l10n
  qt6-image-formats-plugins libsane-dev sane-utils libmagick++-6.q16-dev imagemagick
  cups printer-driver-cups-pdf xdotool xclip
  libgtest-dev libgmock-dev googletest
  libzint-dev zbar-tools poppler-utils
  libiso9660-dev libcdio-dev xorriso
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth x11-utils dbus-daemon
  weston qt6-wayland
  clang libclang-rt-14-dev clang-format
"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
