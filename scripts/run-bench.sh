#!/usr/bin/env bash
# Builds an optimised tree and prints the performance table: every operation on generated
# fonts of 86 to 100,000 glyphs, with time, peak memory and the ratio to its floor.
# The start-up is timed on a virtual X server, as a desktop runs it. --quick: fewer runs.
# Then the flash that a font's data takes in firmware, from compiled objects.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build_dir="${PIXMINT_BENCH_BUILD_DIR:-$root/build-bench}"
install_packages "${editor_packages[@]}" "${bench_packages[@]}"
# Build output goes to standard error: standard output is the table.
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build "$build_dir" --target pixmint-bench bench_spawn bench_gfx_floor \
    bench_operations bench_startup bench_flash pixmint-export pixmint-import pixmint-font >&2

run=("$build_dir/bin/pixmint-bench" --bin "$build_dir/bin" --work "$build_dir/fonts" "$@")
if [ -n "${DISPLAY:-}" ]; then
    "${run[@]}"
else
    xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
fi
# The flash that a font's data takes, from compiled objects.
echo
"$build_dir/bin/bench_flash" "$build_dir/bin" "$build_dir/flash"
