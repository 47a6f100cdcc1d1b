#include "SpriteArt.h"

#include <noise.h>

#include <cmath>
#include <functional>

namespace {

// r is 0 at the centre and 1 one and a half pixels inside the border; beyond it nothing shows.
Canvas radialSprite(int size, const std::function<Rgba(float r, float dx, float dy)>& shade) {
  Canvas out(size, size);
  float half = size * 0.5f, reach = half - 1.5f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float dx = (x + 0.5f - half) / reach, dy = (y + 0.5f - half) / reach;
      float r = std::sqrt(dx * dx + dy * dy);
      Rgba p = shade(std::min(r, 1.0f), dx, dy);
      if (r >= 1.0f) p.a = 0.0f;
      out.at(x, y) = p;
    }
  return out;
}

float edgeFade(float r) { return (1.0f - r * r) * (1.0f - r * r); }

}  // namespace

Canvas SpriteArt::glow(int size) {
  return radialSprite(size, [](float r, float, float) {
    const Rgba core{1.0f, 0.98f, 0.92f, 1.0f}, rim{0.45f, 0.8f, 1.0f, 1.0f};
    Rgba p = mix(core, rim, smoothstep(0.0f, 0.7f, r));
    p.a = clamp01((0.75f * std::exp(-r * r * 7.0f) + 0.25f * std::exp(-r * r * 2.0f)) * edgeFade(r) * 1.1f);
    return p;
  });
}

Canvas SpriteArt::brightParticle(int size) {
  return radialSprite(size, [](float r, float dx, float dy) {
    // A hot core, a blue halo and a faint four-pointed glint.
    float core = std::exp(-r * r * 90.0f);
    float halo = 0.45f * std::exp(-r * r * 9.0f);
    float glint =
        0.35f * (std::exp(-std::fabs(dx) * 40.0f) + std::exp(-std::fabs(dy) * 40.0f)) * std::exp(-r * 3.5f);
    Rgba p = mix(Rgba{1.0f, 1.0f, 1.0f, 1.0f}, Rgba{0.55f, 0.85f, 1.0f, 1.0f}, smoothstep(0.0f, 0.35f, r));
    p.a = clamp01((core + halo + glint) * edgeFade(r));
    return p;
  });
}

Canvas SpriteArt::darkParticle(int size) {
  return radialSprite(size, [](float r, float, float) {
    Rgba p{0.0f, 0.015f, 0.03f, 0.0f};
    p.a = 0.92f * (1.0f - smoothstep(0.25f, 1.0f, r)) * edgeFade(r) + 0.0f;
    return p;
  });
}

Canvas SpriteArt::puff(int size) {
  noise::module::Perlin perlin;
  perlin.SetSeed(42);
  perlin.SetFrequency(3.0);
  perlin.SetOctaveCount(5);
  perlin.SetPersistence(0.55);
  return radialSprite(size, [&perlin](float r, float dx, float dy) {
    float billow = static_cast<float>(perlin.GetValue(dx, dy, 0.5)) * 0.5f + 0.5f;
    // Lit from above-left: lighter where the puff faces the light.
    float light = clamp01(0.75f - 0.25f * (dx + dy) + 0.25f * billow);
    Rgba p{0.72f * light + 0.2f, 0.8f * light + 0.18f, 0.86f * light + 0.14f, 0.0f};
    float body = 1.0f - smoothstep(0.15f, 1.0f, r + 0.25f * (billow - 0.5f));
    p.a = clamp01(body * (0.35f + 0.75f * billow) * edgeFade(r));
    return p;
  });
}
