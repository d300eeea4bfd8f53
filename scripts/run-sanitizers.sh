#!/usr/bin/env bash
# Builds everything with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer and
# runs the whole test suite under them: any invalid access, undefined behaviour or leak fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build_dir="${PIXMINT_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
install_packages "${editor_packages[@]}" "${package_packages[@]}" "${test_packages[@]}"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPIXMINT_SANITIZE=ON
cmake --build "$build_dir"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The sanitizers slow everything down; timing bounds in the tests stretch by this factor.
export PIXMINT_TIME_SCALE=4
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --parallel 2
