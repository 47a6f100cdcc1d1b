#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The records a demo's resource script appends; the loading stages walk them in order.

struct ShaderDefinition {
  std::string poolName;
  std::string fileBaseName;
  std::vector<std::string> defines;
};

struct TextureDefinition {
  std::string name;
  std::string fileName;
  uint32_t target;  // GL_TEXTURE_1D or GL_TEXTURE_2D
  bool mipmapped;
};

// Objects, binary blobs and animations are named files.
struct FileDefinition {
  std::string name;
  std::string fileName;
};
