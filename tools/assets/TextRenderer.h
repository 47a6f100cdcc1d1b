#pragma once

#include <string>

#include "Plane.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// Sets a line of text with FreeType into a coverage plane cropped to the ink plus a margin.
class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  bool open(const std::string& fontPath);
  // tracking: extra pixels between letters; stretchX widens the glyphs (1 = as designed).
  Plane render(const std::string& text, int pixelHeight, float tracking = 0.0f, float stretchX = 1.0f,
               int margin = 0);
  // Renders at the largest size (up to maxPixelHeight) whose ink fits into maxWidth x maxHeight.
  Plane renderFitted(const std::string& text, int maxPixelHeight, int maxWidth, int maxHeight,
                     float trackingEm = 0.0f, float stretchX = 1.0f, int margin = 0);
  const std::string& error() const { return error_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  std::string error_;
};
