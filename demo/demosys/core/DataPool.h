#pragma once

#include <cstdint>
#include <string>

// The base of every named store of loaded resources.
class DataPool {
 public:
  virtual ~DataPool() = default;
  virtual int32_t size() const { return count; }
  virtual std::string toString() const { return "DataPool { size = " + std::to_string(count) + " }\n"; }

 protected:
  // The counting pools count calls of add here, so a name added twice counts twice.
  int32_t count = 0;
};
