#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

class TextRenderer;

// One picture of every generated image with its file name, for reviewing the art at a glance.
// Transparent images sit on a checkerboard; strips are stretched to a visible height.
class ContactSheet {
 public:
  struct Entry {
    std::string label;
    const Canvas* image;
  };
  static Canvas compose(const std::vector<Entry>& entries, TextRenderer& font);
};
