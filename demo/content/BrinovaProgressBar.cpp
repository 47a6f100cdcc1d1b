#include "content/BrinovaProgressBar.h"

#include <GL/glew.h>
#include <algorithm>
#include <SDL/SDL.h>

#include "demosys/gl/Texture.h"
#include "demosys/gl/TextureLoader.h"

namespace {

const char* const kBackgroundPath = "resources/graphics/Loader1.png";
const char* const kBarPath = "resources/graphics/Loader2.png";

void texturedQuad(float right, float textureRight) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, 1);
  glTexCoord2f(textureRight, 0);
  glVertex2f(right, 1);
  glTexCoord2f(textureRight, 1);
  glVertex2f(right, -1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, -1);
  glEnd();
}

}  // namespace

BrinovaProgressBar::~BrinovaProgressBar() {
  delete background;
  delete bar;
}

void BrinovaProgressBar::init() {
  background = loadTexture(kBackgroundPath, GL_TEXTURE_2D, false);
  bar = loadTexture(kBarPath, GL_TEXTURE_2D, false);
  files.push_back(kBackgroundPath);
  files.push_back(kBarPath);
}

std::vector<float> BrinovaProgressBar::revealEdges(int32_t current, int32_t total) {
  std::vector<float> edges;
  float reached = 0.0f;
  int stage = 0;
  while (static_cast<float>(current) > reached) {
    edges.push_back(static_cast<float>(stage) * 0.3332f - 0.8f);
    if (stage != 6) ++stage;
    reached += static_cast<float>(total / 7.0);
  }
  return edges;
}

void BrinovaProgressBar::draw() {
  paint();
  SDL_GL_SwapBuffers();
}

void BrinovaProgressBar::paint() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(1, 1, 1, 1);
  // A picture that did not load is skipped rather than drawn through a missing texture.
  if (background) {
    background->bind();
    texturedQuad(1.0f, 1.0f);
    background->unbind();
  }
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (bar) {
    bar->bind();
    glPushMatrix();
    std::vector<float> edges = revealEdges(current, total);
    for (size_t i = 0; i < edges.size(); ++i) texturedQuad(edges[i], 0.1666f * std::min<size_t>(i, 6) + 0.1f);
    glPopMatrix();
    bar->unbind();
  }
  glDisable(GL_BLEND);
  glDisable(GL_COLOR_MATERIAL);
}
