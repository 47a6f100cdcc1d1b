#pragma once

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/runtime/Effect.h"

// Effect prototypes by type name, or live instances by instance name.
class DataEffectPool : public DataPool {
 public:
  ~DataEffectPool() override;
  void add(const std::string& name, Effect* effect) { map.add(name, effect); }
  // A missing name is entered with a null effect, so later dumps and counts show the lookup.
  Effect* get(const std::string& name);
  bool contains(const std::string& name) const { return map.contains(name); }
  void remove(const std::string& name) { map.entries.erase(name); }
  const std::string& getName(int index) const;
  int32_t size() const override { return static_cast<int32_t>(map.entries.size()); }
  std::string toString() const override;
  const NamedMap<Effect>::Map& entries() const { return map.entries; }

 private:
  NamedMap<Effect> map;
};
