#!/usr/bin/env bash
# Checks that no file under src/ includes a header of a layer below its own. The
# layers are the rows of the "Folders" table in docs/architecture.md, top to bottom:
# a folder may include itself and the folders above it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
DOC="$ROOT/docs/architecture.md"

# The folder names in table order, read from the rows "| `src/name` | ... |" of the section.
mapfile -t layers < <(awk '
    /^## / { in_folders = ($0 == "## Folders") ; next }
    in_folders && /^\| `src\/[a-z_]+`/ { sub(/^\| `src\//, ""); sub(/`.*/, ""); print }
' "$DOC")
if [ "${#layers[@]}" -eq 0 ]; then
    echo "check-layers: no folders found in the Folders table of $DOC" >&2
    exit 1
fi

declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

problems=0
for dir in "$ROOT"/src/*/; do
    own=$(basename "$dir")
    if [ -z "${rank[$own]+set}" ]; then
        echo "check-layers: src/$own is not in the Folders table of docs/architecture.md" >&2
        problems=$((problems + 1))
        continue
    fi
    # Lines "file:line:header" for every quoted include of the form "folder/...".
    while IFS=: read -r file line header; do
        included=${header%%/*}
        [ -n "${rank[$included]+set}" ] || continue
        if [ "${rank[$included]}" -gt "${rank[$own]}" ]; then
            echo "${file#"$ROOT"/}:$line: #include \"$header\": layer $own may not use layer $included below it" >&2
            problems=$((problems + 1))
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' "$dir" \
                 | sed -E 's/^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1:\2:\3/')
done

if [ "$problems" -ne 0 ]; then
    echo "check-layers: $problems include(s) against the layer order (${layers[*]})" >&2
    exit 1
fi
echo "check-layers: every include keeps the layer order (${layers[*]})"
