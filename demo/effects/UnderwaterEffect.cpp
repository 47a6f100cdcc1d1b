#include "effects/UnderwaterEffect.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Camera.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/VBO.h"
#include "demosys/gl/VBODynamic.h"
#include "demosys/math/Matrix4.h"
#include "demosys/scene/KVRMesh.h"
#include "effects/GridCulling.h"
#include "effects/NoisePath.h"
#include "effects/TrackValue.h"
#include "effects/UnderwaterGeometry.h"

namespace {

const int32_t OCEAN_GRID = 64;
const int32_t SEABED_GRID = 256;
const int32_t WORLD_SIZE = 200;
// Seabed cells per side of a culling block: 256 blocks, small enough to follow the view's edge.
const int32_t SEABED_BLOCK = 16;
const int32_t RIBBON_COUNT = 20;
const int32_t RIBBON_POINTS = 100;
// One texel of the 1024-wide scene targets: the edge filters' sampling step.
const float VIEWPORT_STEP = 1.0f / 1024.0f;

void setFour(float* to, float a, float b, float c, float d) {
  to[0] = a;
  to[1] = b;
  to[2] = c;
  to[3] = d;
}

// The edge filters read whole texels at texel centres, where linear filtering gives the texel
// itself; nearest sampling gives the same picture at half the cost in a software rasteriser.
// The texture's own filter comes back when the pass is over, for the effects that scale it.
class TexelSampling {
 public:
  explicit TexelSampling(Texture* texture) : texture(texture), filter(texture ? texture->getFilter() : 0) {
    if (texture) texture->setFilter(GL_NEAREST);
  }
  ~TexelSampling() {
    if (texture) texture->setFilter(filter);
  }

 private:
  Texture* texture;
  GLenum filter;
};

void deleteBuffer(VBODynamic* buffer) {
  if (!buffer) return;
  buffer->release();
  delete buffer;
}

}  // namespace

struct UnderwaterEffect::SeabedBuild {
  std::unique_ptr<KVRMesh> mesh;
  UnderwaterSurface surface;
  std::unique_ptr<GridCulling> culling;
};

// Prototypes never ran init and hold nothing; instances free what init made.
UnderwaterEffect::~UnderwaterEffect() {
  for (NoisePath* ribbon : ribbons) delete ribbon;
  delete[] materialShininess;
  if (debris) debris->release();
  delete debris;
  deleteBuffer(oceanBuffer);
  deleteBuffer(seabedBuffer);
  delete oceanMesh;
  delete seabedMesh;
  delete seabedCulling;
}

void UnderwaterEffect::preDraw(uint32_t time) {}

void UnderwaterEffect::postDraw(uint32_t time) {}

void UnderwaterEffect::prepareAhead() {
  if (!seabedAhead.valid()) seabedAhead = std::async(std::launch::async, buildSeabed).share();
}

// The seabed started by prepareAhead is the same for every instance, so the clone may take it.
Effect* UnderwaterEffect::clone() {
  UnderwaterEffect* effect = new UnderwaterEffect();
  effect->seabedAhead = std::move(seabedAhead);
  return effect;
}

void UnderwaterEffect::createTracks() {
  NewTrack("wave_time", waveTime);
  NewTrack("ribbons_noise_offset", ribbonsNoiseOffset);
  NewTrack("num_ribs", numRibs);
  NewTrack("num_ribs_verts", numRibsVerts);
  NewTrack("deb_size", debSize);
}

void UnderwaterEffect::init() {
  scroll0 = scroll1 = scroll2 = 0.0f;
  setFour(lightAmbient, 0, 0, 0, 1);
  setFour(lightDiffuse, 1, 1, 1, 1);
  setFour(lightSpecular, 1, 1, 1, 1);
  setFour(lightPosition, 0, 0, 0, 0);
  setFour(materialAmbient, 0, 0, 0, 1);
  setFour(materialDiffuse, 1, 1, 1, 1);
  setFour(materialSpecular, 1, 1, 1, 1);
  worldSize = WORLD_SIZE;
  delete[] materialShininess;
  materialShininess = new float[1]{127.0f};
  CreateDebris();
  for (Texture* texture : {waveNormals0, waveNormals1, waveNormals2, oceanTexture})
    if (texture) texture->setWrap(GL_REPEAT);
  CreateOcean();
  CreateSeabed();
  CreateRibbons();
}

void UnderwaterEffect::CreateDebris() {
  using UnderwaterGeometry::randomRange;
  debris = new VBO(16, 128, true, false, false, false);
  float* positions = debris->mapPositions(GL_WRITE_ONLY);
  float* colours = debris->mapColours(GL_WRITE_ONLY);
  for (int32_t i = 0; positions && colours && i < debris->getPointCount(); ++i) {
    const float r1 = randomRange(-0.5f, 0.5f);
    const float r2 = randomRange(0.0f, 1.0f);
    const float r3 = randomRange(-0.5f, 0.5f);
    positions[i * 3 + 0] = r3 * 200.0f;
    positions[i * 3 + 1] = r2 * 10.0f + 2.0f;
    positions[i * 3 + 2] = r1 * 200.0f;
    const float r4 = randomRange(0.0f, 1.0f);
    colours[i * 3 + 0] = colours[i * 3 + 1] = colours[i * 3 + 2] = r4;
  }
  debris->unmapColours();
  debris->unmapPositions();
}

void UnderwaterEffect::CreateOcean() {
  gridSize = OCEAN_GRID;
  oceanMesh = new KVRMesh(gridSize * gridSize, (gridSize - 1) * (gridSize - 1), 4);
  UnderwaterSurface surface;
  UnderwaterGeometry::buildOcean(*oceanMesh, surface, gridSize, worldSize);
  oceanBuffer = new VBODynamic(surface.geometry());
}

std::shared_ptr<UnderwaterEffect::SeabedBuild> UnderwaterEffect::buildSeabed() {
  auto build = std::make_shared<SeabedBuild>();
  build->mesh = std::make_unique<KVRMesh>(4 * SEABED_GRID * SEABED_GRID, SEABED_GRID * SEABED_GRID, 4);
  UnderwaterGeometry::buildSeabed(*build->mesh, build->surface, SEABED_GRID, WORLD_SIZE);
  build->culling = std::make_unique<GridCulling>(build->surface.positions, 4, SEABED_GRID, SEABED_BLOCK);
  return build;
}

void UnderwaterEffect::CreateSeabed() {
  gridSize = SEABED_GRID;
  std::shared_ptr<SeabedBuild> build = seabedAhead.valid() ? seabedAhead.get() : buildSeabed();
  seabedAhead = {};
  seabedMesh = build->mesh.release();
  seabedBuffer = new VBODynamic(build->surface.geometry());
  delete seabedCulling;
  seabedCulling = build->culling.release();
}

void UnderwaterEffect::CreateRibbons() {
  maxRibbons = RIBBON_COUNT;
  maxRibbonPoints = RIBBON_POINTS;
  for (int32_t i = 0; i < maxRibbons; ++i) {
    const int seed = std::rand();
    ribbons.push_back(new NoisePath(0.0f, 0.0f, 0.0f, 0.01f, maxRibbonPoints, seed));
  }
}

void UnderwaterEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  bind(sceneFBO);
  markUsed(sceneFBO);
  setLightAndMaterial();
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  if (KVRDemosys::tracks && KVRDemosys::tracks->IsInstanceActive("camera")) KVRDemosys::camera.update();
  glTranslatef(0.0f, -1.5f, 0.0f);
  drawSeabed(time);
  glTranslatef(0.0f, 5.5f, 0.0f);
  drawOcean();
  advanceScroll(delta);
  glTranslatef(0.0f, -7.0f, 0.0f);
  drawRibbons(time);
  glDisable(GL_DEPTH_TEST);
  drawEdges();
  drawDilated(target);
  drawDebris(time, target);
}

void UnderwaterEffect::setLightAndMaterial() {
  glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
  glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.5f);
  glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, materialAmbient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, materialDiffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, materialSpecular);
  if (materialShininess) glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, materialShininess);
}

void UnderwaterEffect::drawSeabed(uint32_t time) {
  pointLightShader->bind();
  pointLightShader->setUniform("wave_time", trackValue(waveTime, time));
  Matrix4 modelView, projection;
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
  glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
  seabedBuffer->drawRanges(GL_QUADS, seabedCulling->visibleRanges(projection * modelView));
  pointLightShader->unbind();
}

void UnderwaterEffect::drawOcean() {
  wavesShader->bind();
  wavesShader->bindTexture(0, "tex0", waveNormals0);
  wavesShader->bindTexture(1, "tex1", waveNormals1);
  wavesShader->bindTexture(2, "tex2", waveNormals2);
  wavesShader->bindTexture(3, "tex3", oceanTexture);
  wavesShader->setUniform("scroll0", scroll0);
  wavesShader->setUniform("scroll1", scroll1);
  wavesShader->setUniform("scroll2", scroll2);
  oceanBuffer->draw(GL_QUADS, 0, 0);
  wavesShader->unbind();
}

void UnderwaterEffect::advanceScroll(uint32_t delta) {
  scroll0 = static_cast<float>(scroll0 + 0.00002 * delta);
  scroll1 = static_cast<float>(scroll1 - 0.0001 * delta);
  scroll2 = static_cast<float>(scroll2 + 0.00004 * delta);
}

// Every ribbon sways with the same offsets (their seeds differ); the half-width keeps growing
// from ribbon to ribbon within the frame. The quads use the curves' x and z only, and the
// offset read at half the time moves nothing but y, so neither is computed.
void UnderwaterEffect::drawRibbons(uint32_t time) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_CULL_FACE);
  const int32_t count = std::min(UnderwaterGeometry::ribbonCount(trackValue(numRibs, time), maxRibbons),
                                 static_cast<int32_t>(ribbons.size()));
  const int32_t points =
      UnderwaterGeometry::ribbonPointCount(trackValue(numRibsVerts, time), maxRibbonPoints);
  const float late = trackValue(ribbonsNoiseOffset, static_cast<uint32_t>(static_cast<uint64_t>(2.0 * time)));
  const float now = trackValue(ribbonsNoiseOffset, time);
  std::vector<Vec3f> vertices;
  vertices.reserve(static_cast<size_t>(count) * points * 4);
  float halfWidth = 0.01f;
  for (int32_t i = 0; i < count; ++i) {
    ribbons[i]->RegenerateXZ(now, late, points);
    halfWidth = UnderwaterGeometry::appendRibbon(ribbons[i]->GetPoints(), points, halfWidth, vertices);
  }
  glBegin(GL_QUADS);
  for (const Vec3f& v : vertices) glVertex3f(v.x, v.y, v.z);
  glEnd();
  glEnable(GL_CULL_FACE);
}

void UnderwaterEffect::drawEdges() {
  bind(edgesFBO);
  markUsed(edgesFBO);
  laplaceShader->bind();
  const TexelSampling exact(getColorTexture(sceneFBO, 0));
  laplaceShader->bindTexture(0, "Texture", getColorTexture(sceneFBO, 0));
  laplaceShader->setUniform("viewportStep", VIEWPORT_STEP);
  laplaceShader->setUniform("contrast", 2.0f);
  laplaceShader->setUniform("color", 1.0f, 1.0f, 1.0f);
  drawTexture(sceneFBO);
  laplaceShader->unbind();
}

void UnderwaterEffect::drawDilated(FBO* target) {
  bind(target);
  markUsed(target);
  dilateShader->bind();
  // Into a smaller target the linear filter also averages the texels a pixel covers, which
  // keeps the thin lines smooth; only a target of the same size may sample whole texels.
  const bool sameSize = getWidth(target) == getWidth(edgesFBO) && getHeight(target) == getHeight(edgesFBO);
  const TexelSampling exact(sameSize ? getColorTexture(edgesFBO, 0) : nullptr);
  dilateShader->bindTexture(0, "Texture", getColorTexture(edgesFBO, 0));
  dilateShader->setUniform("viewportStep", VIEWPORT_STEP);
  drawTexture(edgesFBO);
  dilateShader->unbind();
}

void UnderwaterEffect::drawDebris(uint32_t time, FBO* target) {
  debris->setPointSize(trackValue(debSize, time), static_cast<float>(getWidth(target)));
  debris->drawSprites(spriteShader, puffTexture, -1.0f);
}
