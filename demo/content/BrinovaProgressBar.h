#pragma once

#include "demosys/runtime/ProgressBar.h"

class Texture;

// Brinova's loading screen: the background picture, with the bar picture revealed from the
// left in seven stages as loading advances.
class BrinovaProgressBar : public ProgressBar {
 public:
  ~BrinovaProgressBar() override;
  void init() override;
  void draw() override;

  // Right edges (device units) of the reveal quads for `current` of `total` steps.
  static std::vector<float> revealEdges(int32_t current, int32_t total);

 protected:
  void paint() override;

 private:
  Texture* background = nullptr;
  Texture* bar = nullptr;
};
