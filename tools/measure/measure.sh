#!/usr/bin/env bash
# Runs psm_measure.exe under Wine in a virtual X server and adds psm's
# CPU share over its ten idle seconds, read from /proc (Wine reports no CPU
# times of another process).
#
#   tools/measure/measure.sh [BUILD-DIR]        default: build/windows
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$repo/build/windows}" && pwd)
if [ -z "${PSM_MEASURE_IN_XVFB:-}" ]; then
    export PSM_MEASURE_IN_XVFB=1
    exec timeout 600 xvfb-run -a --server-args="-screen 0 1280x1024x24" "$0" "$build"
fi
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix-e2e}
cpu_ticks() { # utime + stime of every Wine process running psm.exe
    local total=0 pid
    for pid in $(pgrep -f 'bin.psm\.exe' || true); do
        total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}
hz=$(getconf CLK_TCK)
"$repo/scripts/wine-run.sh" "$build/bin/psm_measure.exe" 2>&1 | while IFS= read -r line; do
    line=${line%$'\r'}
    case "$line" in
    "idle: 10 s" | "active: 10 s")
        before=$(cpu_ticks); start=$(date +%s.%N) ;;
    "idle: over" | "active: over")
        after=$(cpu_ticks); end=$(date +%s.%N)
        what="psm CPU over 10 idle s (polling)"
        [ "${line%%:*}" = active ] && what="psm CPU over 10 s active (no polls)"
        awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" -v w="$what" 'BEGIN {
            printf "%-44s %10.2f %s\n", w, 100 * t / hz / (e - s), "% of a core" }' ;;
    "simcad ready"*) ;;
    *) echo "$line" ;;
    esac
done
