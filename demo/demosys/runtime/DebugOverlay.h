#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TrackData;

// A few lines of text in the window's top left corner for the demo maker: the time, row, bar
// and beat, whether the clock is paused, and the instances drawing in this frame. Drawn with
// the fixed-function pipeline in a built-in 5x7 pixel font, so it needs no resource.
class DebugOverlay {
 public:
  // 120 beats a minute, four to the bar: the production's grid.
  static constexpr uint32_t BEAT_MS = 500;
  static constexpr uint32_t BEATS_PER_BAR = 4;

  void toggle() { visible = !visible; }
  bool isVisible() const { return visible; }
  // "TIME 01:10:000  ROW 1400", "BAR 36  BEAT 1" (both counted from 1), "PAUSED" while paused,
  // then one line per active instance, in drawing order.
  static std::vector<std::string> describe(uint32_t time, uint32_t row, bool paused, const TrackData* tracks);
  // Into the window of the given size, over whatever the frame drew.
  void draw(const std::vector<std::string>& lines, int windowWidth, int windowHeight) const;

 private:
  static void drawText(const std::string& text, int left, int top);
  static void drawGlyph(char glyph, int left, int top);

  bool visible = false;
};
