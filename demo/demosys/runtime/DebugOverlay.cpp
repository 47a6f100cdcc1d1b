#include "demosys/runtime/DebugOverlay.h"

#include <GL/glew.h>

#include <cctype>
#include <cstdio>

#include "demosys/core/TimeCode.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"

namespace {

constexpr int GLYPH_COLUMNS = 5;
constexpr int GLYPH_ROWS = 7;
// Screen pixels per font pixel, and the gaps, in font pixels.
constexpr int SCALE = 2;
constexpr int LETTER_GAP = 1;
constexpr int LINE_GAP = 3;
constexpr int MARGIN = 4;

struct Glyph {
  char character;
  // Top row first, the leftmost pixel in bit 4.
  uint8_t rows[GLYPH_ROWS];
};

const Glyph FONT[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {30, 17, 17, 17, 17, 17, 30}},
    {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
    {'I', {14, 4, 4, 4, 4, 4, 14}},      {'J', {7, 2, 2, 2, 2, 18, 12}},
    {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'P', {30, 17, 17, 30, 16, 16, 16}},
    {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'U', {17, 17, 17, 17, 17, 17, 14}}, {'V', {17, 17, 17, 17, 17, 10, 4}},
    {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},
    {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {31, 2, 4, 2, 1, 17, 14}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},
    {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
    {':', {0, 12, 12, 0, 12, 12, 0}},    {'_', {0, 0, 0, 0, 0, 0, 31}},
    {'-', {0, 0, 0, 31, 0, 0, 0}},       {'.', {0, 0, 0, 0, 0, 12, 12}},
    {'>', {8, 4, 2, 1, 2, 4, 8}},        {'?', {14, 17, 1, 2, 4, 0, 4}},
};

const Glyph* findGlyph(char character) {
  for (const Glyph& glyph : FONT)
    if (glyph.character == character) return &glyph;
  return nullptr;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::vector<std::string> DebugOverlay::describe(uint32_t time, uint32_t row, bool paused,
                                                const TrackData* tracks) {
  const std::string clock = TimeCode::fromMilliseconds(time).format();
  // The format's bracketed mm:ss:mmm part, the way the timeline text writes times.
  const std::string shown = clock.substr(clock.find('[') + 1, 9);
  const uint32_t beats = time / BEAT_MS;
  std::vector<std::string> lines;
  lines.push_back("TIME " + shown + "  ROW " + std::to_string(row));
  lines.push_back("BAR " + std::to_string(beats / BEATS_PER_BAR + 1) + "  BEAT " +
                  std::to_string(beats % BEATS_PER_BAR + 1));
  if (paused) lines.push_back("PAUSED");
  if (tracks)
    for (const EffectTrackSet* set : tracks->active) lines.push_back("> " + upper(set->name));
  return lines;
}

void DebugOverlay::draw(const std::vector<std::string>& lines, int windowWidth, int windowHeight) const {
  if (!visible) return;
  glPushAttrib(GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
  glUseProgram(0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glViewport(0, 0, windowWidth, windowHeight);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  // Window pixels, y down, so that lines run from the top.
  glOrtho(0, windowWidth, windowHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const int lineHeight = (GLYPH_ROWS + LINE_GAP) * SCALE;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int top = MARGIN + static_cast<int>(i) * lineHeight;
    // A dark band behind each line keeps it readable over bright frames.
    glColor3f(0.0f, 0.0f, 0.0f);
    glRecti(0, top - SCALE,
            MARGIN * 2 + static_cast<int>(lines[i].size()) * (GLYPH_COLUMNS + LETTER_GAP) * SCALE,
            top + (GLYPH_ROWS + 1) * SCALE);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawText(lines[i], MARGIN, top);
  }
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}

void DebugOverlay::drawText(const std::string& text, int left, int top) {
  for (char character : text) {
    drawGlyph(character, left, top);
    left += (GLYPH_COLUMNS + LETTER_GAP) * SCALE;
  }
}

void DebugOverlay::drawGlyph(char character, int left, int top) {
  if (character == ' ') return;
  const Glyph* glyph = findGlyph(character);
  if (!glyph) glyph = findGlyph('?');
  for (int row = 0; row < GLYPH_ROWS; ++row)
    for (int column = 0; column < GLYPH_COLUMNS; ++column)
      if (glyph->rows[row] & (1u << (GLYPH_COLUMNS - 1 - column)))
        glRecti(left + column * SCALE, top + row * SCALE, left + (column + 1) * SCALE,
                top + (row + 1) * SCALE);
}
