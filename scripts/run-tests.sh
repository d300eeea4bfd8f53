#!/usr/bin/env bash
# Builds everything (installing what the tests need) and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
install_packages "${editor_packages[@]}" "${package_packages[@]}" "${test_packages[@]}"
build_targets
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --parallel 2
