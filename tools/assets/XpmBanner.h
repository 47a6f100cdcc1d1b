#pragma once

#include <string>

class Canvas;

// Turns a picture into a C header holding an XPM image (two characters per pixel), the form in
// which the launcher keeps its banner.
class XpmBanner {
 public:
  static std::string headerText(const Canvas& image, const std::string& arrayName);
  bool write(const Canvas& image, const std::string& arrayName, const std::string& path);
  const std::string& error() const { return error_; }

 private:
  std::string error_;
};
