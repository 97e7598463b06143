#!/usr/bin/env bash
# Starts psm.exe under Wine in a virtual X server and saves PNG screenshots of
# the main window (mouse over the write button), its popup menu, the
# properties window beside it, with another type chosen than the document's,
# and the survey window of the demo's plant, which uses its frame twice.
# When simcad.exe was built beside it, it runs first with its demo scenario,
# so that the window shows a recognised document
# (PSM_SCREENSHOTS_NO_CAD=1: without it).
#
#   scripts/screenshots.sh [OUTPUT-FOLDER]        default: docs/screenshots
#
# PSM_BUILD_DIR names the Windows build tree (default build/windows); it must
# hold bin/psm.exe and bin/psm_screenshot_driver.exe. psm.exe runs in its own
# Wine prefix with no stored settings, so it reads the sample psm_mm.txt
# beside it and opens at its first-start position.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$repo/docs/screenshots}
build=$(cd "${PSM_BUILD_DIR:-$repo/build/windows}" && pwd)
exe=${PSM_EXE:-$build/bin/psm.exe}
driver=$build/bin/psm_screenshot_driver.exe

for program in "$exe" "$driver"; do
    if [ ! -f "$program" ]; then
        echo "missing $program: build the windows preset first" >&2
        exit 1
    fi
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Re-run inside a virtual X server with 24-bit colour (xvfb-run's default is 8).
if [ -z "${PSM_SCREENSHOTS_IN_XVFB:-}" ]; then
    export PSM_SCREENSHOTS_IN_XVFB=1
    exec timeout 300 xvfb-run -a --server-args="-screen 0 1280x1024x24" "$0" "$out"
fi

export WINEPREFIX=${PSM_SCREENSHOTS_PREFIX:-$build/wineprefix-screenshots}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 120 "$repo/scripts/wine-prefix.sh"
trap 'timeout 20 wineserver -k >/dev/null 2>&1 || true' EXIT
timeout 30 wine reg delete 'HKCU\Software\VB and VBA Program Settings\ORNA\psm' /f >/dev/null 2>&1 || true

# The Wine desktop covers the X screen from its top-left corner, so Windows
# screen coordinates are X coordinates.
drive() {
    timeout 60 wine "$driver" "$@" | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
shoot() { # shoot NAME REGION
    import -window root -crop "$2" +repage "$out/$1.png"
    echo "saved $out/$1.png ($2)"
}

# simcad.exe with its demo scenario first, when it was built: psm looks for
# the CAD program only at its start, and then shows the active document.
if [ -f "$build/bin/simcad.exe" ] && [ -z "${PSM_SCREENSHOTS_NO_CAD:-}" ]; then
    cad_log=$(mktemp)
    (cd "$build/bin" && exec timeout 240 wine simcad.exe simcad-demo.txt) >"$cad_log" 2>&1 &
    for _ in $(seq 1 300); do
        grep -q "simcad ready" "$cad_log" 2>/dev/null && break
        sleep 0.1
    done
    grep -q "simcad ready" "$cad_log" || echo "warning: simcad.exe did not get ready" >&2
    rm -f "$cad_log"
fi

(cd "$(dirname "$exe")" && timeout 240 wine "$exe" >/dev/null 2>&1) &
psm_job=$!

if ! region=$(drive wait-main 60); then
    echo "psm.exe did not show its main window" >&2
    exit 1
fi
cmd_write_id=101
if region=$(drive hover "$cmd_write_id"); then
    shoot main-window "$region"
fi

if region=$(drive open-menu); then
    shoot popup-menu "$region"
    drive close-menu || true
else
    echo "warning: no popup menu appeared; popup-menu.png not written" >&2
fi

# Another type than the document's, so that the properties window marks the
# values a write would change.
drive choose-type 0 || echo "warning: no other type chosen" >&2
if region=$(drive open-info); then
    shoot properties-window "$region"
else
    echo "warning: no properties window appeared; properties-window.png not written" >&2
fi

# The survey of the demo's plant, through its sub-assemblies.
if [ -z "${PSM_SCREENSHOTS_NO_CAD:-}" ]; then
    if region=$(drive open-survey); then
        shoot survey-window "$region"
    else
        echo "warning: no survey window appeared; survey-window.png not written" >&2
    fi
fi

drive end || echo "warning: psm.exe did not end on its Exit button" >&2
wait "$psm_job" || true
