#include "ContactSheet.h"

#include <algorithm>

#include "TextRenderer.h"

namespace {

const int kColumns = 6, kCell = 300, kThumb = 272, kLabel = 26;

Canvas thumbnail(const Canvas& image) {
  float fit =
      std::min(static_cast<float>(kThumb) / image.width(), static_cast<float>(kThumb) / image.height());
  int w = std::max(1, static_cast<int>(image.width() * fit)),
      h = std::max(1, static_cast<int>(image.height() * fit));
  if (h < 40) h = 40;  // strips (the kernel, the tone curve) become bars
  Canvas thumb = image.resized(w, h);
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float check = ((x / 12) + (y / 12)) % 2 ? 0.32f : 0.22f;
      out.at(x, y) = over(thumb.at(x, y), {check, check, check, 1.0f});
    }
  return out;
}

}  // namespace

Canvas ContactSheet::compose(const std::vector<Entry>& entries, TextRenderer& font) {
  int rows = (static_cast<int>(entries.size()) + kColumns - 1) / kColumns;
  Canvas sheet(kColumns * kCell, rows * (kCell + kLabel), {0.08f, 0.09f, 0.1f, 1.0f});
  for (size_t i = 0; i < entries.size(); ++i) {
    int cx = static_cast<int>(i % kColumns) * kCell, cy = static_cast<int>(i / kColumns) * (kCell + kLabel);
    Canvas thumb = thumbnail(*entries[i].image);
    sheet.blendOver(thumb, cx + (kCell - thumb.width()) / 2, cy + (kCell - thumb.height()) / 2);
    Plane text = font.render(entries[i].label, 14, 0.0f, 1.0f, 1);
    Canvas label(text.width(), text.height());
    for (int y = 0; y < text.height(); ++y)
      for (int x = 0; x < text.width(); ++x) label.at(x, y) = {0.9f, 0.92f, 0.95f, text.at(x, y)};
    sheet.blendOver(label, cx + (kCell - label.width()) / 2, cy + kCell);
  }
  return sheet;
}
