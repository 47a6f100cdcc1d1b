#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The loading bar: counts steps and redraws the whole screen at each one, so it shows while
// no frame loop runs yet. The engine's own bar is a white frame with a white fill.
class ProgressBar {
 public:
  ProgressBar();
  ProgressBar(float height, float width, float y, int32_t total);
  virtual ~ProgressBar() = default;

  // Draws the whole screen and swaps buffers.
  virtual void draw();
  // Prepares what draw() needs; called once before the first draw.
  virtual void init() {}

  void setTotal(int32_t steps) { total = steps; }
  void step();
  int32_t getCurrent() const { return current; }
  int32_t getTotal() const { return total; }
  float getProgress() const { return progress; }
  int fileCount() const { return static_cast<int>(files.size()); }
  const std::string& file(int index) const { return files[index]; }
  // Left and right x of the fill for the current progress, in device units.
  float fillLeft() const;
  float fillRight() const;

 protected:
  // The picture of draw(), without the swap.
  virtual void paint();

  float height;
  float width;
  float y;
  float progress;
  int32_t total;
  int32_t current;
  // Resource paths the bar loads itself; the pack script lists them.
  std::vector<std::string> files;
};
