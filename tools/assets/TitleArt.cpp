#include "TitleArt.h"

#include <noise.h>

#include <algorithm>
#include <cmath>

#include "Random.h"

namespace {

const float kPi = 3.14159265359f;

struct Bounds {
  int minX, minY, maxX, maxY;
};

Bounds inkBounds(const Plane& ink, float threshold = 0.02f) {
  Bounds b{ink.width(), ink.height(), -1, -1};
  for (int y = 0; y < ink.height(); ++y)
    for (int x = 0; x < ink.width(); ++x)
      if (ink.at(x, y) > threshold) {
        b.minX = std::min(b.minX, x);
        b.maxX = std::max(b.maxX, x);
        b.minY = std::min(b.minY, y);
        b.maxY = std::max(b.maxY, y);
      }
  if (b.maxX < 0) b = {0, 0, ink.width() - 1, ink.height() - 1};
  return b;
}

Plane cropped(const Plane& ink, const Bounds& b) {
  Plane out(b.maxX - b.minX + 1, b.maxY - b.minY + 1);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.at(x, y) = ink.at(x + b.minX, y + b.minY);
  return out;
}

// A wave drawn as a chain of short capsules, thickest in the middle.
void drawWave(Plane& plane, float x0, float x1, float y, float amplitude, float wavelength,
              float maxHalfWidth) {
  const int steps = 160;
  for (int i = 0; i < steps; ++i) {
    float t0 = static_cast<float>(i) / steps, t1 = static_cast<float>(i + 1) / steps;
    float xa = x0 + (x1 - x0) * t0, xb = x0 + (x1 - x0) * t1;
    float ya = y + amplitude * std::sin(2 * kPi * (xa - x0) / wavelength);
    float yb = y + amplitude * std::sin(2 * kPi * (xb - x0) / wavelength);
    float taper = std::sin(kPi * (t0 + t1) * 0.5f);
    plane.drawCapsule(xa, ya, xb, yb, 0.8f + (maxHalfWidth - 0.8f) * taper);
  }
}

Rgba withAlpha(Rgba c, float a) {
  c.a = a;
  return c;
}

}  // namespace

bool TitleArt::open(const std::string& fontDir) {
  if (!bold_.open(fontDir + "/DejaVuSans-Bold.ttf")) return error_ = bold_.error(), false;
  if (!light_.open(fontDir + "/DejaVuSans-ExtraLight.ttf")) return error_ = light_.error(), false;
  return true;
}

TitleArt::Palette TitleArt::creditPalette() {
  return {{1.0f, 1.0f, 1.0f, 1.0f},
          {0.45f, 0.88f, 0.95f, 1.0f},
          {0.01f, 0.06f, 0.12f, 1.0f},
          {0.2f, 0.75f, 1.0f, 1.0f}};
}
TitleArt::Palette TitleArt::kelvaroPalette() {
  return {{0.97f, 0.98f, 1.0f, 1.0f},
          {0.45f, 0.58f, 0.9f, 1.0f},
          {0.02f, 0.03f, 0.1f, 1.0f},
          {0.45f, 0.5f, 1.0f, 1.0f}};
}
TitleArt::Palette TitleArt::brinovaPalette() {
  return {{0.88f, 1.0f, 0.97f, 1.0f},
          {0.08f, 0.62f, 0.72f, 1.0f},
          {0.0f, 0.05f, 0.1f, 1.0f},
          {0.15f, 0.85f, 0.9f, 1.0f}};
}

Plane TitleArt::creditInk(const std::string& name) {
  Plane ink(kTitleWidth, kTitleHeight);
  Plane text = bold_.renderFitted(name, 170, 820, 140, 0.05f);
  int left = (kTitleWidth - text.width()) / 2, top = (kTitleHeight - text.height()) / 2 - 14;
  ink.maxInto(text, left, top);
  float lineY = static_cast<float>(top + text.height() + 24);
  ink.drawCapsule(kTitleWidth * 0.5f - text.width() * 0.42f, lineY, kTitleWidth * 0.5f + text.width() * 0.42f,
                  lineY, 1.6f, 0.85f);
  return ink;
}

// The emblem, the name and the subtitle stacked rather than in one row: the fluid pours the logo
// into a square a third of the screen wide, where a compact block keeps its letters large.
Plane TitleArt::kelvaroInk() {
  Plane ink(kTitleWidth, kTitleHeight);
  const float cx = kTitleWidth * 0.5f, cy = 44.0f, s = 0.42f;  // the emblem drawn at 0.42 of 84 units
  ink.drawRing(cx, cy, 84.0f * s, 4.0f);
  ink.drawCapsule(cx - 26 * s, cy - 46 * s, cx - 26 * s, cy + 46 * s, 5.0f);
  ink.drawCapsule(cx - 18 * s, cy + 4 * s, cx + 30 * s, cy - 46 * s, 5.0f);
  ink.drawCapsule(cx - 4 * s, cy - 8 * s, cx + 32 * s, cy + 46 * s, 5.0f);
  Plane name = bold_.renderFitted("KELVARO", 140, 600, 96, 0.04f);
  Plane sub = bold_.renderFitted("DEMOSYS", 60, name.width(), 34, 0.45f);
  const int nameTop = 92;
  ink.maxInto(name, (kTitleWidth - name.width()) / 2, nameTop);
  ink.maxInto(sub, (kTitleWidth - sub.width()) / 2, nameTop + name.height() + 10);
  return ink;
}

Plane TitleArt::brinovaInk() {
  Plane ink(kTitleWidth, kTitleHeight);
  Plane name = bold_.renderFitted("BRINOVA", 170, 860, 128, 0.14f);
  int left = (kTitleWidth - name.width()) / 2, top = 40;
  ink.maxInto(name, left, top);
  drawWave(ink, left - 10.0f, left + name.width() + 10.0f, top + name.height() + 34.0f, 7.0f, 96.0f, 3.6f);
  float right = static_cast<float>(left + name.width());
  ink.drawRing(right + 26, top + 18, 7.0f, 1.6f);
  ink.drawRing(right + 44, top - 4, 4.5f, 1.3f);
  ink.drawRing(right + 30, top - 20, 3.0f, 1.1f);
  return ink;
}

Canvas TitleArt::styled(const Plane& ink, const Palette& palette) {
  Plane outline = ink.dilated(3);
  Plane glow = outline.blurred(11.0f);
  Bounds b = inkBounds(ink, 0.5f);
  Canvas out(ink.width(), ink.height());
  for (int y = 0; y < ink.height(); ++y) {
    float t = clamp01(static_cast<float>(y - b.minY) / std::max(1, b.maxY - b.minY));
    Rgba fill = mix(palette.top, palette.bottom, smoothstep(0.0f, 1.0f, t));
    float sheen = 0.18f * std::exp(-std::pow((t - 0.28f) / 0.07f, 2.0f));
    fill = {clamp01(fill.r + sheen), clamp01(fill.g + sheen), clamp01(fill.b + sheen), 1.0f};
    for (int x = 0; x < ink.width(); ++x) {
      Rgba halo = withAlpha(palette.glow, clamp01(glow.at(x, y) * 1.3f) * 0.7f);
      Rgba p = over(withAlpha(fill, ink.at(x, y)),
                    over(withAlpha(palette.outline, outline.at(x, y) * 0.9f), halo));
      // Transparent texels carry the glow colour, so filtering never pulls in a dark fringe.
      if (p.a <= 0.0f) p = withAlpha(palette.glow, 0.0f);
      out.at(x, y) = p;
    }
  }
  return out;
}

Canvas TitleArt::dye(const Plane& ink, const Rgba& top, const Rgba& bottom) {
  Plane shape = cropped(ink, inkBounds(ink));
  float fit = std::min(228.0f / shape.width(), 200.0f / shape.height());
  int w = std::max(1, static_cast<int>(shape.width() * fit)),
      h = std::max(1, static_cast<int>(shape.height() * fit));
  Plane placed(kDyeSize, kDyeSize);
  placed.maxInto(resizedPlane(shape, w, h), (kDyeSize - w) / 2, (kDyeSize - h) / 2);
  Plane glow = placed.blurred(5.0f);
  Canvas out(kDyeSize, kDyeSize, {0.0f, 0.0f, 0.0f, 1.0f});
  int top0 = (kDyeSize - h) / 2;
  for (int y = 0; y < kDyeSize; ++y) {
    Rgba colour = mix(top, bottom, clamp01(static_cast<float>(y - top0) / h));
    for (int x = 0; x < kDyeSize; ++x) {
      float a = clamp01(placed.at(x, y) + 0.45f * glow.at(x, y));
      out.at(x, y) = {colour.r * a, colour.g * a, colour.b * a, 1.0f};
    }
  }
  return out;
}

namespace {

// Deep water: dark towards the bottom, slanted shafts of light from the surface, a few motes.
Canvas deepWater(int w, int h, uint32_t seed) {
  noise::module::Perlin rays;
  rays.SetSeed(static_cast<int>(seed));
  rays.SetOctaveCount(2);
  Canvas out(w, h);
  const Rgba top{0.035f, 0.17f, 0.27f, 1.0f}, bottom{0.0f, 0.015f, 0.04f, 1.0f};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float v = static_cast<float>(y) / h, u = static_cast<float>(x) / w;
      Rgba p = mix(top, bottom, std::pow(v, 0.7f));
      float shaft = static_cast<float>(rays.GetValue((u + v * 0.35f) * 9.0, 0.3, 0.0)) * 0.5f + 0.5f;
      float light = std::pow(clamp01(shaft), 4.0f) * (1.0f - v) * (1.0f - v) * 0.5f;
      out.at(x, y) = {p.r + light * 0.3f, p.g + light * 0.7f, p.b + light * 0.8f, 1.0f};
    }
  Random rng(seed);
  Plane motes(w, h);
  for (int i = 0; i < 90; ++i)
    motes.drawDisc(rng.range(0, w), rng.range(0, h), rng.range(0.6f, 2.2f), rng.range(0.1f, 0.45f));
  motes = motes.blurred(0.8f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.at(x, y) = over({0.7f, 0.9f, 1.0f, clamp01(motes.at(x, y))}, out.at(x, y));
  return out;
}

// The loading bar: its track spans texture s 0.1 .. 0.9332 in five cells whose borders are
// where the bar reveals the next step; the first and the seventh step each reveal an end mark.
const float kBarLeft = 0.1f, kBarCell = 0.1666f;
const float kBarY = 0.78f, kBarHalfHeight = 7.0f;

float barCellEdge(int i) { return (kBarLeft + kBarCell * i) * TitleArt::kLoaderWidth; }

void placeCentred(Canvas& target, const Canvas& layer, int centreY) {
  target.blendOver(layer, (target.width() - layer.width()) / 2, centreY - layer.height() / 2);
}

Canvas styledCrop(const Plane& ink, const TitleArt::Palette& palette, int margin) {
  Bounds b = inkBounds(ink);
  b = {std::max(0, b.minX - margin), std::max(0, b.minY - margin), std::min(ink.width() - 1, b.maxX + margin),
       std::min(ink.height() - 1, b.maxY + margin)};
  Plane c = cropped(ink, b);
  return TitleArt::styled(c, palette);
}

}  // namespace

Canvas TitleArt::loaderBackground() {
  const int w = kLoaderWidth, h = kLoaderHeight;
  // The 2:1 picture is squeezed onto a 16:9 screen, so its letters are set wider to make up for it.
  const float stretch = (static_cast<float>(w) / h) / (16.0f / 9.0f);
  Canvas out = deepWater(w, h, 5);
  Plane title(w, 200);
  Plane name = bold_.renderFitted("BRINOVA", 110, 620, 84, 0.16f, stretch);
  title.maxInto(name, (w - name.width()) / 2, 60);
  placeCentred(out, styledCrop(title, brinovaPalette(), 36), static_cast<int>(h * 0.42f));
  Plane presents = light_.render("KELVARO DEMOSYS PRESENTS", 18, 5.0f, stretch, 2);
  Canvas small(presents.width(), presents.height());
  for (int y = 0; y < presents.height(); ++y)
    for (int x = 0; x < presents.width(); ++x) small.at(x, y) = {0.75f, 0.9f, 1.0f, presents.at(x, y) * 0.8f};
  placeCentred(out, small, static_cast<int>(h * 0.27f));
  Plane track(w, h);
  float y = h * kBarY;
  for (float dy : {-kBarHalfHeight - 3.0f, kBarHalfHeight + 3.0f})
    track.drawCapsule(barCellEdge(0) - 3.0f, y + dy, barCellEdge(5) + 3.0f, y + dy, 0.6f, 0.55f);
  for (int i = 0; i <= 5; ++i)
    track.drawCapsule(barCellEdge(i), y - kBarHalfHeight - 6, barCellEdge(i), y + kBarHalfHeight + 6, 0.6f,
                      0.55f);
  track.drawRing(0.05f * w, y, 9.0f, 1.0f, 0.6f);
  track.drawRing(0.9666f * w, y, 9.0f, 1.0f, 0.6f);
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px)
      out.at(px, py) = over({0.6f, 0.85f, 0.95f, track.at(px, py)}, out.at(px, py));
  Plane loading = light_.render("LOADING", 14, 6.0f, stretch, 2);
  Canvas label(loading.width(), loading.height());
  for (int py = 0; py < loading.height(); ++py)
    for (int px = 0; px < loading.width(); ++px)
      label.at(px, py) = {0.6f, 0.85f, 0.95f, loading.at(px, py) * 0.7f};
  out.blendOver(label, static_cast<int>(barCellEdge(0)), static_cast<int>(y + 26));
  return out;
}

Canvas TitleArt::loaderBar() {
  const int w = kLoaderWidth, h = kLoaderHeight;
  float y = h * kBarY;
  Plane fill(w, h);
  for (int i = 0; i < 5; ++i)
    for (float row = -kBarHalfHeight; row <= kBarHalfHeight; row += 1.0f)
      fill.drawCapsule(barCellEdge(i) + 5.0f, y + row, barCellEdge(i + 1) - 5.0f, y + row, 0.5f);
  fill.drawDisc(0.05f * w, y, 5.5f);
  fill.drawDisc(0.9666f * w, y, 5.5f);
  Plane glow = fill.blurred(7.0f);
  Canvas out(w, h, {0.4f, 0.9f, 1.0f, 0.0f});
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) {
      float s = static_cast<float>(px) / w;
      Rgba core = mix({0.3f, 0.85f, 1.0f, 1.0f}, {0.9f, 1.0f, 0.95f, 1.0f}, s);
      float shine = 1.0f - std::fabs(py - y) / (kBarHalfHeight + 1.0f) * 0.45f;
      core = {core.r * shine, core.g * shine, core.b * shine, fill.at(px, py)};
      Rgba halo{0.3f, 0.85f, 1.0f, clamp01(glow.at(px, py) * 0.9f)};
      Rgba p = over(core, halo);
      out.at(px, py) = p.a > 0.0f ? p : Rgba{0.4f, 0.9f, 1.0f, 0.0f};
    }
  return out;
}

Canvas TitleArt::banner() {
  const int w = kBannerWidth, h = kBannerHeight;
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float u = static_cast<float>(x) / w, v = static_cast<float>(y) / h;
      Rgba p = mix({0.01f, 0.05f, 0.1f, 1.0f}, {0.02f, 0.2f, 0.28f, 1.0f}, u * (1.0f - 0.5f * v));
      float wave = std::sin(u * 22.0f + std::sin(u * 5.0f) * 1.5f) * 2.5f + h * 0.8f;
      float line = std::exp(-std::pow((y - wave) / 1.2f, 2.0f)) * (0.25f + 0.35f * u);
      out.at(x, y) = {p.r + line * 0.3f, p.g + line * 0.8f, p.b + line * 0.9f, 1.0f};
    }
  Plane word(w, h);
  Plane kelvaro = bold_.render("KELVARO", 24, 1.0f);
  Plane demosys = light_.render("DEMOSYS", 24, 1.5f);
  int top = (h - kelvaro.height()) / 2 - 3;
  word.maxInto(kelvaro, 14, top);
  word.maxInto(demosys, 14 + kelvaro.width() + 9, top);
  out.blendOver(styled(word, kelvaroPalette()), 0, 0);
  Plane brinova = light_.render("BRINOVA", 12, 3.0f);
  for (int y = 0; y < brinova.height(); ++y)
    for (int x = 0; x < brinova.width(); ++x) {
      Rgba& p = out.at(w - 14 - brinova.width() + x, h - 12 - brinova.height() + y);
      p = over({0.55f, 0.95f, 0.95f, brinova.at(x, y) * 0.9f}, p);
    }
  return out;
}
