#!/usr/bin/env bash
# Holds every include of demo/ to the project's layering:
#   - an engine folder (demo/demosys/<folder>/) includes only itself and the folders its library
#     links, directly or through them, as its CMakeLists.txt declares them;
#   - the engine includes nothing of the effects, the content, the launcher or the tools;
#   - an effect includes no other effect's header; the content nothing of the launcher;
#   - FLTK's headers are included in demo/launcher/ only.
#   scripts/check-layers.sh [ROOT]   (ROOT: the project's top folder, default this checkout)
# Prints every include against the order and exits 1 when there is any.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
engine_lists=("$root"/demo/demosys/*/CMakeLists.txt)
[ -f "${engine_lists[0]}" ] || { echo "check-layers: no engine folders under $root/demo/demosys" >&2; exit 2; }

# Direct links of each engine folder, from its kvr_engine_folder(<folder> <libraries>...) line.
declare -A links=()
folders=()
while read -r folder deps; do
  folders+=("$folder")
  links[$folder]=$(tr ' ' '\n' <<<"$deps" | sed -n 's/^kvr_//p' | tr '\n' ' ')
done < <(sed -n 's/^kvr_engine_folder(\([^)]*\)).*/\1/p' "${engine_lists[@]}")

declare -A below=()
reach() {  # folder -> every folder it links, at any depth
  local folder=$1 dep result=""
  for dep in ${links[$folder]:-}; do result+=" $dep $(reach "$dep")"; done
  echo "$result"
}
for folder in "${folders[@]}"; do below[$folder]=" $folder $(reach "$folder") "; done

allowed() {  # folder -> "core, io, math"
  tr ' ' '\n' <<<"${below[$1]}" | sed '/^$/d' | sort -u | paste -sd, | sed 's/,/, /g'
}

violations=0
checked=0
report() { echo "$1: $2"; violations=$((violations + 1)); }

check_file() {  # path relative to root
  local file=$1 layer folder line number target
  case $file in
    demo/demosys/*/*) layer=engine; folder=${file#demo/demosys/}; folder=${folder%%/*} ;;
    demo/effects/*) layer=effects ;;
    demo/content/*) layer=content ;;
    demo/launcher/*) layer=launcher ;;
    *) return ;;
  esac
  if [ "$layer" = engine ] && [ -z "${below[$folder]:-}" ]; then
    report "$file" "the folder '$folder' has no kvr_engine_folder() in a CMakeLists.txt of its own"
    return
  fi
  checked=$((checked + 1))
  while IFS=: read -r number line; do
    if [[ $line =~ \#include[[:space:]]*\<FL/ ]]; then
      [ "$layer" = launcher ] || report "$file:$number" "includes FLTK, which only the launcher may use"
      continue
    fi
    [[ $line =~ \#include[[:space:]]*\"([^\"]+)\" ]] || continue
    target=${BASH_REMATCH[1]}
    case $layer:$target in
      engine:demosys/*/*)
        local to=${target#demosys/}; to=${to%%/*}
        [[ ${below[$folder]} == *" $to "* ]] ||
          report "$file:$number" "includes $target, but $folder may include only $(allowed "$folder")" ;;
      engine:*) report "$file:$number" "includes $target from outside the engine" ;;
      effects:effects/*Effect.h)
        local own; own=$(basename "${file%.*}")
        [ "effects/$own.h" = "$target" ] || report "$file:$number" "includes another effect's header $target" ;;
      effects:content/* | effects:launcher/* | content:launcher/*)
        report "$file:$number" "includes $target from a layer above it" ;;
    esac
  done < <(grep -n '#include' "$root/$file" || true)
}

while IFS= read -r file; do
  check_file "${file#"$root"/}"
done < <(find "$root/demo" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$violations" -ne 0 ]; then
  echo "check-layers: includes against the order: $violations"
  exit 1
fi
echo "check-layers: $checked files, every include follows the order"
