#include "demosys/gl/VBO.h"

#include <iostream>

#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/Window.h"

VBO::VBO(int32_t width, int32_t height, bool hasColour, bool hasVelocity, bool hasTexCoords,
         bool hasStartTime)
    : hasColour(hasColour),
      hasVelocity(hasVelocity),
      hasTexCoords(hasTexCoords),
      hasStartTime(hasStartTime),
      width(width),
      height(height) {
  createBuffers();
}

VBO::VBO(int32_t width, int32_t height, bool hasAll) : VBO(width, height, hasAll, hasAll, hasAll, hasAll) {}

// The GPU buffers are released by the owning effect through release().
VBO::~VBO() = default;

bool VBO::validateBuffer(GLenum target, bool verbose) {
  GLint size = 0;
  glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
  if (verbose) std::cout << "Buffer size = " << size << std::endl;
  Window::reportGLErrors("VBO::validateBuffer");
  return size > 0;
}

GLuint VBO::createBuffer(GLsizeiptr bytes, const char* verboseLabel) {
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  if (verbose) std::cout << verboseLabel << buffer << std::endl;
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
  validateBuffer(GL_ARRAY_BUFFER, verbose);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return buffer;
}

void VBO::createBuffers() {
  GLsizeiptr points = static_cast<GLsizeiptr>(width) * height;
  positionBuffer = createBuffer(points * 12, "VertexBuffer: ");
  if (hasTexCoords) texCoordBuffer = createBuffer(points * 8, "TextureCoords: ");
  if (hasColour) colourBuffer = createBuffer(points * 12, "ColorBuffer: ");
  if (hasVelocity) velocityBuffer = createBuffer(points * 12, "VelocityBuffer: ");
  if (hasStartTime) startTimeBuffer = createBuffer(points * 4, "StartBuffer: ");
}

float* VBO::map(GLuint buffer, GLenum access) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  return static_cast<float*>(glMapBuffer(GL_ARRAY_BUFFER, access));
}

void VBO::unmap(GLuint buffer) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glUnmapBuffer(GL_ARRAY_BUFFER);
}

float* VBO::mapPositions(GLenum access) { return positions = map(positionBuffer, access); }

float* VBO::mapColours(GLenum access) {
  if (colourBuffer == 0) return nullptr;
  return colours = map(colourBuffer, access);
}

void VBO::unmapPositions() { unmap(positionBuffer); }

void VBO::unmapColours() {
  if (colourBuffer != 0) unmap(colourBuffer);
}

float* VBO::getTexCoords() {
  if (!texCoords) {
    texCoordData.assign(static_cast<size_t>(width) * height * 2, 0.0f);
    texCoords = texCoordData.data();
  }
  return texCoords;
}

void VBO::draw(Shader* shader) {
  GLuint program = shader ? shader->getProgram() : 0;
  bool velocity = velocities && velocityBuffer != 0 && program != 0;
  bool startTime = startTimes && startTimeBuffer != 0 && program != 0;
  if (velocity) velocityLocation = glGetAttribLocation(program, "Velocity");
  if (startTime) startTimeLocation = glGetAttribLocation(program, "StartTime");
  velocity = velocity && velocityLocation >= 0;
  startTime = startTime && startTimeLocation >= 0;
  bool texture = texCoords && texCoordBuffer != 0;
  bool colour = colours && colourBuffer != 0;

  glBindBuffer(GL_ARRAY_BUFFER, positionBuffer);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (texture) {
    glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
    // The coordinates are written on the CPU side; without this copy the buffer would stay empty.
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(texCoordData.size() * sizeof(float)),
                    texCoords);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  if (colour) {
    glBindBuffer(GL_ARRAY_BUFFER, colourBuffer);
    glColorPointer(3, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_COLOR_ARRAY);
  }
  if (startTime) {
    glBindBuffer(GL_ARRAY_BUFFER, startTimeBuffer);
    glVertexAttribPointer(startTimeLocation, 1, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(startTimeLocation);
  }
  if (velocity) {
    glBindBuffer(GL_ARRAY_BUFFER, velocityBuffer);
    glVertexAttribPointer(velocityLocation, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(velocityLocation);
  }
  glDrawArrays(GL_POINTS, 0, getPointCount());
  glDisableClientState(GL_VERTEX_ARRAY);
  if (texture) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (colour) glDisableClientState(GL_COLOR_ARRAY);
  if (startTime) glDisableVertexAttribArray(startTimeLocation);
  if (velocity) glDisableVertexAttribArray(velocityLocation);
}

void VBO::drawSprites(Shader* shader, Texture* texture, float time) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(GL_FALSE);
  shader->bind();
  shader->setUniform("Time", time);
  shader->bindTexture0("particle", texture);
  shader->setUniform("PointSize", pointSize);
  const GLfloat attenuation[3] = {1.0f, 0.0f, 0.01f};
  glPointParameterfv(GL_POINT_DISTANCE_ATTENUATION, attenuation);
  glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, GL_TRUE);
  glEnable(GL_POINT_SPRITE);
  glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
  draw(shader);
  glDisable(GL_POINT_SPRITE);
  glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
  shader->unbind();
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
}

void VBO::release() {
  GLuint* buffers[] = {&positionBuffer, &colourBuffer, &velocityBuffer, &startTimeBuffer, &texCoordBuffer};
  for (GLuint* buffer : buffers) {
    if (*buffer != 0) glDeleteBuffers(1, buffer);
    *buffer = 0;
  }
}
