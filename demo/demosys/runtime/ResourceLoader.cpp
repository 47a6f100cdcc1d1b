#include "demosys/runtime/ResourceLoader.h"

#include <SDL/SDL.h>

#include <iostream>
#include <memory>
#include <set>

#include "demosys/audio/AudioDecodeAhead.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/gl/GLExtensions.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/ShaderLoader.h"
#include "demosys/gl/TextureLoader.h"
#include "demosys/gl/Window.h"
#include "demosys/io/DataBinaryPool.h"
#include "demosys/io/Image.h"
#include "demosys/io/ImageDecodeAhead.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/runtime/DataEffectPool.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ProgressBar.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/scene/AnimationLoader.h"
#include "demosys/scene/DataAnimationPool.h"
#include "demosys/scene/DataObjectPool.h"
#include "demosys/scene/KVRScene.h"
#include "demosys/scene/ObjectLoader.h"
#include "demosys/scene/ShaderCache.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/FMODTimer.h"
#include "demosys/timing/Timer.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "demosys/timing/ValueKeyframe.h"

namespace {

const uint32_t ROWS_PER_SECOND = 20;

void advanceProgressBar() {
  if (KVRDemosys::progressBar) KVRDemosys::progressBar->step();
}

FBO* findTargetFBO(const std::string& name) { return KVRDemosys::fboPool->getFBO(name); }

// Reads the shader sources into `shader`, compiles and links it; false with the loader's text.
bool compileShader(const ShaderDefinition& definition, Shader& shader, std::string& message) {
  ShaderLoadResult result;
  if (ShaderLoader().loadShaderPair(result, shader, definition.fileBaseName, definition.defines)) return true;
  message = result.message;
  return false;
}

// The archive is closed once loading is done; a reload opens it again for its own reads.
class ReopenedSource {
 public:
  ReopenedSource() : archive(KVRDemosys::resourceSource == 1) {
    if (archive) ResourceAccess::selectSource(1);
  }
  ~ReopenedSource() {
    if (archive) ResourceAccess::closeArchive();
  }
  ReopenedSource(const ReopenedSource&) = delete;
  ReopenedSource& operator=(const ReopenedSource&) = delete;

 private:
  bool archive;
};

}  // namespace

bool ResourceLoader::fail(const std::string& text) {
  message = text;
  ok = false;
  return false;
}

namespace {
template <class T>
void discard(T*& pointer) {
  delete pointer;
  pointer = nullptr;
}
}  // namespace

bool ResourceLoader::createPools() {
  std::cout << "[Creating DataPools]" << std::endl;
  makePools();
  return true;
}

void ResourceLoader::makePools() {
  KVRDemosys::sceneDataPool = new DataObjectPool();
  KVRDemosys::texturePool = new DataTexturePool();
  KVRDemosys::animationPool = new DataAnimationPool();
  KVRDemosys::effectTypePool = new DataEffectPool();
  KVRDemosys::effectInstancePool = new DataEffectPool();
  KVRDemosys::binaryPool = new DataBinaryPool();
  KVRDemosys::shaderPool = new DataShaderPool();
  KVRDemosys::fboPool = new DataFBOPool();
}

bool ResourceLoader::openScreen(ScreenMetrics* metrics, const std::string& caption) {
  KVRDemosys::resources->setup(metrics);
  bool opened = metrics->getFullscreen() ? Window::openFullscreen(metrics)
                                         : Window::openWindowed(metrics, caption.c_str(), nullptr);
  if (!opened)
    return fail("Failed to open screen : " + std::to_string(metrics->getWidth()) + "x" +
                std::to_string(metrics->getHeight()) + Window::message());
  KVRDemosys::screenMetrics->computeViewport();
  KVRDemosys::screenMetrics->apply();
  std::cout << "[Supported OpenGL Extensions]" << std::endl;
  KVRDemosys::glExtensions = new GLExtensions();
  std::cout << KVRDemosys::glExtensions->report() << std::endl;
  return true;
}

void ResourceLoader::startProgressBar() {
  int32_t total =
      static_cast<int32_t>(KVRDemosys::objectDefinitions.size() + KVRDemosys::textureDefinitions.size() +
                           KVRDemosys::animationDefinitions.size() + KVRDemosys::binaryDefinitions.size()) +
      3;
  if (!KVRDemosys::progressBar) KVRDemosys::progressBar = new ProgressBar(0.09f, 1.2f, 0.0f, total);
  KVRDemosys::progressBar->setTotal(total);
  KVRDemosys::progressBar->init();
  KVRDemosys::progressBar->draw();
}

bool ResourceLoader::defineAndLoadResources() {
  std::cout << "[Defining Resources]" << std::endl;
  KVRDemosys::resources->defineResources();
  std::cout << "[Define Effects]" << std::endl;
  KVRDemosys::resources->defineEffects();
  startWorkAhead();
  startProgressBar();
  KVRDemosys::loadTimings.mark("definitions");
  return timed("shaders", loadShaders()) && timed("objects", loadObjects()) &&
         timed("textures", loadTextures()) && timed("scenes", prepareScenes()) &&
         timed("binaries and animations", loadBinaries() && loadAnimations());
}

void ResourceLoader::startWorkAhead() {
  if (!KVRDemosys::musicFile.empty() && !KVRDemosys::musicDecode) {
    // Read here: the archive is not to be shared between threads. A file that cannot be read
    // is left for the sound set-up to report.
    std::unique_ptr<ResourceFile> file(
        ResourceAccess::loadFile(ResourceAccess::SOUND_DIRECTORY + KVRDemosys::musicFile));
    if (file && file->isOk()) KVRDemosys::musicDecode = new AudioDecodeAhead(file->bytes());
  }
  for (const auto& entry : KVRDemosys::effectTypePool->entries())
    if (entry.second) entry.second->prepareAhead();
}

void ResourceLoader::finishMusicDecode() {
  delete KVRDemosys::musicDecode;
  KVRDemosys::musicDecode = nullptr;
}

bool ResourceLoader::timed(const std::string& stage, bool succeeded) {
  KVRDemosys::loadTimings.mark(stage);
  return succeeded;
}

bool ResourceLoader::loadShaders() {
  std::cout << "[Loading Shaders]" << std::endl;
  for (const ShaderDefinition& definition : KVRDemosys::shaderDefinitions) {
    std::cout << "-> Loading " << definition.fileBaseName << std::endl;
    Shader* shader = new Shader();
    std::string error;
    if (!compileShader(definition, *shader, error)) {
      delete shader;
      return fail(error);
    }
    KVRDemosys::shaderPool->add(definition.poolName, shader);
    if (verbose)
      std::cout << "Adding shader '" << definition.poolName << "' = " << shader->toString() << std::endl;
    shader->bind();
    shader->unbind();
  }
  return true;
}

bool ResourceLoader::loadObjects() {
  std::cout << "[Loading 3D Objects]" << std::endl;
  for (const FileDefinition& definition : KVRDemosys::objectDefinitions) {
    std::string path = ResourceAccess::OBJECTS_DIRECTORY + definition.fileName;
    std::cout << "Loading : '" << path << std::endl;
    ObjectLoader objectLoader(path);
    KVRScene* scene = objectLoader.Load();
    if (!objectLoader.IsOk()) return fail(objectLoader.GetError());
    KVRDemosys::sceneDataPool->add(definition.name, scene);
    advanceProgressBar();
  }
  return true;
}

bool ResourceLoader::prepareScenes() {
  for (int i = 0; i < KVRDemosys::sceneDataPool->size(); ++i) {
    KVRScene* scene = KVRDemosys::sceneDataPool->get(i);
    if (!scene) continue;
    scene->resolveTextures();
    scene->prepare();
  }
  if (!KVRDemosys::shaderCache) KVRDemosys::shaderCache = new ShaderCache();
  KVRDemosys::shaderCache->setup();
  return true;
}

// A file that an earlier definition (or the pool already) has is loaded once, under the first name.
std::vector<const TextureDefinition*> ResourceLoader::texturesToLoad() {
  std::vector<const TextureDefinition*> definitions;
  std::set<std::string> files;
  for (const TextureDefinition& definition : KVRDemosys::textureDefinitions)
    if (!KVRDemosys::texturePool->isFileLoaded(definition.fileName) &&
        files.insert(definition.fileName).second)
      definitions.push_back(&definition);
  return definitions;
}

bool ResourceLoader::loadTextures() {
  std::cout << "[Loading Textures]" << std::endl;
  const std::vector<const TextureDefinition*> definitions = texturesToLoad();
  // Each picture decodes on a thread while the one before it uploads.
  ImageDecodeAhead decoder;
  if (!definitions.empty()) decoder.start(ResourceAccess::GRAPHICS_DIRECTORY + definitions[0]->fileName);
  for (size_t i = 0; i < definitions.size(); ++i) {
    const TextureDefinition& definition = *definitions[i];
    std::string path = ResourceAccess::GRAPHICS_DIRECTORY + definition.fileName;
    std::cout << "Load : " << path << std::endl;
    std::unique_ptr<Image> image = decoder.take();
    if (i + 1 < definitions.size())
      decoder.start(ResourceAccess::GRAPHICS_DIRECTORY + definitions[i + 1]->fileName);
    Texture* texture = loadTexture(*image, path, definition.target, definition.mipmapped);
    if (!texture) return fail("Failed to load texture!\nFile : '" + path + "'");
    texture->setFileName(definition.fileName);
    KVRDemosys::texturePool->add(definition.name, texture);
    advanceProgressBar();
  }
  return true;
}

bool ResourceLoader::loadBinaries() {
  std::cout << "[Loading Binary Data]" << std::endl;
  for (const FileDefinition& definition : KVRDemosys::binaryDefinitions) {
    std::string path = ResourceAccess::MISC_DIRECTORY + definition.fileName;
    std::cout << "Loading binary : '" << path << "'" << std::endl;
    Binary* binary = ResourceAccess::loadBinaryFile(path);
    if (!binary) return fail("Failed to binary data!\nFile : '" + path + "'");
    KVRDemosys::binaryPool->add(definition.name, binary);
  }
  return true;
}

bool ResourceLoader::loadAnimations() {
  std::cout << "[Loading Animation Data]" << std::endl;
  for (const FileDefinition& definition : KVRDemosys::animationDefinitions) {
    std::string path = ResourceAccess::MISC_DIRECTORY + definition.fileName;
    AnimationLoader animationLoader(path);
    Animation* animation = animationLoader.Load();
    if (!animationLoader.IsOk()) {
      delete animation;
      return fail(animationLoader.GetError());
    }
    KVRDemosys::animationPool->add(definition.name, animation);
    std::cout << "Loaded '" << path << "' using alias " << definition.name << std::endl;
    advanceProgressBar();
  }
  return true;
}

bool ResourceLoader::createTrackData() {
  std::cout << "[Create track data]" << std::endl;
  std::vector<std::string> names;
  std::vector<Effect*> instances;
  for (const auto& entry : KVRDemosys::effectInstancePool->entries()) {
    if (!entry.second || !entry.second->tracked) continue;
    names.push_back(entry.first);
    instances.push_back(entry.second);
  }
  std::cout << "Loading track data from index file" << std::endl;
  TrackLoader trackLoader(ResourceAccess::TRACKS_DIRECTORY);
  trackLoader.SetFBOResolver(findTargetFBO);
  KVRDemosys::tracks = trackLoader.LoadTrackData(names, instances);
  KVRDemosys::loadTimings.mark("tracks");
  if (!KVRDemosys::tracks) return fail(trackLoader.GetError());
  KVRDemosys::tracks->SetRate(ROWS_PER_SECOND);
  initializeInstances();
  KVRDemosys::loadTimings.mark("effect init");
  if (KVRDemosys::tracks->ValidateStartStop()) return true;
  // The check prints its own lines; the report names the instance too.
  return fail("Track data : the start/stop track of '" + KVRDemosys::tracks->FirstInvalidStartStop() +
              "' does not alternate start and stop keyframes");
}

void ResourceLoader::initializeInstances() {
  std::cout << "[Initializing Effect Instances]" << std::endl;
  for (const auto& entry : KVRDemosys::effectInstancePool->entries()) {
    if (!entry.second) continue;
    std::cout << "-> Initializing " << entry.first << std::endl;
    entry.second->init();
    Window::reportGLErrors(entry.first + ":init()");
  }
}

bool ResourceLoader::setupSound() {
  std::cout << "[Setting up sound]" << std::endl;
  const int rate = static_cast<int>(KVRDemosys::tracks ? KVRDemosys::tracks->GetRate() : ROWS_PER_SECOND);
  if (KVRDemosys::musicFile.empty()) {
    KVRDemosys::timer = new Timer(rate);
    KVRDemosys::timer->Init();
  } else {
    std::cout << "Play : " << KVRDemosys::musicFile << std::endl;
    KVRDemosys::timer = new FMODTimer(ResourceAccess::SOUND_DIRECTORY + KVRDemosys::musicFile, rate);
    const bool initialised = KVRDemosys::timer->Init();
    finishMusicDecode();
    if (!initialised) return fail("Failed to load sound!\nFile : '" + KVRDemosys::musicFile + "'");
  }
  advanceProgressBar();
  return true;
}

void ResourceLoader::startDemo() {
  if (verbose) {
    std::cout << "[Getting Startpos]" << std::endl;
    std::cout << "startpos = " << KVRDemosys::startTime.format() << std::endl;
  }
  KVRDemosys::timer->SetTime(KVRDemosys::startTime.total);
  advanceProgressBar();
  std::cout << "[Demo Init]" << std::endl;
  // The plain clock too: left paused, a demo without music would show its first frame forever.
  KVRDemosys::timer->Start();
  if (!KVRDemosys::musicFile.empty()) SDL_ShowCursor(SDL_DISABLE);
  if (verbose) std::cout << "[Demo Init END]" << std::endl;
}

void ResourceLoader::deleteEverything() {
  finishMusicDecode();
  discard(KVRDemosys::progressBar);
  std::cout << "[Deleting Pools]" << std::endl;
  deletePools();
  if (KVRDemosys::glExtensions) {
    std::cout << "delete KVRDemosys::glExtensions" << std::endl;
    discard(KVRDemosys::glExtensions);
  }
  std::cout << "delete KVRDemosys::tracks" << std::endl;
  discard(KVRDemosys::tracks);
  std::cout << "delete KVRDemosys::timer" << std::endl;
  discard(KVRDemosys::timer);
}

void ResourceLoader::deletePools() {
  discard(KVRDemosys::sceneDataPool);
  discard(KVRDemosys::texturePool);
  discard(KVRDemosys::animationPool);
  discard(KVRDemosys::effectTypePool);
  discard(KVRDemosys::effectInstancePool);
  discard(KVRDemosys::binaryPool);
  discard(KVRDemosys::shaderPool);
  discard(KVRDemosys::fboPool);
}

void ResourceLoader::resetEngineState() {
  finishMusicDecode();
  discard(KVRDemosys::progressBar);
  deletePools();
  discard(KVRDemosys::glExtensions);
  discard(KVRDemosys::tracks);
  discard(KVRDemosys::timer);
  discard(KVRDemosys::shaderCache);
  discard(KVRDemosys::resources);
  ResourceAccess::closeArchive();
  KVRDemosys::shaderDefinitions.clear();
  KVRDemosys::textureDefinitions.clear();
  KVRDemosys::objectDefinitions.clear();
  KVRDemosys::binaryDefinitions.clear();
  KVRDemosys::animationDefinitions.clear();
  KVRDemosys::usedResourceFiles.clear();
  KVRDemosys::timelineWarnings.clear();
  KVRDemosys::startTime = TimeCode::fromMilliseconds(0);
  KVRDemosys::endTime = TimeCode::fromMilliseconds(99 * 60000);
  KVRDemosys::musicFile.clear();
  KVRDemosys::windowMessage.clear();
  KVRDemosys::quitRequested = false;
  KVRDemosys::runStartTicks = 0;
  KVRDemosys::frameCount = 0;
  KVRDemosys::glErrorSeen = false;
  KVRDemosys::glErrorCount = 0;
  KVRDemosys::missingUniformCount = 0;
  KVRDemosys::resourceSource = 0;
  KVRDemosys::logFileLoads = false;
  KVRDemosys::boundFramebuffer = 0;
}

bool ResourceLoader::reloadShaders() {
  std::cout << "[Reloading Shaders]" << std::endl;
  ReopenedSource source;
  for (const ShaderDefinition& definition : KVRDemosys::shaderDefinitions) {
    Shader* shader = KVRDemosys::shaderPool->get(definition.poolName);
    // Compiled beside the running program: a shader with an error keeps drawing as it did.
    Shader rebuilt;
    std::string error;
    if (!shader || !compileShader(definition, rebuilt, error)) {
      std::cout << "Error while recompiling '" << definition.poolName << "' : " << std::endl
                << error << std::endl;
      return false;
    }
    shader->takeProgramOf(rebuilt);
    KVRDemosys::shaderPool->add(definition.poolName, shader);
    std::cout << "Adding shader '" << definition.poolName << "' = " << shader->toString() << std::endl;
    shader->bind();
    shader->unbind();
  }
  std::cout << "[Reloading Shaders] ... Done!" << std::endl;
  return true;
}

bool ResourceLoader::reloadTracks() {
  std::cout << "[Reloading Tracks]" << std::endl;
  if (!KVRDemosys::tracks) return reloadFailed("no track data is loaded");
  // Loaded for stand-ins of the instances first, so that a broken file leaves the running
  // instances' tracks untouched; only a complete, valid load is copied over.
  StandIns standIns;
  for (const auto& entry : KVRDemosys::effectInstancePool->entries()) {
    if (!entry.second || !entry.second->tracked) continue;
    Effect* standIn = entry.second->clone();
    standIn->createTracks();
    standIns.names.push_back(entry.first);
    standIns.originals.push_back(entry.second);
    standIns.effects.push_back(standIn);
  }
  std::unique_ptr<TrackData> loaded;
  std::string error;
  {
    ReopenedSource source;
    TrackLoader trackLoader(ResourceAccess::TRACKS_DIRECTORY);
    trackLoader.SetFBOResolver(findTargetFBO);
    loaded.reset(trackLoader.LoadTrackData(standIns.names, standIns.effects));
    error = trackLoader.GetError();
  }
  if (!loaded) return reloadFailed(error);
  loaded->SetRate(KVRDemosys::tracks->GetRate());
  if (!loaded->ValidateStartStop())
    return reloadFailed("the start/stop track of '" + loaded->FirstInvalidStartStop() +
                        "' does not alternate start and stop keyframes");
  adoptTracks(*loaded, standIns);
  std::cout << "[Reloading Tracks] ... Done!" << std::endl;
  return true;
}

bool ResourceLoader::reloadFailed(const std::string& reason) {
  std::cout << "Track data : reload failed, the previous tracks stay: " << reason << std::endl;
  return false;
}

// The running sets keep their parameter track objects (the instances point at them) and get
// the loaded keyframes, start/stop tracks and priorities; then the order is built again.
void ResourceLoader::adoptTracks(TrackData& loaded, const StandIns& standIns) {
  TrackData& running = *KVRDemosys::tracks;
  for (size_t i = 0; i < standIns.names.size(); ++i) {
    EffectTrackSet* from = loaded.GetSet(standIns.names[i]);
    EffectTrackSet* to = running.GetSet(standIns.names[i]);
    if (!from || !to) continue;
    to->SetStartStop(from->startStop);
    from->startStop = nullptr;
    const Effect* standIn = standIns.effects[i];
    Effect* original = standIns.originals[i];
    for (int track = 0; track < standIn->GetTrackCount() && track < original->GetTrackCount(); ++track)
      copyKeyframes(*standIn->GetTrackAt(track), *original->GetTrackAt(track));
  }
  running.BuildOrder();
  running.NumberPriorities();
}

void ResourceLoader::copyKeyframes(const TrackInterpolate& from, TrackInterpolate& to) {
  to.Clear();
  for (const auto& entry : from.Keyframes()) {
    const ValueKeyframe* keyframe = static_cast<const ValueKeyframe*>(entry.second);
    to.InsertKeyframe(new ValueKeyframe(keyframe->row, keyframe->value, keyframe->interpolation));
  }
}

ResourceLoader::StandIns::~StandIns() {
  for (Effect* effect : effects) delete effect;
}

void ResourceLoader::writePackScript(const std::string& archiver, const std::string& scriptPath) {
  const size_t first = scriptPath.find_first_not_of(" \t\r\n");
  const size_t last = scriptPath.find_last_not_of(" \t\r\n");
  const std::string logName = first == std::string::npos ? "" : scriptPath.substr(first, last - first + 1);
  std::string text = "rm  resources.7z \nrm " + logName + ".log\n\n";
  auto line = [&](const std::string& path) {
    text += archiver + " a -ms=off -mx=9  resources.7z " + path + " >> " + logName + ".log \n";
  };
  if (!KVRDemosys::musicFile.empty()) line(ResourceAccess::SOUND_DIRECTORY + KVRDemosys::musicFile);
  for (const auto& entry : KVRDemosys::texturePool->getFileMap())
    line(ResourceAccess::GRAPHICS_DIRECTORY + entry.first);
  for (const FileDefinition& object : KVRDemosys::objectDefinitions) {
    std::string path = ResourceAccess::OBJECTS_DIRECTORY + object.fileName;
    line(path);
    if (ResourceAccess::fileExists(path + ".kf")) line(path + ".kf");
  }
  for (const FileDefinition& animation : KVRDemosys::animationDefinitions)
    line(ResourceAccess::MISC_DIRECTORY + animation.fileName);
  for (const FileDefinition& binary : KVRDemosys::binaryDefinitions)
    line(ResourceAccess::MISC_DIRECTORY + binary.fileName);
  for (const ShaderDefinition& shader : KVRDemosys::shaderDefinitions) {
    line(ResourceAccess::SHADERS_DIRECTORY + shader.fileBaseName + ".vert");
    line(ResourceAccess::SHADERS_DIRECTORY + shader.fileBaseName + ".frag");
  }
  line(std::string(ResourceAccess::TRACKS_DIRECTORY) + "index.list");
  line(std::string(ResourceAccess::TRACKS_DIRECTORY) + "track.data");
  for (const std::string& path : KVRDemosys::usedResourceFiles) line(path);
  if (KVRDemosys::progressBar)
    for (int i = 0; i < KVRDemosys::progressBar->fileCount(); ++i) line(KVRDemosys::progressBar->file(i));

  ResourceFile script(scriptPath, ResourceFile::Write);
  script.appendChars(text);
  script.writeAndClose();
}
