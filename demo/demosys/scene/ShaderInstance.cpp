#include "demosys/scene/ShaderInstance.h"

#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/scene/KVRMaterial.h"

void ShaderInstance::apply(const KVRMaterial& material) {
  material.Apply();
  if (shader) shader->bind();
  boundTexture = material.getTexture();
  if (boundTexture) {
    glActiveTexture(GL_TEXTURE0);
    boundTexture->bind();
  }
}

void ShaderInstance::unapply() {
  if (shader) shader->unbind();
  if (boundTexture) boundTexture->unbind();
  boundTexture = nullptr;
}
