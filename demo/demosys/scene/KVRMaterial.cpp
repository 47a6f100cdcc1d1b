#include "demosys/scene/KVRMaterial.h"

#include <GL/glew.h>

#include <sstream>

const KVRMaterial& KVRMaterial::defaultMaterial() {
  static const KVRMaterial material;
  return material;
}

void KVRMaterial::setColour(float* colour, float r, float g, float b) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
}

void KVRMaterial::Apply() const {
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

std::string KVRMaterial::dump() const {
  std::ostringstream text;
  text << "Amb : [" << ambient[0] << "," << ambient[1] << "," << ambient[2] << "]\n";
  text << "Dif : [" << diffuse[0] << "," << diffuse[1] << "," << diffuse[2] << "]\n";
  return text.str();
}
