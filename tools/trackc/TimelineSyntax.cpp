#include "trackc/TimelineSyntax.h"

#include <charconv>
#include <cstdio>

namespace TimelineSyntax {

namespace {

const char* const CURVE_NAMES[] = {"linear", "sine", "cosine", "step", "quadratic"};
const uint32_t CURVE_NAME_COUNT = sizeof CURVE_NAMES / sizeof CURVE_NAMES[0];
const uint64_t MS_PER_MINUTE = 60000;
const uint64_t PRINTED_MINUTES = 100;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool isDigits(const std::string& word) {
  if (word.empty()) return false;
  for (char c : word)
    if (c < '0' || c > '9') return false;
  return true;
}

template <typename Number>
bool parseWhole(const std::string& word, Number& value) {
  const char* end = word.data() + word.size();
  std::from_chars_result result = std::from_chars(word.data(), end, value);
  return !word.empty() && result.ec == std::errc() && result.ptr == end;
}

bool parseMilliseconds(const std::string& word, uint64_t& total) {
  size_t first = word.find(':');
  size_t second = first == std::string::npos ? first : word.find(':', first + 1);
  if (second == std::string::npos) return false;
  std::string minutes = word.substr(0, first);
  std::string seconds = word.substr(first + 1, second - first - 1);
  std::string millis = word.substr(second + 1);
  uint32_t m = 0, s = 0, ms = 0;
  if (!isDigits(minutes) || !isDigits(seconds) || !isDigits(millis)) return false;
  if (!parseWhole(minutes, m) || !parseWhole(seconds, s) || !parseWhole(millis, ms)) return false;
  if (s >= 60 || ms >= 1000) return false;
  total = m * MS_PER_MINUTE + s * 1000u + ms;
  return true;
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line.substr(0, line.find('#'))) {
    if (!isSpace(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool IsName(const std::string& word) {
  if (word.empty()) return false;
  for (char c : word)
    if (isSpace(c) || c == '#' || c == '\0') return false;
  return true;
}

bool IsInstanceName(const std::string& word) { return IsName(word) && word.find('.') == std::string::npos; }

bool ParseRow(const std::string& word, uint32_t& row) { return isDigits(word) && parseWhole(word, row); }

bool ParseInteger(const std::string& word, int32_t& value) { return parseWhole(word, value); }

bool ParseTime(const std::string& word, uint32_t rate, uint32_t& row) {
  if (word.find(':') == std::string::npos) return ParseRow(word, row);
  uint64_t total = 0;
  if (!parseMilliseconds(word, total) || (total * rate) % 1000 != 0) return false;
  uint64_t rows = total * rate / 1000;
  if (rows > UINT32_MAX) return false;
  row = static_cast<uint32_t>(rows);
  return true;
}

std::string FormatTime(uint32_t row, uint32_t rate) {
  uint64_t scaled = uint64_t(row) * 1000;
  if (rate == 0 || scaled % rate != 0 || scaled / rate >= PRINTED_MINUTES * MS_PER_MINUTE)
    return std::to_string(row);
  uint64_t total = scaled / rate;
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%03u", unsigned(total / MS_PER_MINUTE),
                unsigned(total % MS_PER_MINUTE / 1000), unsigned(total % 1000));
  return text;
}

bool ParseValue(const std::string& word, float& value) {
  const char* begin = word.data();
  const char* end = begin + word.size();
  if (begin != end && *begin == '+') ++begin;
  std::from_chars_result result = std::from_chars(begin, end, value);
  return begin != end && result.ec == std::errc() && result.ptr == end;
}

std::string FormatValue(float value) {
  char text[32];
  std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

bool ParseCurve(const std::string& word, uint32_t& curve) {
  for (uint32_t code = 0; code < CURVE_NAME_COUNT; ++code) {
    if (word == CURVE_NAMES[code]) {
      curve = code;
      return true;
    }
  }
  return ParseRow(word, curve);
}

std::string FormatCurve(uint32_t curve) {
  return curve < CURVE_NAME_COUNT ? CURVE_NAMES[curve] : std::to_string(curve);
}

}  // namespace TimelineSyntax
