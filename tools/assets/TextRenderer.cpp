#include "TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

TextRenderer::TextRenderer() { FT_Init_FreeType(&library_); }

TextRenderer::~TextRenderer() {
  if (face_) FT_Done_Face(face_);
  if (library_) FT_Done_FreeType(library_);
}

bool TextRenderer::open(const std::string& fontPath) {
  if (face_) FT_Done_Face(face_);
  face_ = nullptr;
  if (!library_ || FT_New_Face(library_, fontPath.c_str(), 0, &face_) != 0) {
    face_ = nullptr;
    error_ = "Cannot open font '" + fontPath + "'";
    return false;
  }
  return true;
}

Plane TextRenderer::render(const std::string& text, int pixelHeight, float tracking, float stretchX,
                           int margin) {
  if (!face_) return Plane(1, 1);
  FT_Set_Pixel_Sizes(face_, 0, pixelHeight);
  FT_Matrix matrix = {static_cast<FT_Fixed>(std::lround(stretchX * 65536.0)), 0, 0, 0x10000};
  FT_Set_Transform(face_, &matrix, nullptr);
  int canvasW = static_cast<int>((text.size() + 2) * pixelHeight * (1.2f * stretchX) +
                                 text.size() * std::fabs(tracking));
  int canvasH = pixelHeight * 2;
  int baseline = pixelHeight * 3 / 2;
  Plane ink(canvasW, canvasH);
  float penX = static_cast<float>(pixelHeight) * 0.5f;
  FT_UInt previous = 0;
  for (unsigned char c : text) {
    FT_UInt glyph = FT_Get_Char_Index(face_, c);
    if (previous && glyph) {
      FT_Vector kern;
      FT_Get_Kerning(face_, previous, glyph, FT_KERNING_DEFAULT, &kern);
      penX += kern.x / 64.0f * stretchX;
    }
    if (FT_Load_Glyph(face_, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
    FT_GlyphSlot slot = face_->glyph;
    int left = static_cast<int>(std::lround(penX)) + slot->bitmap_left;
    int top = baseline - slot->bitmap_top;
    for (unsigned row = 0; row < slot->bitmap.rows; ++row)
      for (unsigned col = 0; col < slot->bitmap.width; ++col) {
        int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
        if (x < 0 || y < 0 || x >= canvasW || y >= canvasH) continue;
        float v = slot->bitmap.buffer[row * slot->bitmap.pitch + col] / 255.0f;
        ink.at(x, y) = std::max(ink.at(x, y), v);
      }
    penX += slot->advance.x / 64.0f + tracking;
    previous = glyph;
  }
  int minX = canvasW, minY = canvasH, maxX = -1, maxY = -1;
  for (int y = 0; y < canvasH; ++y)
    for (int x = 0; x < canvasW; ++x)
      if (ink.at(x, y) > 0.0f) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  if (maxX < 0) return Plane(1 + 2 * margin, 1 + 2 * margin);
  Plane cropped(maxX - minX + 1 + 2 * margin, maxY - minY + 1 + 2 * margin);
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) cropped.at(x - minX + margin, y - minY + margin) = ink.at(x, y);
  return cropped;
}

Plane TextRenderer::renderFitted(const std::string& text, int maxPixelHeight, int maxWidth, int maxHeight,
                                 float trackingEm, float stretchX, int margin) {
  int size = maxPixelHeight;
  Plane ink = render(text, size, trackingEm * size, stretchX, margin);
  for (int attempt = 0; attempt < 4; ++attempt) {
    float fit = std::min(static_cast<float>(maxWidth) / (ink.width() - 2 * margin),
                         static_cast<float>(maxHeight) / (ink.height() - 2 * margin));
    if (fit >= 1.0f) break;
    size = std::max(4, static_cast<int>(size * fit * 0.99f));
    ink = render(text, size, trackingEm * size, stretchX, margin);
  }
  return ink;
}
