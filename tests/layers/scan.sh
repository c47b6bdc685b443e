#!/usr/bin/env bash
# Scans the layers below the window for includes the build cannot refuse:
# Qt Widgets (Qt's root include folder, which every Qt target sees, makes
# <QtWidgets/...> resolvable from any of them) and headers of a higher layer,
# also reached by a relative path. Each layer may include its own headers,
# those of the layers below it and the engine's format headers.
# Usage: scan.sh EXPLORER_FOLDER ENGINE_FOLDER QT_INCLUDE_FOLDER...
# Prints every offending include; exits 1 if there is one. With
# EXPECT_OFFENCES=N in the environment it exits 0 exactly when N are found
# (the scan's own test, on a tree of planted offences).
set -euo pipefail
explorer=$1
engine=$2
shift 2
widgets="" others=()
for dir in "$@"; do
  case "$dir" in
    */QtWidgets) widgets=$dir ;;
    */QtGui | */QtCore) others+=("$dir") ;;
  esac
done
[ -n "$widgets" ] || { echo "no QtWidgets include folder among: $*" >&2; exit 2; }

# The bare headers that only Qt Widgets has (QtWidgets also holds forwarding
# copies of a few QtGui headers, which are not widgets).
declare -A widget_only=()
while IFS= read -r name; do
  widget_only[$name]=1
done < <(comm -23 <(ls "$widgets" | sort) <(ls "${others[@]}" | sort -u))

offences=0
offend() {
  echo "$1: $2"
  offences=$((offences + 1))
}

# layer, and the layers it may include.
for rule in "domain:domain" "io:domain io" "model:domain io model"; do
  layer=${rule%%:*}
  allowed=${rule#*:}
  [ -d "$explorer/$layer" ] || continue
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      [[ $line =~ include[[:space:]]*[\<\"]([^\>\"]*)[\>\"] ]] || continue
      header=${BASH_REMATCH[1]}
      case "$line" in
        *'<'*)
          if [[ $header == QtWidgets* || -n ${widget_only[$header]:-} ]]; then
            offend "$file" "$line"
          fi
          ;;
        *)
          first=${header%%/*}
          if [[ $header == */* ]]; then
            [[ " $allowed " == *" $first "* ]] || offend "$file" "$line"
          elif [ ! -e "$engine/$header" ]; then
            offend "$file" "$line"
          fi
          ;;
      esac
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
  done < <(find "$explorer/$layer" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done

if [ -n "${EXPECT_OFFENCES:-}" ]; then
  echo "$offences offences found, $EXPECT_OFFENCES expected"
  [ "$offences" -eq "$EXPECT_OFFENCES" ]
  exit
fi
[ "$offences" -eq 0 ] || { echo "$offences includes break the layers"; exit 1; }
echo "the layers below the window include no widget and no higher layer"
