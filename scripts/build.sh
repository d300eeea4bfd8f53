#!/usr/bin/env bash
# Configures build/ and builds. Run alone, it installs what the editor, the converters and
# the Debian package need (when missing) and builds everything. Sourced, it only defines
# build_dir and build_targets. PIXMINT_BUILD_DIR overrides the build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build_dir="${PIXMINT_BUILD_DIR:-$root/build}"

# Builds the given targets, or everything without any; every caller configures alike, so
# that the editor's command and the test command share one build folder.
build_targets() {
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build_dir" ${1:+--target "$@"}
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    install_packages "${editor_packages[@]}" "${package_packages[@]}"
    build_targets
fi
