#!/usr/bin/env python3
"""Writes Brinova's timeline text:

    tools/timeline/make-timeline.py resources/tracks/timeline.txt

The camera paths and the beat pulses (a beat is 500 ms, a bar 2 s) are easier to keep right as
a little arithmetic than as a thousand hand-written keyframes, so the timeline text is made here.
To change the timeline, edit this file and run it again. Editing the text directly is fine for a
quick try, but the next run of this file overwrites it: carry the change over here to keep it.
The build compiles the text into the track files (target brinova_tracks); with
`brinova --list-tracks > names.txt`, `trackc compile --effects names.txt TIMELINE OUTDIR` also
checks every instance and track name (see resources/tracks/README.md)."""
import math
import os
import re
import sys

USAGE = "usage: make-timeline.py OUTPUT  (normally resources/tracks/timeline.txt)"
if sys.argv[1:] in (["--help"], ["-h"]):
    print(USAGE + "\n\n" + __doc__)
    sys.exit(0)
if sys.argv[1:] == ["--version"]:
    cmake = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")).read()
    print("make-timeline.py " + re.search(r"project\(\S+ VERSION (\S+)", cmake).group(1))
    sys.exit(0)
if len(sys.argv) != 2 or sys.argv[1].startswith("-"):
    sys.stderr.write(USAGE + "\n")
    sys.exit(2)
FOLDER = os.path.dirname(os.path.abspath(sys.argv[1]))
if os.path.isdir(sys.argv[1]) or not os.path.isdir(FOLDER) or not os.access(FOLDER, os.W_OK):
    sys.stderr.write("make-timeline.py: cannot write '%s'\n" % sys.argv[1])
    sys.exit(1)

def tc(sec):
    ms = int(round(sec * 1000))
    assert ms % 50 == 0, sec
    return "%02d:%02d:%03d" % (ms // 60000, (ms // 1000) % 60, ms % 1000)

END = 150.85
out = []
def w(s=""): out.append(s)

def track(name, keys, comment=None):
    w("  track %s%s" % (name, ("  # " + comment) if comment else ""))
    seen = set()
    for k in sorted(keys, key=lambda k: k[0]):
        t, v = k[0], k[1]
        curve = k[2] if len(k) > 2 else "linear"
        r = int(round(t * 20))
        assert r not in seen, (name, t)
        seen.add(r)
        vs = ("%.4f" % v).rstrip("0").rstrip(".")
        if vs == "-0": vs = "0"
        w("    %s %s %s" % (tc(t), vs, curve))

def pulses(starts, peak, rest, length, before=None):
    """A hit on each start: peak, falling (ease-out) to rest within length, then held."""
    keys = []
    for t in starts:
        keys.append((t, peak, "sine"))
        keys.append((t + length, rest, "step"))
    return keys

def beats(a, b, step=0.5):
    n = int(round((b - a) / step))
    return [a + i * step for i in range(n)]

w("# Brinova's timeline: which effect instance draws when, into which target, with which values.")
w("# The format is described in README.md beside this file. Made by tools/timeline/make-timeline.py:")
w("# edit that and run it again. Edit this text directly only for a quick try: the next run of the")
w("# generator overwrites it, so carry the change over there to keep it.")
w("#")
w("# 120 bpm: a beat is 500 ms (10 rows), a bar 2 s (40 rows); every cut falls on a bar line.")
w("#   Logo         00:00 - 00:16  bars  1-8   fluid pours the Kelvaro (bar 2) and Brinova (bar 5) logos")
w("#   Descent      00:16 - 00:48  bars  9-24  underwater world fades in, camera glides down")
w("#   The creature 00:48 - 01:12  bars 25-36  particle creature rises, strong glow, blur hits on downbeats")
w("#   Credits      01:12 - 01:28  bars 37-44  Quor, Mizt, Ovar, Sendrik, one per two bars")
w("#   Anemones     01:28 - 02:00  bars 45-60  anemone, two copies from bar 53, orbit, grading shifts")
w("#   Climax       02:00 - 02:20  bars 61-70  fluid pours the four handles, blur on beats, creature back")
w("#   Outro        02:20 - 02:30:850 bars 71-76 Brinova logo, fade to black by 02:30")
w("#")
w("# Image flow (drawing order = priority):")
w("#   camera (sets the engine camera; draws nothing)")
w("#   underwater_effect -> glow_pre (staging0 in the climax)      scene outlines and debris")
w("#   particle_creatures_effect -> same target as the scene        binds it and adds its sprites")
w("#   particle_creatures2_effect -> glow_pre                       draws into glow_pre, which the scene left bound")
w("#   fluid_effect -> glow_pre                                     dye over staging0 (black in the logo part)")
w("#   glow_effect -> staging0                                      glow_pre with its bloom")
w("#   radial_blur_effect -> staging0                               reads staging0 first, writes it last")
w("#   credits_effect -> staging0                                   reads staging0 first, writes it last")
w("#   postprocess_effect -> screen                                 grades staging0; always the last")
w()

# ---------------------------------------------------------------- camera
w("instance camera 0")
w("  run 00:00:000 02:30:850 screen")
track("fov", [(0, 60), (16, 70), (40, 58, "sine"), (48, 58), (72, 55), (88, 50), (120, 62, "sine"),
              (121, 70), (140, 70, "sine"), (150.85, 52)])
# Descent: from high above the surface down below it towards the seabed, ending on the ribbons.
# Creature: the creature on the left, the ribbons on the right, the camera circling the pair.
# Anemones: orbit; Climax: sweeping; Outro: looking up at the surface.
CREATURE = (-8.0, 1.8, -5.0)    # where the creature floats (world)
SCALE = 0.55
ANEMONE = (13.6, -0.3, 3.4)     # between the two anemone copies (world)
RIBBONS = (0.0, -0.5, 0.0)      # the middle of the sea-grass, which rises from (0, -3, 0)
PAIR = (-4.0, -0.5, -2.5)       # between the creature and the ribbons
def orbit(center, radius, angle, height, pitch):
    a = math.radians(angle)
    return (center[0] + radius * math.sin(a), height, center[2] + radius * math.cos(a), pitch, -angle)
def aim(frm, to):
    """Position, pitch and heading of a camera at frm looking at to (pitch > 0 looks down)."""
    dx, dy, dz = to[0] - frm[0], to[1] - frm[1], to[2] - frm[2]
    return (frm[0], frm[1], frm[2], math.degrees(math.atan2(-dy, math.hypot(dx, dz))),
            math.degrees(math.atan2(dx, -dz)))
def around_pair(t):
    """The creature's orbit: 60 degrees over its 40 s, closing in on the creature from 14 to 10 units."""
    f = (t - 48) / 40.0
    a = math.radians(-60 * f)
    r = 14 - 4 * f
    frm = (PAIR[0] + r * math.sin(a), 2.0 + 0.2 * f, PAIR[2] + r * math.cos(a))
    return aim(frm, (PAIR[0] - 1.0, PAIR[1] + 0.8, PAIR[2] - 0.5))
cam = [
    # t, x, y, z, pitch, head, curve
    (0, 0, 30, 70, 30, 0, "step"),
    (16, 0, 30, 70, 30, 0, "cosine"),
    (24, 0, 13, 50, 22, 0, "linear"),
    (30, 0.5, 6.5, 38, 16, 0, "linear"),
    (34,) + aim((1, 2.6, 30), (0, -2, 0)) + ("linear",),
    (41,) + aim((2, 2.2, 19), RIBBONS) + ("linear",),
]
# The creature: a slow orbit, closing in over the credits.
for t in range(48, 88, 4):
    cam.append((t,) + around_pair(t) + ("linear",))
cam.append((87.95,) + around_pair(87.95) + ("step",))
# Anemones: orbit of radius 9, 150 degrees over 32 s.
for i in range(0, 17):
    t = 88 + 2 * i
    x, y, z, p, h = orbit(ANEMONE, 6.5 - 1.5 * (i / 16.0), 20 - 9.375 * i, 3.3, 26 + 4 * (i / 16.0))
    cam.append((t if i < 16 else 119.95, x, y, z, p, h, "linear" if i < 16 else "step"))
for i, t in enumerate(range(120, 141, 2)):
    angle = 40 - 12 * i
    x, y, z, p, h = orbit(CREATURE, 11 + 2.5 * math.sin(i * 1.3), angle, 2.6, 4)
    cam.append((t, x, y, z, p, h, "sine" if i % 2 else "linear"))
cam += [
    (140.05, 0, 0.8, 18, 4, 0, "linear"),
    (150.85, 0, 0.2, 11, -32, 0, "linear"),
]
for idx, name in ((1, "x"), (2, "y"), (3, "z"), (4, "pitch"), (5, "head")):
    track(name, [(c[0], c[idx], c[6]) for c in cam])
w()

# ---------------------------------------------------------------- underwater
w("instance underwater_effect 1")
w("  run 00:16:000 01:59:950 glow_pre")
w("  run 02:00:000 02:19:950 staging0")
w("  run 02:20:000 02:30:850 glow_pre")
track("wave_time", [(0, 0), (150.85, 110)])
# The sea-grass grows on the bars of the descent: a ribbon more and a step taller on each
# downbeat; from then on it stretches on every beat, less in the breakdown, and sinks in the outro.
ribs = [(0, 0, "step")] + [(t, 3 + k, "step") for k, t in enumerate(range(16, 40, 2))]
ribs += [(120, 17, "step"), (124, 18, "step"), (128, 19, "step"), (132, 20, "step"), (140, 14, "step")]
track("num_ribs", ribs, "one more ribbon on each downbeat of the descent; all 20 in the climax")
verts = [(0, 2, "step")]
for k, t in enumerate(range(16, 40, 2)):
    verts += [(t, 4 + 3 * k, "sine"), (t + 0.5, 7 + 3 * k, "step")]
def stretch(start, stop, base, amount, step=0.5):
    return [k for t in beats(start, stop, step) for k in ((t, base, "sine"), (t + 0.15, base + amount, "cosine"))]
verts += stretch(40, 48, 40, 3) + stretch(48, 88, 40, 4) + stretch(88, 104, 38, 2, 2.0) + stretch(104, 120, 40, 3)
verts += stretch(120, 140, 44, 5) + [(140, 44, "cosine"), (150.85, 20)]
track("num_ribs_verts", verts, "a ribbon is 0.1 units per point")
# The sway takes a bar each way and back. The effect also reads this track at twice the time, so
# the keys run on to twice the end time, and that second reading sways on every other beat.
# Around this offset the twenty curves lean least from the upright.
SWAY_MIDDLE = 0.66
sway_amplitude = [(0, 0.045), (48, 0.06), (88, 0.035), (120, 0.07), (140, 0.035), (240, 0.07), (280, 0.035)]
def amplitude_at(t):
    return [a for start, a in sway_amplitude if start <= t][-1]
sway = []
for i in range(int(2 * END / 0.5) + 2):
    t = i * 0.5
    sway.append((t, SWAY_MIDDLE, "sine") if i % 2 == 0 else
                (t, SWAY_MIDDLE + (1 if i % 4 == 1 else -1) * amplitude_at(t), "cosine"))
track("ribbons_noise_offset", sway, "stays within 0..1 so only the fine coordinate moves")
track("deb_size", [(0, 1.2), (48, 1.2), (56, 1.6), (88, 1.0), (120, 1.8), (140, 1.2)])
w()

# ---------------------------------------------------------------- creature
w("instance particle_creatures_effect 2")
w("  run 00:48:000 01:27:950 glow_pre")
w("  run 02:00:000 02:19:950 staging0")
track("scale", [(0, SCALE)])
track("particle_monster_anim", [(0, 0), (48, 0), (88, 30), (120, 30), (140, 55)])
track("pos_x", [(0, (CREATURE[0]) / SCALE)])
track("pos_y", [(0, -8), (48, -8, "sine"), (58, (CREATURE[1] + 3) / SCALE), (119.95, (CREATURE[1] + 3) / SCALE), (120, -8, "sine"), (124, (CREATURE[1] + 3) / SCALE)],
      "rises from below the seabed; the scene leaves the origin 3 units lower")
track("pos_z", [(0, CREATURE[2] / SCALE)])
rx, ry, rz = [(0, 0)], [(0, 0)], [(0, 0)]
# A turn every two bars, travelling along the body (rot_delay).
angles = [(48, 0, 0, 0), (52, 30, 45, 0), (56, -20, 120, 40), (60, 25, 200, -30), (64, -10, 300, 20),
          (68, 40, 380, -40), (72, 0, 450, 0), (76, 30, 520, 60), (80, -30, 600, -20), (84, 20, 690, 30),
          (88, 0, 720, 0), (120, 0, 720, 0), (124, 45, 820, 90), (128, -30, 900, -60), (132, 35, 1000, 45),
          (136, -20, 1080, -30), (140, 0, 1160, 0)]
for t, a, b, c in angles:
    rx.append((t, a, "sine")); ry.append((t, b, "sine")); rz.append((t, c, "sine"))
track("particle_monster_rotate_x", rx)
track("particle_monster_rotate_y", ry)
track("particle_monster_rotate_z", rz)
inten = [(0, 0), (48, 0, "sine"), (52, 0.2)]
for t in beats(54, 88, 2.0):
    inten += [(t, 0.28, "sine"), (t + 1.0, 0.2, "step")]
inten += [(120, 0.25, "sine"), (121, 0.15)]
for t in beats(122, 140, 1.0):
    inten += [(t, 0.22, "sine"), (t + 0.5, 0.15, "step")]
track("particle_monster_intensity", inten, "swells on every downbeat")
track("particle_monster_rot_delay", [(0, 250), (120, 180)])
w()

# ---------------------------------------------------------------- anemones
w("instance particle_creatures2_effect 3")
w("  run 01:28:000 01:59:950 glow_pre")
track("intensity", [(0, 0), (88, 0, "sine"), (92, 0.28), (104, 0.28), (106, 0.22), (118, 0.32, "sine"), (119.95, 0.4)])
track("pos_x", [(0, ANEMONE[0] - 1.6)])
track("pos_y", [(0, ANEMONE[1] + 3 - 0.2)])
track("pos_z", [(0, ANEMONE[2] + 0.6)])
track("delay", [(0, 400), (104, 400), (120, 700)])
track("active1", [(0, 1)])
track("active2", [(0, 0, "step"), (104, 1, "step")], "the second copy from bar 53")
track("pos_x2", [(0, 3.2)])
track("pos_y2", [(0, 0.4)])
track("pos_z2", [(0, -1.2)])
track("rot_x", [(0, 0), (88, 0), (96, 20), (104, 70), (112, 40), (120, 110)])
track("rot_y", [(0, 0), (88, 0), (120, 240)])
track("rot_z", [(0, 0), (88, 0), (100, 45), (112, -30), (120, 60)])
w()

# ---------------------------------------------------------------- fluid
w("instance fluid_effect 4")
w("  run 00:00:000 00:15:950 glow_pre")
w("  run 02:00:000 02:19:950 glow_pre")
# Each picture stands still for a bar before the swirls take it: the solver advects nothing in a
# frame in which "source" changes, and a value between whole numbers pours nothing, so a slow
# ramp from the poured number towards the next half holds the picture; the swirl starts when the
# ramp ends. The whole number is held for two rows first, so that some frame reads it exactly.
POURS = [(2, 1), (8, 2), (120, 3), (124, 4), (128, 5), (132, 6)]
HOLD = 2.5
source = [(0, 0, "step")]
for t, picture in POURS:
    source += [(t, picture, "step"), (t + 0.1, picture, "linear"), (t + HOLD, picture + 0.5, "step")]
track("source", source, "1 KelvaroLogo, 2 BrinovaLogo, 3-6 Quor, Mizt, Ovar, Sendrik")
track("time_step", [(0, 0), (2 + HOLD, 0), (7, 0.006), (8, 0), (8 + HOLD, 0), (13, 0.006), (16, 0), (120, 0.004)])
track("xpos", [(0, 0.5), (120, 0.32, "step"), (124, 0.68, "step"), (128, 0.34, "step"), (132, 0.64, "step")])
track("ypos", [(0, 0.5), (120, 0.62, "step"), (124, 0.4, "step"), (128, 0.38, "step"), (132, 0.62, "step")])
track("opacity", [(0, 1.5), (15.95, 1.0), (120, 1)])
w()

# ---------------------------------------------------------------- glow
w("instance glow_effect 5")
w("  run 00:00:000 02:30:850 staging0")
track("pre_brightness", [(0, -0.1), (16, -0.1), (20, -0.25)])
track("pre_contrast", [(0, 0.8), (16, 0.8), (20, 1.4), (88, 1.2), (120, 1.4)])
track("post_brightness", [(0, 0)])
track("post_contrast", [(0, 0.2)])
track("blur_radius", [(0, 3), (48, 3, "sine"), (52, 4), (88, 3), (120, 4.5), (140, 3)])
amp = [(0, 1.1), (16, 1.0, "sine"), (24, 0.75)]
for t in beats(48, 88, 0.5):
    amp += [(t, 1.0 if (t - 48) % 2 == 0 else 0.9, "sine"), (t + 0.25, 0.8, "step")]
amp += [(88, 0.8, "linear"), (104, 0.75), (119.5, 0.75)]
for t in beats(120, 140, 0.5):
    amp += [(t, 0.95 if (t - 120) % 2 == 0 else 0.85, "sine"), (t + 0.25, 0.7, "step")]
amp += [(140, 0.8)]
track("kernel_amp", amp, "gentle in the descent, pumping on beats in the creature and climax parts")
w()

# ---------------------------------------------------------------- radial blur
w("instance radial_blur_effect 6")
w("  run 00:48:000 01:27:950 staging0")
w("  run 02:00:000 02:19:950 staging0")
track("num_passes", [(0, 30)])
mul = [(0, 0, "step")]
for t in beats(48, 72, 2.0):
    mul += [(t, 0.9, "sine"), (t + 0.5, 0, "step")]
for t in (72, 76, 80, 84):
    mul += [(t, 1.0, "sine"), (t + 0.75, 0, "step")]
for t in beats(120, 140, 0.5):
    mul += [(t, 0.95 if (t - 120) % 2 == 0 else 0.55, "sine"), (t + 0.25, 0, "step")]
track("multiply", mul, "hits: bar downbeats in the creature part, credit changes, every beat in the climax")
w()

# ---------------------------------------------------------------- credits
w("instance credits_effect 7")
w("  run 01:12:000 01:27:950 staging0")
w("  run 02:20:000 02:30:850 staging0")
track("index", [(0, 0, "step"), (72, 0, "step"), (76, 1, "step"), (80, 2, "step"), (84, 3, "step"),
                (140, 5, "step")], "quor, mizt, ovar, sendrik; brinovalogo in the outro")
alpha = [(0, 0)]
for t in (72, 76, 80, 84):
    alpha += [(t, 0, "sine"), (t + 0.5, 1), (t + 3.5, 1, "cosine")]
alpha += [(87.95, 0), (140, 0, "sine"), (142, 1)]
track("alpha", alpha)
xs = [(0, 0.5)]
for t in (72, 76, 80, 84):
    xs += [(t, 0.46), (t + 3.95, 0.54)]
xs += [(140, 0.5)]
track("xpos", xs, "each name drifts to the right while it shows")
track("ypos", [(0, 0.02), (140, 0.55)])
track("scale", [(0, 0.5), (140, 0.62), (150.85, 0.7)])
w()

# ---------------------------------------------------------------- post-process
w("instance postprocess_effect 8")
w("  run 00:00:000 02:30:850 screen")
br = [(0, 0, "step")]
for t in beats(120, 140, 0.5):
    br += [(t, 0.07 if (t - 120) % 2 == 0 else 0.04, "sine"), (t + 0.25, 0, "step")]
br += [(140, 0)]
track("brightness", br, "flashes on the climax beats")
track("contrast", [(0, 0.1), (48, 0.1), (52, 0.2), (88, 0.1), (120, 0.25), (140, 0.1)])
track("negative", [(0, 0, "step"), (119.5, 0, "cosine"), (120, 0.8, "sine"), (121, 0)], "a flash into the climax")
FADE_LOGO = (0.03, 0.08, 0.13)
fade = [(0, 1), (1.95, 1, "sine"), (2.5, 0.3), (15, 0.3, "cosine"), (16, 1, "sine"), (22, 0),
        (88, 0, "sine"), (92, 0.3), (118, 0.3, "sine"), (120, 0), (147, 0, "cosine"), (150, 1)]
track("fade", fade, "the logo part fades towards deep blue; the outro to black")
fr = [(0, 0), (1, FADE_LOGO[0]), (22, FADE_LOGO[0]), (88, 0.0), (100, 0.55), (110, 0.6), (118, 0.1), (146, 0.0)]
fg = [(0, 0), (1, FADE_LOGO[1]), (22, FADE_LOGO[1]), (88, 0.4), (100, 0.05), (110, 0.35), (118, 0.3), (146, 0.0)]
fb = [(0, 0), (1, FADE_LOGO[2]), (22, FADE_LOGO[2]), (88, 0.45), (100, 0.45), (110, 0.05), (118, 0.4), (146, 0.0)]
track("fade_r", fr, "anemones: teal, then magenta, then amber")
track("fade_g", fg)
track("fade_b", fb)
track("noise_strength", [(0, 0.04), (88, 0.04), (92, 0.08), (120, 0.05)])
track("vignett_radius", [(0, 1.5), (16, 1.5), (24, 0.65), (88, 0.55), (120, 0.7), (140, 0.6)])

# Written beside the output and renamed into place, so that an interrupted run never leaves
# half a timeline where a whole one was.
temporary = os.path.join(FOLDER, ".%s.%d" % (os.path.basename(sys.argv[1]), os.getpid()))
try:
    with open(temporary, "w") as text:
        text.write("\n".join(out) + "\n")
    os.replace(temporary, sys.argv[1])
except BaseException:
    if os.path.exists(temporary):
        os.remove(temporary)
    raise
