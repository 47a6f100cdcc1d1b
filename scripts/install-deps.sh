#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need.
# Quiet and quick when everything is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsdl1.2-dev libglew-dev libglu1-mesa-dev libgl1-mesa-dri
  libfltk1.3-dev libdevil-dev libnoise-dev libarchive-dev
  libmpg123-dev libfftw3-dev libmp3lame-dev lame
  libfreetype-dev fonts-dejavu-core libpng-dev
  7zip xvfb xauth xdotool x11-apps x11-utils imagemagick ffmpeg
  libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
