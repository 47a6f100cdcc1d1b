#include "support/EngineState.h"

#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "assets/PngFile.h"
#include "demosys/gl/FBO.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/ResourceLoader.h"
#include "support/TempDir.h"

namespace {
std::string previousDirectory;
}

void EngineState::createPools() {
  reset();
  ResourceLoader::makePools();
}

void EngineState::reset() {
  bind(nullptr);
  ResourceLoader::resetEngineState();
  if (!previousDirectory.empty()) {
    std::filesystem::current_path(previousDirectory);
    previousDirectory.clear();
  }
}

void EngineState::useBuildResources() {
  if (previousDirectory.empty()) previousDirectory = std::filesystem::current_path().string();
  std::filesystem::current_path(KVR_BINARY_DIR);
  ResourceAccess::selectSource(0);
}

bool EngineState::saveFrame(const std::string& path) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int width = viewport[2], height = viewport[3];
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(viewport[0], viewport[1], width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) std::copy_n(&bottomUp[(height - 1 - y) * row], row, &topDown[y * row]);
  return writeFile(path, PngFile::encode(width, height, 3, topDown));
}

std::string EngineState::framesDirectory(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(KVR_BINARY_DIR) / "frames" / name;
  std::filesystem::create_directories(dir);
  return dir.string();
}
