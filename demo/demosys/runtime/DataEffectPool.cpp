#include "demosys/runtime/DataEffectPool.h"

#include <iostream>
#include <iterator>

DataEffectPool::~DataEffectPool() {
  std::cout << "[Dispose effectPool]" << std::endl;
  map.deleteAll();
}

Effect* DataEffectPool::get(const std::string& name) { return map.entries[name]; }

const std::string& DataEffectPool::getName(int index) const {
  return std::next(map.entries.begin(), index)->first;
}

std::string DataEffectPool::toString() const {
  std::string text = "EffectPool {\n";
  for (const auto& entry : map.entries) text += "    " + entry.first + " = Effect\n";
  return text + "}\n";
}
