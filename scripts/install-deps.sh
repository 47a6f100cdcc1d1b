#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the demo, the tests, the benchmarks, the fuzzing
# and the video rendering need: as root, or through sudo for any other user.
# Quiet and quick when everything is already there.
set -euo pipefail

PACKAGES=(
  # toolchain and build
  build-essential cmake ninja-build pkg-config
  # the engine and the launcher
  libsdl1.2-dev libglew-dev libglu1-mesa-dev libgl1-mesa-dri
  libfltk1.3-dev libdevil-dev libnoise-dev libarchive-dev libmpg123-dev libfftw3-dev
  # the asset generator: music encoding, fonts for titles and credits, pictures
  libmp3lame-dev lame libfreetype-dev fonts-dejavu-core fonts-dejavu-extra libpng-dev
  # packing, a private X server for tests and capture, window driving, video
  7zip xvfb xauth xdotool x11-apps x11-utils imagemagick ffmpeg
  # tests, benchmarks, the end-to-end report check, sanitizers and fuzzing
  libgtest-dev libbenchmark-dev python3 clang-14 libclang-rt-14-dev
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: not root and no sudo to install: ${missing[*]}" >&2; exit 1; }
  SUDO=(sudo)
fi
echo "Installing: ${missing[*]}"
# sudo drops the environment, so the frontend setting travels on the command line.
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
