#!/usr/bin/env bash
# Shared by the scripts in this folder: the project root and installing Debian packages.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# cmake --build runs as many jobs as CMAKE_BUILD_PARALLEL_LEVEL says when it is given no
# --parallel; the scripts give none, and set it to the number of cores when it is not set.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"

# One list per purpose; each script installs the lists it needs.
# The editor and the command-line programs, to build and to run them: FreeType and zlib are
# for pixmint-import, libpng for the pictures that pixmint-export writes and pixmint-import
# reads, the fonts for the editor's text and the labels of the specimen sheets;
# dpkg-buildflags (dpkg-dev) gives the hardening flags, scdoc makes the manual page pixmint(5).
editor_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
                 fonts-dejavu-core libfreetype-dev zlib1g-dev libpng-dev dpkg-dev scdoc)
# The Debian package (cpack -G DEB): dpkg-shlibdeps, from dpkg-dev, and file compute its Depends.
package_packages=(dpkg-dev file)
# The benchmarks on top of the editor: a virtual X server for the start-up, xmllint as the
# floor of reading, X11's 5x8 font for the converter's start-up.
bench_packages=(xvfb xauth libxml2-utils xfonts-base)
# What the tests need on top of the editor and the package: a second build tool for the
# CMake package; real readers of what the programs write (xmllint, the desktop's own tools,
# Debian's reader of the copyright file); the X11 fonts, the converters between BDF and PCF
# and compress (ncompress), so that the import reads real and compressed bitmap fonts; the
# sources of locales, so that the export is tested under a Latin-1 locale built with
# localedef; the AVR and ARM compilers, so that the generated C builds for firmware (most of
# the download: about 2.3 GiB installed); git, which runs pixmint-font as a diff driver; the
# readers of the TrueType font: ots-sanitize, fontTools' ttx and FontForge; the checkers of
# the package and its manual pages (lintian, mandoc, man) and bash-completion, whose helpers
# the installed completion uses; Chromium, which draws the TrueType font on a web page.
test_packages=(make libxml2-utils desktop-file-utils appstream shared-mime-info python3-debian
               xfonts-base xfonts-utils pcf2bdf ncompress locales gcc-avr avr-libc
               gcc-arm-none-eabi git opentype-sanitizer fonttools fontforge-nox lintian mandoc
               man-db bash-completion chromium)

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
