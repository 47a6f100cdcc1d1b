#include "demosys/runtime/ProgressBar.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

namespace {

void quad(float left, float right, float bottom, float top) {
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glVertex2f(left, top);
  glEnd();
}

}  // namespace

ProgressBar::ProgressBar() : ProgressBar(0.125f, 1.8f, -0.9f, 1) {}

ProgressBar::ProgressBar(float height, float width, float y, int32_t total)
    : height(height), width(width), y(y), progress(0.0f), total(total), current(0) {}

void ProgressBar::step() {
  if (current == total) return;
  progress = static_cast<float>(current) / static_cast<float>(total);
  ++current;
  draw();
}

float ProgressBar::fillLeft() const { return -width / 2 + 0.015f; }

float ProgressBar::fillRight() const { return fillLeft() + (width - 0.03f) * progress; }

void ProgressBar::draw() {
  paint();
  SDL_GL_SwapBuffers();
}

void ProgressBar::paint() {
  const float w = width, h = height;
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);

  glColor3f(1, 1, 1);
  quad(-w / 2, w / 2, y - h / 2, y + h / 2);
  glColor3f(0, 0, 0);
  quad(-w / 2 + 0.01f, w / 2 - 0.01f, y - h / 2 + 0.012f, y + h / 2 - 0.012f);
  glColor3f(1, 1, 1);
  quad(fillLeft(), fillRight(), y - h / 2 + 0.019f, y + h / 2 - 0.019f);

  glColor3f(1, 1, 1);
  glDisable(GL_COLOR_MATERIAL);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}
