#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing キーミル need.
# Does nothing when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang-format git
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libqt6help6 libqt6sql6-sqlite
    fonts-ipafont-gothic fonts-morisawa-bizud-gothic qt6-translations-l10n libcups2-dev libxcb1-dev
    libsodium-dev libicu-dev libxlsxwriter-dev libcrypt-dev unzip
    xvfb xauth x11-utils xdotool xclip openbox imagemagick
    dbus at-spi2-core python3-pyatspi groff-base orca speech-dispatcher
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
    lintian appstream desktop-file-utils
    bindfs fuse3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
