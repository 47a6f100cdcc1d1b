#include "demosys/gl/DataTexturePool.h"

#include <iostream>
#include <sstream>

namespace {

std::string megabytes(int64_t bytes) {
  std::ostringstream text;
  text << static_cast<float>(bytes * 0.0009765625 * 0.0009765625);
  return text.str();
}

}  // namespace

DataTexturePool::~DataTexturePool() {
  std::cout << "[Dispose texturePool]" << std::endl;
  map.deleteAll();
  fileMap.clear();
}

void DataTexturePool::add(const std::string& name, Texture* texture) {
  ++count;
  map.add(name, texture);
  fileMap[texture->getFileName()] = name;
}

int64_t DataTexturePool::totalMemorySize() const {
  int64_t total = 0;
  for (const auto& entry : map.entries) total += entry.second->getMemorySize();
  return total;
}

int64_t DataTexturePool::totalFileSize() const {
  int64_t total = 0;
  for (const auto& entry : map.entries) total += entry.second->getFileSize();
  return total;
}

std::string DataTexturePool::toString() const {
  const int64_t memory = totalMemorySize();
  const int64_t files = totalFileSize();
  std::string text = "DataTexturePool {\n";
  text += "    total memory size : " + megabytes(memory) + " MB - " + std::to_string(memory) + " bytes\n";
  text += "    total file size : " + megabytes(files) + " mb - " + std::to_string(files) + " bytes\n";
  text += "    numTextures = " + std::to_string(count) + "\n";
  for (const auto& entry : map.entries) text += "    " + entry.first + " = " + entry.second->toString();
  return text + "}\n";
}
