#pragma once

#include <cstdint>
#include <string>

class Texture;

// Surface colours of scene objects, handed to the fixed-function material state. Colours keep
// a fourth component of 1 so that the GL's four-float reads stay inside the record.
class KVRMaterial {
 public:
  // The material of objects that have none: red ambient and diffuse, never changed.
  static const KVRMaterial& defaultMaterial();

  void setName(const std::string& value) { name = value; }
  void setAmbient(float r, float g, float b) { setColour(ambient, r, g, b); }
  void setDiffuse(float r, float g, float b) { setColour(diffuse, r, g, b); }
  void setEmission(float r, float g, float b) { setColour(emission, r, g, b); }
  void setSpecular(float r, float g, float b) { setColour(specular, r, g, b); }
  void setShininess(float value) { shininess = value; }
  void setTexture(Texture* value) { texture = value; }
  void setTextureFile(const std::string& value) { textureFile = value; }
  void setSecondName(const std::string& value) { secondName = value; }

  const std::string& getName() const { return name; }
  const float* getAmbient() const { return ambient; }
  const float* getDiffuse() const { return diffuse; }
  const float* getEmission() const { return emission; }
  const float* getSpecular() const { return specular; }
  float getShininess() const { return shininess; }
  Texture* getTexture() const { return texture; }
  const std::string& getTextureFile() const { return textureFile; }
  const std::string& getSecondName() const { return secondName; }

  // Front and back ambient, diffuse, emission, specular, then shininess.
  void Apply() const;
  // "Amb : [r,g,b]" and "Dif : [r,g,b]", one line each.
  std::string dump() const;

 private:
  static void setColour(float* colour, float r, float g, float b);

  std::string name;
  float ambient[4] = {1.0f, 0.0f, 0.0f, 1.0f};
  float diffuse[4] = {1.0f, 0.0f, 0.0f, 1.0f};
  float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float specular[4] = {0.25f, 0.25f, 0.25f, 1.0f};
  float shininess = 10.0f;
  Texture* texture = nullptr;
  int32_t flags = 0;
  std::string textureFile;
  std::string secondName;
};
