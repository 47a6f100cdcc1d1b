#include "demosys/io/DataBinaryPool.h"

#include <iostream>

DataBinaryPool::~DataBinaryPool() {
  std::cout << "[Dispose binaryPool]" << std::endl;
  map.deleteAll();
}

void DataBinaryPool::add(const std::string& name, Binary* binary) {
  ++count;
  map.add(name, binary);
}

std::string DataBinaryPool::toString() const {
  std::string text = "DataBinaryPool {\n    num3dObjects = " + std::to_string(count) + "\n";
  for (const auto& entry : map.entries) text += "    " + entry.first + " = " + entry.second->Describe();
  return text + "}\n";
}
