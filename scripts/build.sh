#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), then configures and builds.
# Sourced by run-editor.sh and run-tests.sh; PIXMINT_BUILD_DIR overrides the build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build_dir="${PIXMINT_BUILD_DIR:-$root/build}"
install_packages "${base_packages[@]}"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --parallel
