#include "demosys/io/Binary.h"

namespace {
constexpr float BYTE_SCALE = 0.00390625f;
}

Binary::Binary(const std::vector<uint8_t>& bytes) : data(bytes) {}

Binary::~Binary() { delete[] normalised; }

const float* Binary::GetFloats() {
  if (!normalised) normalised = GetFloatRange(0, GetSize());
  return normalised;
}

float* Binary::GetFloatRange(uint32_t offset, uint32_t count) const {
  float* values = new float[count];
  for (uint32_t j = 0; j < count; ++j) {
    uint64_t at = uint64_t(offset) + j;
    values[j] = at < data.size() ? data[at] * BYTE_SCALE : 0.0f;
  }
  return values;
}

std::string Binary::Describe() const { return "Binary { size = " + std::to_string(GetSize()) + " }\n"; }
