#include "demosys/io/ObjectFileData.h"

namespace {
const uint32_t TEXTURE_2D = 3553;  // GL_TEXTURE_2D, spelled out so that this stays GL-free
}

std::vector<TextureDefinition> ObjectFileData::textureDefinitions() const {
  std::vector<TextureDefinition> definitions;
  for (const ObjectTextureData& texture : textures)
    definitions.push_back({texture.file, texture.file, TEXTURE_2D, true});
  return definitions;
}
