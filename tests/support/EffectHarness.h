#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class Effect;
class FBO;
class Shader;
class Texture;
class TrackInterpolate;

// Drives effect instances the way the demo does, inside the shared GL context: pools and track
// data of their own, shaders from the build tree's staged resources, instances stepped by
// TrackData::Step, pictures read back from framebuffer objects.
namespace EffectHarness {
// Fresh pools and track data, the staged resources as file source, the test window's metrics.
void begin();
// Everything made since begin() is deleted and the engine state put back, depth test and culling
// off again (an effect leaves them on, as the frame loop wants them).
void end();

// Loads "<base>.vert/.frag" into the shader pool; null (with a test failure) when it does not build.
Shader* loadShader(const std::string& poolName, const std::string& baseName);
// A production picture from build/resources/graphics, into the texture pool.
Texture* loadPicture(const std::string& name, const std::string& file, GLenum target, bool mipmapped);
// A texture from pixels given top row first (as a PNG stores them), 3 or 4 channels.
Texture* makeTexture(const std::string& name, int width, int height, int channels,
                     const std::vector<uint8_t>& topDownPixels, GLenum target = GL_TEXTURE_2D,
                     bool mipmapped = false);
FBO* addFBO(const std::string& name, int width, int height, bool depth = false);

// Clears `fbo` (null: the screen) to a colour in bytes, depth included; with a width, only the
// block from (x, y), scissored, and not its depth.
void fill(FBO* fbo, uint8_t r, uint8_t g, uint8_t b, int x = 0, int y = 0, int width = 0, int height = 0);
// Draws `texture` over the whole of `fbo`.
void paint(FBO* fbo, Texture* texture);
// One pixel's red, green and blue.
std::vector<int> pixel(FBO* fbo, int x, int y);

// What `fbo` (null: the window) holds, RGBA rows bottom to top, with the mean brightness that
// tells a picture from an empty one and finds its subject.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  // Mean luminance (0 to 255) of the block [x0, x1) x [y0, y1), or of the whole picture.
  double mean(int x0, int y0, int x1, int y1) const;
  double mean() const { return mean(0, 0, width, height); }
};
Picture grab(FBO* fbo);
// A grading effect (PostProcessEffect, GlowEffect, RadialBlurEffect or CreditsEffect) with the
// production's shaders and its framebuffer objects, width x height, under their production names;
// `pictures` hands it the pictures it reads, then it is initialised and registered with its tracks,
// active from row 0 on, drawing into `target`.
template <class GradingEffect>
GradingEffect* makeGrading(int width, int height, FBO* target,
                           const std::function<void(GradingEffect&)>& pictures);

// Constant values from row 0 on.
void setValues(std::initializer_list<std::pair<TrackInterpolate*, float>> values);
// One frame of the track system at `timeMs` with `deltaMs` since the previous one.
void step(uint32_t timeMs, uint32_t deltaMs);

// A test between begin() and end().
class Test : public testing::Test {
 protected:
  void SetUp() override { begin(); }
  void TearDown() override { end(); }
};
}  // namespace EffectHarness
