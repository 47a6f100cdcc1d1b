#include "demosys/gl/GLExtensions.h"

#include <GL/glew.h>

#include <iostream>
#include <sstream>

#include "demosys/gl/Window.h"

int32_t GLExtensions::values[VALUE_COUNT] = {};

const char* const GLExtensions::VALUE_LABELS[VALUE_COUNT] = {
    "GL_MAX_VERTEX_ATTRIBS ................... ", "GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB .... ",
    "GL_MAX_VARYING_FLOATS_ARB ............... ", "GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB ... ",
    "GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB . ", "GL_MAX_TEXTURE_COORDS_ARB ............... ",
    "GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB .. ", "GL_MAX_TEXTURE_SIZE ..................... ",
    "GL_MAX_VERTEX_SHADER_INSTRUCTIONS_EXT ... ", "GL_MAX_FRAGMENT_LIGHTS_EXT .............. ",
};

namespace {
const GLenum QUERIES[] = {0x8869, 0x8B4A, 0x8B4B, 0x8B4C, 0x8B4D, 0x8871, 0x8B49, 0x0D33};
}

GLExtensions::GLExtensions() {
  const char* text = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  std::istringstream names(text ? text : "");
  std::string name;
  while (names >> name) extensions[name] = true;
  for (size_t i = 0; i < sizeof QUERIES / sizeof QUERIES[0]; ++i) glGetIntegerv(QUERIES[i], &values[i]);
  Window::reportGLErrors("getImplementationIndependentAPIValues");
}

bool GLExtensions::hasExtension(const std::string& name) const { return extensions.count(name) != 0; }

void GLExtensions::addRequired(const std::string& name) { required.push_back(name); }

bool GLExtensions::checkRequired() {
  bool complete = true;
  for (const std::string& name : required) {
    if (hasExtension(name)) continue;
    missing.push_back(name);
    complete = false;
  }
  return complete;
}

std::string GLExtensions::missingReport() const {
  std::string text = "Error: Your OpenGL implementation is missing the following extensions :\n";
  for (const std::string& name : missing) text += " - " + name + "\n";
  return text;
}

std::string GLExtensions::report() const {
  std::string line;
  for (const auto& entry : extensions) line += entry.first + " ";
  line += "\n";
  std::cout << "--- Implementation Independent API Values ---" << std::endl;
  for (int i = 0; i < VALUE_COUNT; ++i) std::cout << VALUE_LABELS[i] << values[i] << std::endl;
  std::cout << "---------------------------------------------" << std::endl;
  return line;
}
