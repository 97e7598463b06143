#!/usr/bin/env bash
# Builds every tree and runs every test: native unit tests, the same under
# AddressSanitizer/UndefinedBehaviorSanitizer, the Windows tree under Wine
# (unit and end-to-end tests), and a bounded fuzzing run.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh

fuzz_seconds=${PSM_FUZZ_SECONDS:-60}
failed=0
step() { echo; echo "=== $*"; }

step "include levels"
scripts/check-layers.sh || failed=1

step "native build and unit tests"
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux || failed=1

step "unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset linux-asan >/dev/null
cmake --build --preset linux-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset linux-asan || failed=1

step "Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
scripts/wine-prefix.sh
timeout 1500 xvfb-run -a --server-args="-screen 0 1280x1024x24" ctest --preset windows \
    -E psm_e2e_tests || failed=1

step "end-to-end: the real psm.exe against simcad.exe under Wine"
e2e_log=build/windows/psm_e2e_tests.log
if timeout 900 xvfb-run -a --server-args="-screen 0 1280x1024x24" \
    ctest --preset windows -R psm_e2e_tests --verbose >"$e2e_log" 2>&1; then
    e2e_ok=1
else
    e2e_ok=0; failed=1
    grep -E '^[0-9]+: (\[  FAILED  \]|.*Failure$)' "$e2e_log" | sed 's/^[0-9]*: //' || true
fi
# The suite's closing line, "N passed, M failed" (full output in $e2e_log).
closing=$(grep -E '^[0-9]+: [0-9]+ passed, [0-9]+ failed$' "$e2e_log" | tail -1 | sed 's/^[0-9]*: //')
echo "${closing:-the end-to-end suite did not finish (see $e2e_log)}"
[ "$e2e_ok" -eq 1 ] || echo "end-to-end suite FAILED"

step "fuzzing (${fuzz_seconds} s per target)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    cp -n fuzz/seeds/"${name#fuzz_}"/* "$corpus"/ 2>/dev/null || true
    if "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$corpus" >build/fuzz/$name.log 2>&1; then
        echo "$name: $(grep -E 'stat::number_of_executed_units' build/fuzz/$name.log | awk '{print $2}') executions, no finding"
    else
        echo "$name: FINDING"; tail -40 build/fuzz/$name.log; failed=1
    fi
done

echo
if [ "$failed" -ne 0 ]; then
    echo "Some tests FAILED"
    exit 1
fi
echo "All test suites passed"
