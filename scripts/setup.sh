#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those missing,
# so a second run is quick and a fresh Debian 12 machine needs nothing else.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-charts-dev libqt6svg6 qt6-qpa-plugins
  libgl-dev libxkbcommon-dev
  libjsoncpp-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
  libquantlib0-dev
  gdal-bin python3-dbfread
  clang libclang-rt-14-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
