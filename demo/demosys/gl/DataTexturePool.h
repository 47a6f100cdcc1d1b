#pragma once

#include <map>

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/gl/Texture.h"

class DataTexturePool : public DataPool {
 public:
  ~DataTexturePool() override;
  // Also records the texture's file under this name, so a file is loaded once.
  void add(const std::string& name, Texture* texture);
  Texture* get(const std::string& name) const { return map.get(name); }
  bool contains(const std::string& name) const { return map.contains(name); }
  bool isFileLoaded(const std::string& fileName) const { return fileMap.count(fileName) != 0; }
  std::map<std::string, std::string> getFileMap() const { return fileMap; }
  int64_t totalMemorySize() const;
  int64_t totalFileSize() const;
  std::string toString() const override;

 private:
  NamedMap<Texture> map;
  std::map<std::string, std::string> fileMap;
};
