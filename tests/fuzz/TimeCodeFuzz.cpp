// "mm:ss:mmm" time codes; a parsed code also has to survive formatting and conversion back.
#include <cstdlib>

#include "demosys/core/TimeCode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  TimeCode code = TimeCode::parse(std::string(reinterpret_cast<const char*>(bytes), size));
  code.format();
  if (!code.valid) return 0;
  TimeCode again = TimeCode::fromMilliseconds(code.total);
  again.format();
  if (again.total != code.total) std::abort();
  return 0;
}
