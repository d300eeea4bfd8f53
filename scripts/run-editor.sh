#!/usr/bin/env bash
# Builds the editor and the converters (installing what they need) and starts the editor.
# Needs a display; without one, run it as: xvfb-run -a scripts/run-editor.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
install_packages "${editor_packages[@]}"
build_targets pixmint pixmint-export pixmint-import pixmint-font
exec "$build_dir/bin/pixmint" "$@"
