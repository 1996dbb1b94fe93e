#!/usr/bin/env bash
# Refuses an include that points upward through the layers of src/: each folder may include only
# itself and the folders below it. Prints every such include and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders each folder of src/ may include from.
declare -A allowed=(
  [base]="base"
  [formats]="base formats"
  [display]="base display"
  [commands]="base formats display commands"
  [ui]="base formats display commands ui"
  [app]="base formats display commands ui app"
)

status=0
for folder in src/*/; do
  layer=$(basename "$folder")
  if [ -z "${allowed[$layer]+set}" ]; then
    echo "src/$layer: a folder that is no layer; add it to tools/check-layers.sh"
    status=1
    continue
  fi
  while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    included=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"${hit#*:*:}")
    case " ${allowed[$layer]} " in
      *" $included "*) ;;
      *) echo "$hit: $layer may not include $included"; status=1 ;;
    esac
  done < <(grep -rnE '#[[:space:]]*include[[:space:]]*"[^/"]+/' "$folder" || true)
  # The core is standard C++: no Qt. Its texts are Windows-1252: a literal with a letter beyond
  # ASCII must carry the suffix _cp, or it would hold UTF-8 bytes.
  if [ "$layer" != ui ] && [ "$layer" != app ]; then
    if grep -rnE '#[[:space:]]*include[[:space:]]*<Q' "$folder"; then status=1; fi
    if perl -ne 's{//.*$}{}; if (/"(?=(?:[^"\\]|\\.)*[^\x00-\x7F])(?:[^"\\]|\\.)*"(?!_cp|\s*$)/) { print "$ARGV:$.: a text beyond ASCII without _cp\n"; $bad = 1 } close ARGV if eof; END { exit($bad ? 1 : 0) }' \
        $(find "$folder" -name '*.cpp' -o -name '*.h'); then :; else status=1; fi
  fi
done
[ "$status" -eq 0 ] && echo "Lagren: inga inkluderingar uppåt, kärnans texter i Windows-1252"
exit "$status"
