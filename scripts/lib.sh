#!/usr/bin/env bash
# Shared by the scripts in this folder: the project root and installing Debian packages.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The packages every build needs. FreeType and zlib are for pixmint-import; the X11 fonts,
# the converters between BDF and PCF and compress (ncompress) let its tests read real and
# compressed bitmap fonts; the tests check the desktop files with the desktop's tools and
# build the Debian package (dpkg-shlibdeps from dpkg-dev, and file, compute its Depends); the
# AVR and ARM compilers check that the generated C builds for firmware.
base_packages=(cmake ninja-build make g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
               fonts-dejavu-core xvfb xauth libxml2-utils
               libfreetype-dev zlib1g-dev xfonts-base xfonts-utils pcf2bdf ncompress
               desktop-file-utils appstream shared-mime-info dpkg-dev file
               gcc-avr avr-libc gcc-arm-none-eabi)

# Installs whichever of the given Debian packages are missing (as root, or through sudo).
install_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
