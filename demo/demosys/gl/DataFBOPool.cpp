#include "demosys/gl/DataFBOPool.h"

#include <iostream>

DataFBOPool::~DataFBOPool() {
  map.deleteAll();
  fbos.clear();
  names.clear();
}

void DataFBOPool::add(const std::string& name, FBO* fbo) {
  map.add(name, fbo);
  fbos.push_back(fbo);
  names.push_back(name);
}

FBO* DataFBOPool::getFBO(const std::string& name) const {
  FBO* fbo = map.get(name);
  if (!fbo) std::cout << "FBO::getFBO(" << name << ") cannot find the requested VBO" << std::endl;
  return fbo;
}

void DataFBOPool::clearUsed() {
  for (const auto& entry : map.entries)
    if (isUsed(entry.second)) clear(entry.second);
  bind(nullptr);
}

std::string DataFBOPool::toString() const {
  std::string text = "FBOPool {\n";
  for (const auto& entry : map.entries) text += "  " + entry.first + " = " + ::toString(entry.second) + "\n";
  return text + "}\n";
}
