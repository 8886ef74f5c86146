#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Usage: scripts/install-deps.sh [--with-display]   (--with-display adds xvfb-run's xauth and ImageMagick)
set -euo pipefail

# Xvfb and openbox: the demo tests check the windows under a real window manager; poppler-utils:
# the print tests turn a PDF back into pixels (pdftoppm).
packages=(build-essential cmake ninja-build pkg-config
          libfreetype-dev libfontconfig-dev fonts-liberation2 libpng-dev nlohmann-json3-dev
          qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev
          xvfb openbox poppler-utils doxygen)
if [[ "${1:-}" == "--with-display" ]]; then
  packages+=(xauth imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
