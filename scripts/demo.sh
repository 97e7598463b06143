#!/usr/bin/env bash
# psm's main job against the CAD simulator, on a fresh Debian 12 machine:
# installs what is missing, builds the Windows programs, and runs simcad.exe
# with its demo scenario and psm.exe beside it under Wine.
#
#   scripts/demo.sh [OUTPUT-FOLDER]          default: build/demo
#
# With a usable display ($DISPLAY) you play: click a document in simcad's
# window, choose a table and type in psm, write, and watch the values and
# feature states change in simcad. Close both windows to end.
# Without a display (or with PSM_DEMO_HEADLESS=1) a scripted session runs in
# a virtual X server, tells what happened, and saves screenshots of both
# windows and its log into OUTPUT-FOLDER.
#
# PSM_BUILD_DIR names the Windows build tree (default build/windows).
set -eu -o pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$repo/build/demo}
build=${PSM_BUILD_DIR:-$repo/build/windows}
bin=$build/bin
export WINEPREFIX=${PSM_DEMO_PREFIX:-$build/wineprefix-demo}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The scripted session, inside the virtual X server started below.
if [ "${1:-}" = "--session-in-xvfb" ]; then
    out=$2
    timeout 120 "$repo/scripts/wine-prefix.sh"
    trap 'timeout 20 wineserver -k >/dev/null 2>&1 || true' EXIT
    status=0
    # Line by line as the session prints it (a filter such as tr would hold
    # the lines back until the end, after the windows are gone).
    (cd "$bin" && timeout 300 wine psm_demo_session.exe) 2>&1 |
        while IFS= read -r line; do
            line=${line%$'\r'}
            case "$line" in
            "SHOT "*)
                read -r _ name region <<<"$line"
                import -window root -crop "$region" +repage "$out/$name.png"
                echo "  [screenshot $out/$name.png]" ;;
            "simcad ready"*) ;;
            *) echo "$line" ;;
            esac
        done || status=$?
    exit "$status"
fi

display_usable() {
    [ -n "${DISPLAY:-}" ] && [ -z "${PSM_DEMO_HEADLESS:-}" ] &&
        timeout 10 import -window root -crop 1x1+0+0 png:- >/dev/null 2>&1
}

echo "=== installing what is missing"
"$repo/scripts/install-deps.sh"
echo "=== building psm.exe and simcad.exe (MinGW-w64)"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target psm simcad psm_demo_session
mkdir -p "$out"
out=$(cd "$out" && pwd)

if display_usable; then
    echo "=== starting simcad.exe and psm.exe on $DISPLAY"
    "$repo/scripts/wine-prefix.sh"
    log=$out/simcad.log
    (cd "$bin" && exec wine simcad.exe simcad-demo.txt) >"$log" 2>&1 &
    cad=$!
    # psm looks for the CAD program only at its start: wait until simcad runs.
    for _ in $(seq 1 300); do
        grep -q "simcad ready" "$log" 2>/dev/null && break
        kill -0 "$cad" 2>/dev/null || { cat "$log"; exit 1; }
        sleep 0.1
    done
    (cd "$bin" && exec wine psm.exe) &
    psm=$!
    cat <<'EOF'
Play: click a document in simcad's window to make it active (psm follows as
soon as you work in another window than psm's); choose a table and a type in
psm and click its first button to write them; a right click on psm's window
opens its options. Close psm with its last button and simcad with its close
box to end.
EOF
    wait "$psm" || true
    wait "$cad" || true
    wineserver -w
    exit 0
fi

echo "=== no display: a scripted session in a virtual X server"
timeout 600 xvfb-run -a --server-args="-screen 0 1280x1024x24" \
    "$0" --session-in-xvfb "$out" | tee "$out/demo.log"
