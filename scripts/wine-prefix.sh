#!/usr/bin/env bash
# Creates the headless Wine prefix the tests run in, once: no crash dialog,
# the default desktop (visible to FindWindow), fonts for the title bars.
set -eu
script_dir=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$script_dir/../build/wineprefix}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ -f "$WINEPREFIX/.psm-ready" ]; then
    exit 0
fi
wine wineboot --init >/dev/null 2>&1 || true
wineserver -w
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.tt[fc] /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.psm-ready"
