#pragma once

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/scene/Animation.h"

// The camera-path animations by alias name.
class DataAnimationPool : public DataPool {
 public:
  ~DataAnimationPool() override;
  void add(const std::string& name, Animation* animation);
  Animation* get(const std::string& name) const { return map.get(name); }
  // Null at or past the number of entries.
  Animation* get(int index) const { return map.at(index); }
  bool contains(const std::string& name) const { return map.contains(name); }
  std::string toString() const override;

 private:
  NamedMap<Animation> map;
};
