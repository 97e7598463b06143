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
cpu_ticks() { # utime + stime of every Wine process of this build running that program
    local total=0 pid
    # Wine shows the program as Z:\...\bin\NAME: any separator matches.
    for pid in $(pgrep -f "${build//\//.}.bin.${1//./\\.}" || true); do
        total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}
share() { # ticks, start, end: percent of a core
    awk -v t="$1" -v hz="$hz" -v s="$2" -v e="$3" 'BEGIN { printf "%.2f", 100 * t / hz / (e - s) }'
}
hz=$(getconf CLK_TCK)
"$repo/scripts/wine-run.sh" "$build/bin/psm_measure.exe" 2>&1 | while IFS= read -r line; do
    line=${line%$'\r'}
    case "$line" in
    "idle: 10 s" | "active: 10 s")
        psm_before=$(cpu_ticks psm.exe); cad_before=$(cpu_ticks simcad.exe); start=$(date +%s.%N) ;;
    "idle: over" | "active: over")
        psm_after=$(cpu_ticks psm.exe); cad_after=$(cpu_ticks simcad.exe); end=$(date +%s.%N)
        psm=$(share $((psm_after - psm_before)) "$start" "$end")
        cad=$(share $((cad_after - cad_before)) "$start" "$end")
        if [ "${line%%:*}" = idle ]; then
            printf "%-44s %10.2f %s\n" "psm CPU over 10 idle s (polling)" "$psm" "% of a core"
            printf "%-44s %10.2f %s\n" "simcad CPU meanwhile" "$cad" "% of a core"
            cad_polled=$cad
        else
            printf "%-44s %10.2f %s\n" "psm CPU over 10 s active (no polls)" "$psm" "% of a core"
            printf "%-44s %10.2f %s\n" "simcad CPU meanwhile" "$cad" "% of a core"
            awk -v p="$cad_polled" -v q="$cad" 'BEGIN {
                printf "%-44s %10.2f %s\n", "simcad CPU answering psm'"'"'s polls", p - q, "% of a core" }'
        fi ;;
    "simcad ready"*) ;;
    *) echo "$line" ;;
    esac
done
