#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/VBODynamic.h"
#include "demosys/math/Matrix4.h"
#include "demosys/scene/KVRMesh.h"
#include "effects/GridCulling.h"
#include "effects/UnderwaterGeometry.h"
#include "support/GLTestContext.h"

namespace {

const int CELLS = 48;
const int SIZE = 96;

// Renders the ground from a camera standing on it, white on black; `drawGround` sends it.
std::vector<uint8_t> render(float heading, const std::function<void()>& drawGround) {
  FBO target(SIZE, SIZE, true, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  bind(&target);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, 1.0, 1.0, 30.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(15.0f, 1, 0, 0);
  glRotatef(heading, 0, 1, 0);
  glTranslatef(3.0f, -6.0f, 5.0f);
  glColor4f(1, 1, 1, 1);
  drawGround();
  std::vector<uint8_t> pixels = GLTestContext::readPixels(0, 0, SIZE, SIZE);
  bind(nullptr);
  return pixels;
}

}  // namespace

// Culling must never change the picture: the culled ground equals the whole ground from
// every heading, while far fewer polygons are sent.
TEST(GridCullingGLTest, CulledGroundLooksLikeTheWholeGround) {
  // The seabed's own ground of separate quads, one cell per unit over -24..24 in x and z.
  KVRMesh seabed(4 * CELLS * CELLS, CELLS * CELLS, 4);
  UnderwaterSurface ground;
  UnderwaterGeometry::buildSeabed(seabed, ground, CELLS, CELLS);
  VBODynamic mesh(ground.geometry());
  const GridCulling culling(ground.positions, 4, CELLS, 8);
  for (float heading : {0.0f, 70.0f, 135.0f, 250.0f}) {
    int sent = 0;
    const std::vector<uint8_t> whole = render(heading, [&] { mesh.draw(GL_QUADS, 0, 0); });
    const std::vector<uint8_t> culled = render(heading, [&] {
      Matrix4 modelView, projection;
      glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
      glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
      const std::vector<PolygonRange> ranges = culling.visibleRanges(projection * modelView);
      for (const PolygonRange& range : ranges) sent += range.count;
      mesh.drawRanges(GL_QUADS, ranges);
    });
    EXPECT_EQ(whole, culled) << "heading " << heading;
    EXPECT_GT(std::count(whole.begin(), whole.end(), 255), SIZE * SIZE) << "the ground is in view";
    EXPECT_LT(sent, CELLS * CELLS / 2) << "heading " << heading;
  }
  // Runs reaching past either end of the mesh draw only what exists; empty runs draw nothing.
  const std::vector<uint8_t> overhanging = render(0.0f, [&] {
    mesh.drawRanges(GL_QUADS, {PolygonRange{-5, 10}, PolygonRange{7, -3}, PolygonRange{3, CELLS * CELLS}});
  });
  EXPECT_EQ(render(0.0f, [&] { mesh.draw(GL_QUADS, 0, 0); }), overhanging);
  GLTestContext::metrics()->apply();
  glLoadIdentity();
  mesh.release();
  EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}
