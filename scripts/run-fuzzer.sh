#!/usr/bin/env bash
# Builds the libFuzzer targets for the font file reader and the C table reader with clang and
# runs each for a bounded time (seconds, default 60), seeded with the golden and hostile test
# files.
# Any crash or mismatch stops it with the input saved as crash-* in the fuzz build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

seconds="${1:-60}"
build_dir="${PIXMINT_FUZZ_BUILD_DIR:-$root/build-fuzz}"
install_packages "${editor_packages[@]}" clang libclang-rt-14-dev
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DPIXMINT_FUZZ=ON -DBUILD_TESTING=OFF
cmake --build "$build_dir" --target fuzz_fontfile fuzz_ctable

cd "$build_dir"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in fontfile:xml ctable:c; do
    name="${target%%:*}"
    corpus="$build_dir/corpus-$name"
    mkdir -p "$corpus"
    find "$root/tests/data" -type f -size -64k -exec cp -f {} "$corpus/" \;
    "./bin/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=4096 -dict="$root/fuzz/${target##*:}.dict" -print_final_stats=1 "$corpus"
done
