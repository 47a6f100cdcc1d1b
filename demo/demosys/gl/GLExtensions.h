#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What the GL driver offers: its extension names and a handful of implementation limits,
// recorded once after the window opens so a run's log shows what it ran on.
class GLExtensions {
 public:
  // Reads the extension string and queries the limits; needs a current GL context.
  GLExtensions();

  bool hasExtension(const std::string& name) const;
  void addRequired(const std::string& name);
  bool checkRequired();
  std::string missingReport() const;
  // Prints the block of limits and returns the extensions, in byte order, on one line.
  std::string report() const;

  // The limits in report order; the last two are never queried and stay 0.
  static const int VALUE_COUNT = 10;
  static int32_t values[VALUE_COUNT];
  static const char* const VALUE_LABELS[VALUE_COUNT];

 private:
  std::map<std::string, bool> extensions;
  std::vector<std::string> required;
  std::vector<std::string> missing;
};
