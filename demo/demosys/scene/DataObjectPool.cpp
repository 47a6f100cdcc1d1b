#include "demosys/scene/DataObjectPool.h"

#include <iostream>

DataObjectPool::~DataObjectPool() {
  std::cout << "[Dispose objectPool]" << std::endl;
  map.deleteAll();
}

void DataObjectPool::add(const std::string& name, KVRScene* scene) {
  ++count;
  map.add(name, scene);
}
