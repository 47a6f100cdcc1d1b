#!/usr/bin/env bash
# One frame every 2 s of the whole production on one image, for a person to look at:
#   tools/contact-sheet.sh BUILD_DIR [FPS] [SIZE]
# renders the production with brinova-capture (default 10 frames per second at 640x360,
# quality 0) and tiles every frame on a 2 s grid into BUILD_DIR/frames/production-contact-sheet.png,
# each labelled with its time. Frames come from a dense capture rather than one frame every
# 2 s because the fluid and the scrolling textures advance with each frame's delta.
set -euo pipefail
BUILD_DIR=$(cd "${1:?usage: contact-sheet.sh BUILD_DIR [FPS] [SIZE]}" && pwd)
FPS=${2:-10}
SIZE=${3:-640x360}
command -v montage >/dev/null || { echo "contact-sheet: ImageMagick 'montage' is not installed" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp "$BUILD_DIR/resources.7z" "$WORK/"
(cd "$WORK" && env -u DISPLAY "$BUILD_DIR/brinova-capture" --size "$SIZE" --fps "$FPS" --quality 0 \
  --frames "$WORK/frames" --report "$WORK/report.json" --quiet >"$WORK/capture.log" 2>&1) ||
  { tail -20 "$WORK/capture.log" >&2; exit 1; }
grep "^Captured" "$WORK/capture.log"
mkdir -p "$BUILD_DIR/frames"
cp "$WORK/report.json" "$BUILD_DIR/frames/production-report.json"

STEP=$((FPS * 2))
TILES=()
for frame in "$WORK"/frames/frame_*.png; do
  index=$((10#$(basename "$frame" .png | sed 's/frame_//')))
  ((index % STEP == 0)) || continue
  seconds=$((index / FPS))
  TILES+=(-label "$(printf '%02d:%02d' $((seconds / 60)) $((seconds % 60)))" "$frame")
done

OUT="$BUILD_DIR/frames/production-contact-sheet.png"
# A font file by path: ImageMagick's default font name is often not installed.
LABEL_FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
montage "${TILES[@]}" -tile 8x -geometry 320x180+4+4 -background '#202020' -fill white -font "$LABEL_FONT" \
  -pointsize 14 "$OUT"
echo "Contact sheet: $OUT ($((${#TILES[@]} / 3)) tiles); report: $BUILD_DIR/frames/production-report.json"
