#pragma once

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/scene/KVRScene.h"

// The loaded 3D scenes by resource name.
class DataObjectPool : public DataPool {
 public:
  ~DataObjectPool() override;
  void add(const std::string& name, KVRScene* scene);
  KVRScene* get(const std::string& name) const { return map.get(name); }
  // Null at or past the number of entries, which a name added twice leaves below size().
  KVRScene* get(int index) const { return map.at(index); }
  bool contains(const std::string& name) const { return map.contains(name); }
  std::string toString() const override { return "DataObjectPool {\n}\n"; }

 private:
  NamedMap<KVRScene> map;
};
