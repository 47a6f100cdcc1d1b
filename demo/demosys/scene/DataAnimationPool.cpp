#include "demosys/scene/DataAnimationPool.h"

#include <iostream>

DataAnimationPool::~DataAnimationPool() {
  std::cout << "[Dispose animationPool]" << std::endl;
  map.deleteAll();
}

void DataAnimationPool::add(const std::string& name, Animation* animation) {
  ++count;
  map.add(name, animation);
}

std::string DataAnimationPool::toString() const {
  std::string text = "AnimationPool {\n";
  for (const auto& entry : map.entries) text += "    " + entry.first + " = " + entry.second->Describe();
  return text + "}\n";
}
