#!/usr/bin/env bash
# Checks the include rules of the source tree:
#   - a folder of src/ includes only folders of its own level or below;
#   - within a level, a folder includes another only where the short list
#     below allows it, and the folders of a level never include each other
#     in a circle;
#   - portable files (not *_win32.*) include no Win32 header, here or beside
#     the product (sim/, simcad/, tests/, tools/, bench/, fuzz/);
#   - the journal includes nothing of the CAD layer, and the core none of its
#     call helpers; neither makes a call into the CAD program.
# Prints each breach and fails when there is one.
set -eu
cd "$(dirname "$0")/.."

level() {
    case "$1" in
    platform | texts) echo 1 ;;
    tables | cad | journal) echo 2 ;;
    core) echo 3 ;;
    lists | present) echo 4 ;;
    watch | apply | options | startup | survey) echo 5 ;;
    app) echo 6 ;;
    *) echo "" ;;
    esac
}

# The sideways includes there are, "from>to": the CAD link reads the value
# file's units and its number rule; the start-up attaches through the watch
# and starts the trace; the survey writes through the one write operation;
# the options open the journal the writes keep.
allowed_sideways="cad>tables startup>watch startup>options survey>apply options>apply"

breaches=0
breach() {
    echo "$1"
    breaches=$((breaches + 1))
}

# Project includes by level; the sideways ones are collected for the cycle check.
sideways=""
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
        elif [ "$theirs" -eq "$own" ] && [ "$target" != "$folder" ]; then
            sideways="$sideways $folder>$target"
            case " $allowed_sideways " in
            *" $folder>$target "*) ;;
            *) breach "$file: sideways include of $included not on the allowed list" ;;
            esac
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done

# Folders of one level that include each other in a circle, however long.
edges=$(printf '%s\n' $sideways | sort -u)
if [ -n "$edges" ]; then
    cycle=$(echo "$edges" | awk -F'>' '
        { next_of[$1] = next_of[$1] " " $2; nodes[$1] = 1; nodes[$2] = 1 }
        function visit(node, path,    n, parts, i) {
            if (node in onpath) { print path " " node; found = 1; return }
            if (node in done || found) return
            onpath[node] = 1
            n = split(next_of[node], parts, " ")
            for (i = 1; i <= n; i++) visit(parts[i], path " " node)
            delete onpath[node]; done[node] = 1
        }
        END { for (node in nodes) if (!found) visit(node, "") }')
    if [ -n "$cycle" ]; then
        breach "folders include each other in a circle:$cycle"
    fi
fi

# The includes of a file that match an extended regular expression.
includes_matching() {
    grep -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)[>\"]" "$1" |
        sed 's/.*[<"]\(.*\)[>"].*/\1/' || true
}

# The journal never calls the CAD program: it takes names and values already
# read. The core holds contracts and makes no call of its own by member name
# or dispatch identifier.
for file in $(find src/journal src/core -name '*.h' -o -name '*.cpp' | sort); do
    case "$file" in
    src/journal/*) forbidden='cad/.*' ;;
    *) forbidden='cad/(GuardedCalls|CadIds)\.h' ;;
    esac
    while IFS= read -r included; do
        breach "$file: includes $included, but the journal and the core call nothing in the CAD program"
    done < <(includes_matching "$file" "$forbidden")
done

# Nor does either make a call into the CAD program of its own: none through an
# object's handle, and no CAD-layer function but the pure ones that only
# compare or format.
pure_cad='SameObject|TraceLine|TraceHeadings'
for file in $(find src/journal src/core -name '*.h' -o -name '*.cpp' | sort); do
    while IFS= read -r line; do
        breach "$file: calls the CAD program: $line"
    done < <(grep -nE -- '->(Get|Put|Call|As)\(|cad::[A-Za-z]+\(' "$file" |
        grep -vE "cad::($pure_cad)\(" || true)
done

# Win32 headers in portable files.
win32_headers='windows\.h|ole2\.h|oleauto\.h|objbase\.h|unknwn\.h|wrl/.*|commctrl\.h|commdlg\.h|shellapi\.h|shlobj\.h|winreg\.h|winuser\.h|wingdi\.h|cderr\.h|comdef\.h|dbghelp\.h|.*_win32\.h'
for file in $(find src sim simcad tests tools bench fuzz \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort); do
    case "$file" in
    *_win32.h | *_win32.cpp) continue ;;
    esac
    while IFS= read -r included; do
        breach "$file: portable, but includes the Win32 header $included"
    done < <(includes_matching "$file" "$win32_headers")
done

if [ "$breaches" -gt 0 ]; then
    echo "$breaches include rule(s) broken"
    exit 1
fi
echo "include levels: every rule holds"
