#include "Random.h"

uint64_t Random::next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float Random::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }

float Random::hash(int x, int y, uint32_t seed) {
  Random r((static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) ^ static_cast<uint32_t>(y) ^
           (static_cast<uint64_t>(seed) << 17));
  return r.uniform();
}
