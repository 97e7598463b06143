#!/usr/bin/env bash
# Checks the include rules of the source tree:
#   - a folder of src/ includes only folders of its own level or below;
#   - portable files (not *_win32.*) include no Win32 header, here or beside
#     the product (sim/, simcad/, tests/, tools/, bench/, fuzz/).
# Prints each breach and fails when there is one.
set -eu
cd "$(dirname "$0")/.."

level() {
    case "$1" in
    platform | texts) echo 1 ;;
    tables | cad | journal) echo 2 ;;
    core) echo 3 ;;
    selection | watch | apply | options | form) echo 4 ;;
    app) echo 5 ;;
    *) echo "" ;;
    esac
}

breaches=0
breach() {
    echo "$1"
    breaches=$((breaches + 1))
}

# Project includes by level.
for file in $(find src -name '*.h' -o -name '*.cpp' | sort); do
    folder=$(echo "$file" | cut -d/ -f2)
    own=$(level "$folder")
    if [ -z "$own" ]; then
        breach "$file: folder src/$folder has no level"
        continue
    fi
    while IFS= read -r included; do
        target=${included%%/*}
        [ "$target" = "$included" ] && continue # a file of the same folder, without a path
        theirs=$(level "$target")
        [ -z "$theirs" ] && continue # not a folder of src/
        if [ "$theirs" -gt "$own" ]; then
            breach "$file: level $own includes $included (level $theirs)"
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done

# Win32 headers in portable files.
win32_headers='windows\.h|ole2\.h|oleauto\.h|objbase\.h|unknwn\.h|wrl/.*|commctrl\.h|commdlg\.h|shellapi\.h|shlobj\.h|winreg\.h|winuser\.h|wingdi\.h|cderr\.h|comdef\.h|.*_win32\.h'
for file in $(find src sim simcad tests tools bench fuzz \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort); do
    case "$file" in
    *_win32.h | *_win32.cpp) continue ;;
    esac
    while IFS= read -r included; do
        breach "$file: portable, but includes the Win32 header $included"
    done < <(grep -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($win32_headers)[>\"]" "$file" |
             sed 's/.*[<"]\(.*\)[>"].*/\1/' || true)
done

if [ "$breaches" -gt 0 ]; then
    echo "$breaches include rule(s) broken"
    exit 1
fi
echo "include levels: every rule holds"
