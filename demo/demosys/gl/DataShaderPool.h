#pragma once

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/gl/Shader.h"

class DataShaderPool : public DataPool {
 public:
  ~DataShaderPool() override { map.deleteAll(); }
  void add(const std::string& name, Shader* shader) { map.add(name, shader); }
  Shader* get(const std::string& name) const { return map.get(name); }
  bool contains(const std::string& name) const { return map.contains(name); }
  int32_t size() const override { return static_cast<int32_t>(map.entries.size()); }
  // Also prints the number of shaders straight to standard output.
  std::string toString() const override;

 private:
  NamedMap<Shader> map;
};
