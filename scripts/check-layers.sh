#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer. The layers,
# bottom to top: engine, toolkit, shell/core, document, panels, shell; cli sits
# on the engine only. The engine includes no Qt at all. Tests, benchmarks,
# fuzz targets and tools may include anything.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

layer_of() {
    case $1 in
        engine/*) echo 0 ;;
        toolkit/*) echo 1 ;;
        shell/core/*) echo 2 ;;
        document/*) echo 3 ;;
        panels/*) echo 4 ;;
        shell/*) echo 5 ;;
        cli/*) echo 0 ;;  # the command-line calculator: the engine and nothing else
        *) echo "" ;;
    esac
}

status=0
while IFS= read -r file; do
    own=$(layer_of "$file")
    [[ -z $own ]] && continue
    while IFS=: read -r line text; do
        if [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            header=${BASH_REMATCH[1]}
            [[ $header == *.moc || $header == moc_* || $header == ui_* ]] && continue
            if [[ $header != */* ]]; then
                echo "$file:$line: include \"$header\" does not name its folder"
                status=1
                continue
            fi
            theirs=$(layer_of "$header")
            if [[ -z $theirs ]]; then
                echo "$file:$line: include \"$header\" is outside the layered folders"
                status=1
            elif ((theirs > own)) || [[ $file == cli/* && $header != engine/* && $header != cli/* ]]; then
                echo "$file:$line: \"$header\" belongs to a higher layer than $file"
                status=1
            fi
        elif [[ $file == engine/* && $text =~ \#[[:space:]]*include[[:space:]]*\<Q ]]; then
            echo "$file:$line: the engine does not use Qt"
            status=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(git ls-files 'engine/*' 'toolkit/*' 'shell/*' 'document/*' 'panels/*' 'cli/*' | grep -E '\.(h|cpp)$')

if ((status == 0)); then echo "check-layers: every include points down or sideways"; fi
exit "$status"
