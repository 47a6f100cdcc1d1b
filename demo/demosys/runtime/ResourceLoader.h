#pragma once

#include <string>
#include <vector>

class Effect;
class ScreenMetrics;
struct TextureDefinition;
class TrackData;
class TrackInterpolate;

// The stages that take the engine from nothing to a playable demo, each announced on
// standard output. A failing stage keeps its text for the shutdown report.
class ResourceLoader {
 public:
  bool createPools();
  // The eight empty pools, in the order the engine creates them; no line is printed.
  static void makePools();
  bool openScreen(ScreenMetrics* metrics, const std::string& caption);
  bool defineAndLoadResources();
  bool createTrackData();
  bool setupSound();
  // Just before the first frame: the clock moves to the start time and starts; with music the
  // mouse cursor is hidden.
  void startDemo();
  // At shutdown: the progress bar, the pools, the capability record, the tracks and the clock,
  // each pointer left null.
  void deleteEverything();
  // Deletes whatever the engine still holds (the resource definition, progress bar and shader
  // cache too, and the archive) and puts every process-wide value back to how a fresh process
  // finds it, so that one process can load one demo after another. The screen metrics stay:
  // they belong to whoever opened the window. Pools that still hold GL objects need the
  // context they were made in.
  static void resetEngineState();

  // Recompiles every defined shader in place, for editing shaders while the demo is loaded.
  // A shader that fails keeps its running program; the first failure ends the reload.
  bool reloadShaders();
  // Reads the track files again from the current source into the running track system and
  // rebuilds the instances' order. A file that fails to load or check leaves the running tracks
  // as they were and prints why.
  bool reloadTracks();
  // A shell script that rebuilds the archive from every file the demo uses, and no other.
  void writePackScript(const std::string& archiver, const std::string& scriptPath);

  std::string getMessage() const { return message; }
  bool isOk() const { return ok; }

 private:
  bool fail(const std::string& text);
  // Records the stage that just ran in the load timings and passes its result on.
  bool timed(const std::string& stage, bool succeeded);
  void startProgressBar();
  // Work that needs no GL context, started on threads early and taken up by later stages:
  // the music's decoding and the effects' own preparation.
  void startWorkAhead();
  static void finishMusicDecode();
  static void deletePools();
  bool loadShaders();
  bool loadObjects();
  static std::vector<const TextureDefinition*> texturesToLoad();
  bool loadTextures();
  // Textures into materials, bounds and mesh groups, then the shader cache's setup.
  bool prepareScenes();
  bool loadBinaries();
  bool loadAnimations();
  void initializeInstances();
  // Fresh objects of the tracked instances' classes with their tracks, for a trial load.
  struct StandIns {
    ~StandIns();
    std::vector<std::string> names;
    std::vector<Effect*> originals;
    std::vector<Effect*> effects;
  };
  bool reloadFailed(const std::string& reason);
  static void adoptTracks(TrackData& loaded, const StandIns& standIns);
  static void copyKeyframes(const TrackInterpolate& from, TrackInterpolate& to);

  std::string message = "ResourceLoader : unknown";
  bool ok = true;
  bool verbose = false;
};
