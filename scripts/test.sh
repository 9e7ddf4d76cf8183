#!/bin/sh
# Every test: the portable rules natively under AddressSanitizer + UndefinedBehaviorSanitizer
# and under ThreadSanitizer, a short fuzz run, then the Windows build with its unit tests and
# end-to-end scenarios under Wine.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

step() { printf '\n=== %s\n' "$*"; }

step "native (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "native (TSan)"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan
ctest --preset native-tsan

if [ -d fuzz ]; then
    step "fuzz (libFuzzer, bounded)"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz --target fuzz_mode_reader fuzz_revision_parser fuzz_update_decision fuzz_string_block
    scripts/fuzz.sh build/fuzz
fi

step "windows (mingw-w64, tests under Wine)"
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
step "all tests passed"
