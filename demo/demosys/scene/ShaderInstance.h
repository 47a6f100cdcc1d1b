#pragma once

class KVRMaterial;
class Shader;
class Texture;

// A shader as applied to a surface: the material's fixed-function colours, the shader bound,
// and the material's texture (if any) bound on unit 0, where samplers look by default.
class ShaderInstance {
 public:
  explicit ShaderInstance(Shader* shader) : shader(shader) {}
  virtual ~ShaderInstance() = default;
  ShaderInstance(const ShaderInstance&) = delete;
  ShaderInstance& operator=(const ShaderInstance&) = delete;

  virtual void apply(const KVRMaterial& material);
  virtual void unapply();

  Shader* getShader() const { return shader; }

 protected:
  Shader* shader;

 private:
  Texture* boundTexture = nullptr;
};
