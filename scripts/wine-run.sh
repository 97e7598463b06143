#!/usr/bin/env bash
# Runs a Windows program of the build tree under Wine, in the tree's own
# headless prefix. CMake uses it as the cross-compiling emulator (ctest).
set -eu
script_dir=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$script_dir/../build/wineprefix}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$script_dir/wine-prefix.sh" >/dev/null
exec wine "$@"
