#pragma once

#include "demosys/core/DataPool.h"
#include "demosys/core/NamedMap.h"
#include "demosys/io/Binary.h"

class DataBinaryPool : public DataPool {
 public:
  ~DataBinaryPool() override;
  void add(const std::string& name, Binary* binary);
  Binary* get(const std::string& name) const { return map.get(name); }
  Binary* get(int index) const { return map.at(index); }
  bool contains(const std::string& name) const { return map.contains(name); }
  std::string toString() const override;

 private:
  NamedMap<Binary> map;
};
