#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The words of the timeline text that the track compiler reads and the dump writes; each
// parser accepts exactly what the matching formatter produces.
namespace TimelineSyntax {

// The words of a line, up to a "#" that starts a comment.
std::vector<std::string> SplitWords(const std::string& line);

// Instance, track and target names: any word; instance names also without a full stop,
// which separates the instance from the track in the stored keys.
bool IsName(const std::string& word);
bool IsInstanceName(const std::string& word);

// "mm:ss:mmm" (a time on a row boundary) or a plain row number.
bool ParseTime(const std::string& word, uint32_t rate, uint32_t& row);
// "mm:ss:mmm" where the row has an exact time below 100 minutes, else the row number.
std::string FormatTime(uint32_t row, uint32_t rate);

bool ParseInteger(const std::string& word, int32_t& value);
bool ParseRow(const std::string& word, uint32_t& row);

// Shortest text that reads back as the same float.
bool ParseValue(const std::string& word, float& value);
std::string FormatValue(float value);

// linear, sine, cosine, step, quadratic, or the stored code as a number.
bool ParseCurve(const std::string& word, uint32_t& curve);
std::string FormatCurve(uint32_t curve);

}  // namespace TimelineSyntax
