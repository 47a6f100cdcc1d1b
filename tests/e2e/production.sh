#!/usr/bin/env bash
# The whole production rendered offline by the capture program (320x180, quality Low, 4 frames
# per second of demo time, so even the shortest section is sampled 64 times) and its report
# checked against the storyboard: every instance active in the sections that need it, no GL
# error, no missing uniform, no feedback loop, every frame ending on the screen, no frame too dark
# between 00:01 and 02:29, and depth and colour under water.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cp "$BUILD_DIR/resources.7z" "$WORK/" || { echo "FAIL: no resources.7z in $BUILD_DIR"; exit 1; }
cd "$WORK"
FPS=4
started=$(date +%s)
if ! env -u DISPLAY "$BUILD_DIR/brinova-capture" --size 320x180 --fps "$FPS" --quality 0 --report report.json \
  --quiet >capture.log 2>&1; then
  echo "FAIL: brinova-capture failed"
  tail -20 capture.log
  exit 1
fi
echo "capture: $(($(date +%s) - started)) s"
tail -1 capture.log

python3 - report.json "$FPS" <<'EOF'
import json
import sys

FPS = int(sys.argv[2])
END_MS = 150850
SECTIONS = [
    # name, from ms, to ms (exclusive), instances active in every frame of the section
    ("Logo", 0, 16000, ["fluid_effect", "glow_effect", "postprocess_effect"]),
    ("Descent", 16000, 48000, ["camera", "underwater_effect", "glow_effect", "postprocess_effect"]),
    ("The creature", 48000, 72000, ["camera", "underwater_effect", "particle_creatures_effect", "glow_effect",
                                    "radial_blur_effect", "postprocess_effect"]),
    ("Credits", 72000, 88000, ["camera", "underwater_effect", "particle_creatures_effect", "glow_effect",
                               "credits_effect", "postprocess_effect"]),
    ("Anemones", 88000, 120000, ["camera", "underwater_effect", "particle_creatures2_effect", "glow_effect",
                                 "postprocess_effect"]),
    ("Climax", 120000, 140000, ["camera", "underwater_effect", "particle_creatures_effect", "fluid_effect",
                                "glow_effect", "radial_blur_effect", "postprocess_effect"]),
    ("Outro", 140000, END_MS + 1, ["camera", "underwater_effect", "glow_effect", "credits_effect",
                                   "postprocess_effect"]),
]
ALL = {"underwater_effect", "postprocess_effect", "glow_effect", "particle_creatures_effect",
       "particle_creatures2_effect", "fluid_effect", "camera", "credits_effect", "radial_blur_effect"}
DRAWS_NOTHING = {"camera"}  # sets the engine camera in its pre-draw step only
DARK_FROM, DARK_TO, DARK_LIMIT = 1000, 149000, 0.02
# Once the Descent has faded in and through the Creature, the underwater picture shows depth
# (water lighter towards the surface, the upper third brighter than the lower) and colour.
DEPTH_FROM, DEPTH_TO, DEPTH_LIMIT, CHROMA_LIMIT = 22000, 72000, 0.01, 0.05

report = json.load(open(sys.argv[1]))
frames = report["frames"]
summary = report["summary"]
failures = []


def fail(text):
    if len(failures) < 40:
        failures.append(text)


expected_frames = -(-END_MS * FPS // 1000)  # a frame every 1000 / FPS ms from 0 up to END_MS
if len(frames) != expected_frames:
    fail("%d frames captured, expected %d" % (len(frames), expected_frames))
seen = {i["name"] for i in summary["instances"]}
if seen != ALL:
    fail("instances ever active: %s; missing %s" % (sorted(seen), sorted(ALL - seen)))
for key in ("gl_errors", "missing_uniforms", "feedback_loops"):
    if summary[key]:
        fail("summary %s = %d" % (key, summary[key]))

darkest = None
for frame in frames:
    t = frame["time"]
    names = [i["name"] for i in frame["instances"]]
    if frame["gl_errors"] or frame["missing_uniforms"]:
        fail("%d ms: %d GL errors, %d missing uniforms" % (t, frame["gl_errors"], frame["missing_uniforms"]))
    for instance in frame["instances"]:
        if instance["feedback"]:
            fail("%d ms: %s samples its own target %s" % (t, instance["name"], instance["target"]))
    drawing = [i for i in frame["instances"] if i["name"] not in DRAWS_NOTHING]
    if not drawing or drawing[-1]["target"] != "screen":
        fail("%d ms: the last drawing instance is %s" % (t, drawing[-1] if drawing else "none"))
    for name, start, stop, needed in SECTIONS:
        if start <= t < stop:
            missing = [n for n in needed if n not in names]
            if missing:
                fail("%d ms (%s): %s not active; active: %s" % (t, name, missing, names))
    if DARK_FROM <= t <= DARK_TO:
        if darkest is None or frame["luminance"] < darkest[1]:
            darkest = (t, frame["luminance"])
        if frame["luminance"] <= DARK_LIMIT:
            fail("%d ms: mean luminance %.4f" % (t, frame["luminance"]))
    if DEPTH_FROM <= t < DEPTH_TO:
        upper, lower = frame["thirds"][0], frame["thirds"][2]
        if upper - lower < DEPTH_LIMIT or frame["chroma"] < CHROMA_LIMIT:
            fail("%d ms: a flat picture: upper third %.4f, lower third %.4f, chroma %.4f" %
                 (t, upper, lower, frame["chroma"]))

print("frames %d, GL errors %d, missing uniforms %d, feedback loops %d, darkest frame %s ms (%.4f)" %
      (len(frames), summary["gl_errors"], summary["missing_uniforms"], summary["feedback_loops"],
       darkest[0] if darkest else "-", darkest[1] if darkest else 0))
if failures:
    print("FAIL:")
    for text in failures:
        print("  " + text)
    sys.exit(1)
print("PASS")
EOF
