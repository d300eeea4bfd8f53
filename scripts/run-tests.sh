#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --parallel 2
