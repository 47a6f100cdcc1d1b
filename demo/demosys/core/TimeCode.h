#pragma once

#include <cstdint>
#include <string>

// A demo time as minutes, seconds and milliseconds, read from and written as "mm:ss:mmm".
class TimeCode {
 public:
  TimeCode() = default;

  // Text of exactly three ":"-separated integer fields; anything else gives zeros and valid false.
  static TimeCode parse(const std::string& text);
  static TimeCode fromMilliseconds(uint32_t total);

  // "(0000150850)-[02:30:850]": zeros only ever padded in front.
  std::string format() const;

  uint32_t minutes = 0;
  uint32_t seconds = 0;
  uint32_t milliseconds = 0;
  uint32_t total = 0;
  bool valid = false;
};
