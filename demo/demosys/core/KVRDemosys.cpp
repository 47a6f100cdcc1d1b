#include "demosys/core/KVRDemosys.h"

namespace KVRDemosys {

ResourceDefinition* resources = nullptr;
ProgressBar* progressBar = nullptr;
ShaderCache* shaderCache = nullptr;

DataObjectPool* sceneDataPool = nullptr;
DataTexturePool* texturePool = nullptr;
DataAnimationPool* animationPool = nullptr;
DataEffectPool* effectTypePool = nullptr;
DataEffectPool* effectInstancePool = nullptr;
DataBinaryPool* binaryPool = nullptr;
DataShaderPool* shaderPool = nullptr;
DataFBOPool* fboPool = nullptr;

GLExtensions* glExtensions = nullptr;
TrackData* tracks = nullptr;
Timer* timer = nullptr;
ScreenMetrics* screenMetrics = nullptr;

std::vector<ShaderDefinition> shaderDefinitions;
std::vector<TextureDefinition> textureDefinitions;
std::vector<FileDefinition> objectDefinitions;
std::vector<FileDefinition> binaryDefinitions;
std::vector<FileDefinition> animationDefinitions;

TimeCode startTime = TimeCode::fromMilliseconds(0);
TimeCode endTime = TimeCode::fromMilliseconds(99 * 60000);
std::string musicFile;
std::string windowMessage;
bool quitRequested = false;
uint32_t runStartTicks = 0;
uint32_t frameCount = 0;
bool glErrorSeen = false;
uint32_t glErrorCount = 0;
uint32_t missingUniformCount = 0;
std::vector<std::string> timelineWarnings;
BindObserver* bindObserver = nullptr;
AudioDecodeAhead* musicDecode = nullptr;
int32_t resourceSource = 0;
bool logFileLoads = false;
ResourceArchive* archive = nullptr;
std::vector<std::string> usedResourceFiles;
LoadTimings loadTimings;
uint32_t boundFramebuffer = 0;

}  // namespace KVRDemosys
