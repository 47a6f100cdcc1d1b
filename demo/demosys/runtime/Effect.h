#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Animation;
class Binary;
class KVRScene;
class ShaderInstance;
class FBO;
class Shader;
class Texture;
class TrackInterpolate;

// Base of every visual element of the demo. A default-constructed object registered under
// its type name is a prototype; `clone` makes the instances that the frame loop drives.
//
// An instance makes its parameter tracks in `createTracks` with `NewTrack`. The track loader
// hands them to the instance's track set, which owns them from then on; tracks that were
// never handed over (an instance without track data) are deleted with the instance.
class Effect {
 public:
  Effect() = default;
  virtual ~Effect();
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  // Called every frame for an active instance, before any instance draws.
  virtual void preDraw(uint32_t time);
  // target: the framebuffer object of the instance's current interval, null for the screen.
  virtual void draw(uint32_t time, uint32_t delta, FBO* target);
  // Called every frame for an active instance, after every instance drew.
  virtual void postDraw(uint32_t time);
  // Called once, after the track data exist.
  virtual void init();
  // Called once on each prototype when the effects are defined, before the textures load:
  // GL-free work that init needs may start on a thread here for the instance's init to take.
  virtual void prepareAhead();
  // A new default-constructed object of the same class; nothing of this one is copied.
  virtual Effect* clone();
  virtual void createTracks();

  int GetTrackCount() const { return static_cast<int>(trackList.size()); }
  TrackInterpolate* GetTrackAt(int index) const { return trackList[index]; }
  // Called by the track loader when a track set took ownership of the tracks.
  void HandOverTracks() { tracksHandedOver = true; }

  // Resources by name; a name that was never defined stops the program.
  Shader* GetShader(std::string name);
  Texture* GetTexture(std::string name);
  FBO* GetFBO(std::string name);
  KVRScene* GetScene(std::string name);
  Binary* GetBinary(std::string name);
  Animation* GetAnimation(std::string name);
  Effect* GetEffect(std::string name);
  // From the shader cache, which stops the program for a name it lacks.
  ShaderInstance* GetShaderInstance(std::string name);

  // Whether the instance gets track data and so is ever driven by the frame loop.
  bool tracked = false;

 protected:
  // Makes the parameter track `name`, stores it into `slot` and lists it.
  void NewTrack(const std::string& name, TrackInterpolate*& slot);

 private:
  std::vector<TrackInterpolate*> trackList;
  bool tracksHandedOver = false;
};
