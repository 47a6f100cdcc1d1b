#pragma once

#include <string>

#include "Canvas.h"
#include "Plane.h"
#include "TextRenderer.h"

// Everything with letters: the credit names, the two logos, their dye versions for the fluid,
// the loading screen and the launcher banner. One typeface family (DejaVu Sans Bold and
// ExtraLight) and one treatment: a vertical gradient fill, a dark outline and a soft glow.
class TitleArt {
 public:
  struct Palette {
    Rgba top, bottom, outline, glow;
  };
  static const int kTitleWidth = 1024;
  static const int kTitleHeight = 256;
  static const int kDyeSize = 256;
  static const int kLoaderWidth = 1024;
  static const int kLoaderHeight = 512;
  static const int kBannerWidth = 390;
  static const int kBannerHeight = 49;

  bool open(const std::string& fontDir);
  const std::string& error() const { return error_; }

  // Coverage masks of the size kTitleWidth x kTitleHeight.
  Plane creditInk(const std::string& name);
  Plane kelvaroInk();
  Plane brinovaInk();

  static Canvas styled(const Plane& ink, const Palette& palette);
  // The dye version: the ink fitted into a kDyeSize square, opaque colours on black.
  static Canvas dye(const Plane& ink, const Rgba& top, const Rgba& bottom);

  // As they should appear on screen (upright).
  Canvas loaderBackground();
  Canvas loaderBar();
  Canvas banner();

  static Palette creditPalette();
  static Palette kelvaroPalette();
  static Palette brinovaPalette();

 private:
  TextRenderer bold_;
  TextRenderer light_;
  std::string error_;
};
