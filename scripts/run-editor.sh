#!/usr/bin/env bash
# Builds the editor (installing what it needs) and starts it. Needs a display;
# without one, run it as: xvfb-run -a scripts/run-editor.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
exec "$build_dir/bin/pixmint" "$@"
