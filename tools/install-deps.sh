#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need; skips what is present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libfontconfig-dev qt6-multimedia-dev libqt6opengl6-dev zlib1g-dev qt6-webengine-dev
  libxcb1-dev libx11-dev libxcb-keysyms1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool openbox trayer x11-utils faketime poppler-utils imagemagick curl python3
)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
