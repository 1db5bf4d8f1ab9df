#!/usr/bin/env bash
# Installs what Quillet needs to build, test and run on Debian 12.
# Run as root; only missing packages are installed.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libgl1-mesa-dev libqscintilla2-qt6-dev
    libpcre2-dev
    libphp8.2-embed php8.2-dev php8.2-cli zlib1g-dev
    libgtest-dev libgmock-dev
    fonts-noto-cjk fonts-wqy-microhei
    xvfb xauth x11-apps x11-utils libxcb1-dev libxcb-damage0-dev
    python3
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: everything is installed"
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root to install: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
