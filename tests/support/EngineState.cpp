#include "support/EngineState.h"

#include <filesystem>

#include "demosys/gl/FBO.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/ResourceLoader.h"

namespace {
std::string previousDirectory;
}

void EngineState::createPools() { reset(), ResourceLoader::makePools(); }

void EngineState::reset() {
  bind(nullptr);
  ResourceLoader::resetEngineState();
  if (!previousDirectory.empty()) std::filesystem::current_path(previousDirectory), previousDirectory.clear();
}

void EngineState::useBuildResources() {
  if (previousDirectory.empty()) previousDirectory = std::filesystem::current_path().string();
  std::filesystem::current_path(KVR_BINARY_DIR);
  ResourceAccess::selectSource(0);
}
