#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <vector>

#include "demosys/runtime/Effect.h"

class FBO;
class GridCulling;
class KVRMesh;
class NoisePath;
class Shader;
class Texture;
class TrackInterpolate;
class VBO;
class VBODynamic;

// The underwater world: a noise seabed under a point light, a wavy ocean surface with three
// scrolling normal maps, swaying ribbons of sea-grass and drifting debris. The scene goes into
// "offscreen0" through the engine camera, its edges into "offscreen1", and the thickened edges
// with the debris on top into the target: an outlined, drawn look.
//
// The resource script sets the shader, FBO and texture members before `init`.
class UnderwaterEffect : public Effect {
 public:
  UnderwaterEffect() = default;
  ~UnderwaterEffect() override;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  // Starts building the seabed on a thread of its own; the first clone's init takes it.
  void prepareAhead() override;
  Effect* clone() override;
  void createTracks() override;

  KVRMesh* oceanMesh = nullptr;
  VBODynamic* oceanBuffer = nullptr;
  KVRMesh* seabedMesh = nullptr;
  VBODynamic* seabedBuffer = nullptr;
  // Only the seabed blocks in view reach the rasteriser; the seabed is most of the scene's cost.
  GridCulling* seabedCulling = nullptr;
  int32_t gridSize = 0;
  int32_t worldSize = 0;
  float scroll0 = 0.0f;
  float scroll1 = 0.0f;
  float scroll2 = 0.0f;
  VBO* debris = nullptr;
  float lightAmbient[4] = {};
  float lightDiffuse[4] = {};
  float lightSpecular[4] = {};
  float lightPosition[4] = {};
  float materialAmbient[4] = {};
  float materialDiffuse[4] = {};
  float materialSpecular[4] = {};
  float* materialShininess = nullptr;
  std::vector<NoisePath*> ribbons;
  int32_t maxRibbons = 0;
  int32_t maxRibbonPoints = 0;

  Shader* pointLightShader = nullptr;
  Shader* laplaceShader = nullptr;
  Shader* dilateShader = nullptr;
  Shader* wavesShader = nullptr;
  Shader* spriteShader = nullptr;
  FBO* sceneFBO = nullptr;
  FBO* edgesFBO = nullptr;
  Texture* oceanTexture = nullptr;
  Texture* waveNormals0 = nullptr;
  Texture* waveNormals1 = nullptr;
  Texture* waveNormals2 = nullptr;
  Texture* particleTexture = nullptr;
  Texture* puffTexture = nullptr;

  TrackInterpolate* waveTime = nullptr;
  TrackInterpolate* ribbonsNoiseOffset = nullptr;
  TrackInterpolate* numRibs = nullptr;
  TrackInterpolate* numRibsVerts = nullptr;
  TrackInterpolate* debSize = nullptr;

 private:
  // The seabed's GL-free part: mesh, vertex arrays and culling blocks.
  struct SeabedBuild;
  static std::shared_ptr<SeabedBuild> buildSeabed();

  void CreateDebris();
  void CreateOcean();
  void CreateSeabed();
  void CreateRibbons();

  void setLightAndMaterial();
  void drawSeabed(uint32_t time);
  void drawOcean();
  void advanceScroll(uint32_t delta);
  void drawRibbons(uint32_t time);
  void drawEdges();
  void drawDilated(FBO* target);
  void drawDebris(uint32_t time, FBO* target);

  std::shared_future<std::shared_ptr<SeabedBuild>> seabedAhead;
};
