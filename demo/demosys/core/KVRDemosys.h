#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/core/Definitions.h"
#include "demosys/core/LoadTimings.h"
#include "demosys/core/TimeCode.h"

class ResourceDefinition;
class ProgressBar;
class ShaderCache;
class DataObjectPool;
class DataTexturePool;
class DataAnimationPool;
class DataEffectPool;
class DataBinaryPool;
class DataShaderPool;
class DataFBOPool;
class GLExtensions;
class TrackData;
class Timer;
class ScreenMetrics;
class Camera;
class ResourceArchive;
class BindObserver;
class AudioDecodeAhead;

// The engine's process-wide state: the one place where the running demo's shared objects live.
namespace KVRDemosys {

extern ResourceDefinition* resources;
extern ProgressBar* progressBar;
extern ShaderCache* shaderCache;

extern DataObjectPool* sceneDataPool;
extern DataTexturePool* texturePool;
extern DataAnimationPool* animationPool;
extern DataEffectPool* effectTypePool;
extern DataEffectPool* effectInstancePool;
extern DataBinaryPool* binaryPool;
extern DataShaderPool* shaderPool;
extern DataFBOPool* fboPool;

extern GLExtensions* glExtensions;
extern TrackData* tracks;
extern Timer* timer;
extern ScreenMetrics* screenMetrics;
// Defined beside the camera class so that this header needs only its name.
extern Camera camera;

// What the resource script asked for, in the order it asked.
extern std::vector<ShaderDefinition> shaderDefinitions;
extern std::vector<TextureDefinition> textureDefinitions;
extern std::vector<FileDefinition> objectDefinitions;
extern std::vector<FileDefinition> binaryDefinitions;
extern std::vector<FileDefinition> animationDefinitions;

extern TimeCode startTime;
extern TimeCode endTime;
extern std::string musicFile;
extern std::string windowMessage;
extern bool quitRequested;
extern uint32_t runStartTicks;
extern uint32_t frameCount;
extern bool glErrorSeen;
// Lines printed for GL errors and for uniforms a shader lacks, counted for the capture report.
extern uint32_t glErrorCount;
extern uint32_t missingUniformCount;
// Names in the track files that no instance or effect knows (misspelled timeline names), one
// line each, as printed after the track data load; empty before a load and after shutdown.
extern std::vector<std::string> timelineWarnings;
// Told of texture and framebuffer binds while set (a capture sets it); null otherwise.
extern BindObserver* bindObserver;
// The music being decoded on its own thread during the load; null outside the load.
extern AudioDecodeAhead* musicDecode;
// Where resource files come from: 0 the resources/ tree, 1 the archive "resources.7z".
extern int32_t resourceSource;
extern bool logFileLoads;
extern ResourceArchive* archive;
// Every file that was read besides the definition lists (shader includes), first use first.
extern std::vector<std::string> usedResourceFiles;
// Where the last load spent its time, stage by stage.
extern LoadTimings loadTimings;
// GL name of the bound framebuffer, 0 for the screen; lets redundant binds be skipped.
extern uint32_t boundFramebuffer;

}  // namespace KVRDemosys
