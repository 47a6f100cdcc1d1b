#include "demosys/core/TimeCode.h"

#include <iomanip>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> splitFields(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ':')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// An optional minus sign followed by decimal digits; a lone minus reads as 0. Wraps like the
// unsigned fields it fills, so long numbers never overflow a signed type.
bool parseField(const std::string& field, uint32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < field.size() && field[i] == '-') {
    negative = true;
    ++i;
  }
  if (i == field.size()) {
    value = 0;
    return negative;
  }
  uint32_t result = 0;
  for (; i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return false;
    result = result * 10u + static_cast<uint32_t>(field[i] - '0');
  }
  value = negative ? 0u - result : result;
  return true;
}

}  // namespace

TimeCode TimeCode::parse(const std::string& text) {
  TimeCode code;
  std::vector<std::string> fields = splitFields(text);
  uint32_t m = 0, s = 0, ms = 0;
  if (fields.size() != 3 || !parseField(fields[0], m) || !parseField(fields[1], s) ||
      !parseField(fields[2], ms))
    return code;
  code.minutes = m;
  code.seconds = s;
  code.milliseconds = ms;
  code.total = m * 60000u + s * 1000u + ms;
  code.valid = true;
  return code;
}

TimeCode TimeCode::fromMilliseconds(uint32_t total) {
  TimeCode code;
  code.minutes = total / 60000u;
  code.seconds = (total % 60000u) / 1000u;
  code.milliseconds = total % 1000u;
  code.total = total;
  code.valid = true;
  return code;
}

std::string TimeCode::format() const {
  std::ostringstream out;
  out << std::setfill('0') << "(" << std::setw(10) << total << ")-[" << std::setw(2) << minutes
      << ":" << std::setw(2) << seconds << ":" << std::setw(3) << milliseconds << "]";
  return out.str();
}
