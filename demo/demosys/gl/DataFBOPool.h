#pragma once

#include <vector>

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/gl/FBO.h"

class DataFBOPool : public DataPool {
 public:
  ~DataFBOPool() override;
  void add(const std::string& name, FBO* fbo);
  FBO* get(const std::string& name) const { return map.get(name); }
  bool contains(const std::string& name) const { return map.contains(name); }
  // Like get, but says so when the name is missing.
  FBO* getFBO(const std::string& name) const;
  FBO* getFBO(int index) const { return fbos[index]; }
  const std::string& getName(int index) const { return names[index]; }
  int32_t size() const override { return static_cast<int32_t>(map.entries.size()); }
  // Clears every framebuffer drawn into this frame, then makes the screen the target again.
  void clearUsed();
  std::string toString() const override;

 private:
  NamedMap<FBO> map;
  std::vector<FBO*> fbos;
  std::vector<std::string> names;
};
