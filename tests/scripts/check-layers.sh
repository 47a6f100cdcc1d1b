#!/usr/bin/env bash
# The layering check passes on this tree, and on a copy of it names each include against the
# order: an engine folder reaching up, an effect including another effect, FLTK outside the
# launcher, and the engine including an effect.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

if ! "$ROOT/scripts/check-layers.sh" "$ROOT"; then
  echo "FAIL: this tree has includes against the order"; status=1
fi

cp -r "$ROOT/demo" "$work/demo"
echo '#include "demosys/gl/Texture.h"' >>"$work/demo/demosys/core/TimeCode.cpp"
echo '#include "effects/GlowEffect.h"' >>"$work/demo/effects/FluidEffect.cpp"
echo '#include <FL/Fl.H>' >>"$work/demo/content/BrinovaResources.cpp"
echo '#include "effects/TrackValue.h"' >>"$work/demo/demosys/runtime/Demo.cpp"
"$ROOT/scripts/check-layers.sh" "$work" >"$work/out.txt"
checked=$?
expected=(
  "demo/demosys/core/TimeCode.cpp:$(wc -l <"$work/demo/demosys/core/TimeCode.cpp"): includes demosys/gl/Texture.h, but core may include only core"
  "demo/effects/FluidEffect.cpp:$(wc -l <"$work/demo/effects/FluidEffect.cpp"): includes another effect's header effects/GlowEffect.h"
  "demo/content/BrinovaResources.cpp:$(wc -l <"$work/demo/content/BrinovaResources.cpp"): includes FLTK, which only the launcher may use"
  "demo/demosys/runtime/Demo.cpp:$(wc -l <"$work/demo/demosys/runtime/Demo.cpp"): includes effects/TrackValue.h from outside the engine"
  "check-layers: includes against the order: 4"
)
[ "$checked" -eq 1 ] || { echo "FAIL: the check exited $checked on four includes against the order"; status=1; }
for line in "${expected[@]}"; do
  grep -qxF -- "$line" "$work/out.txt" || { echo "FAIL: missing line: $line"; status=1; }
done
[ "$status" -eq 0 ] && echo "ok: four includes against the order are each named" || cat "$work/out.txt"
exit $status
