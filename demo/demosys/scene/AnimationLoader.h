#pragma once

#include <string>
#include <vector>

class Animation;

// Reads one "KVRANI1" camera-path text file: the magic line, "keyframes <count>", then per
// keyframe a "pos x y z" line and a "rot pitch heading" line. Missing lines or fields read as
// empty text, which gives zero.
class AnimationLoader {
 public:
  // `fileName` is the path the resource access opens, misc directory included.
  explicit AnimationLoader(const std::string& fileName);

  // A new animation the caller owns, or null with the error text set.
  Animation* Load();
  // Parses text already in memory, as Load does after opening the file.
  Animation* LoadText(const std::string& text);
  bool IsOk() const { return ok; }
  const std::string& GetError() const { return error; }

 private:
  Animation* fail(const std::string& reason);

  Animation* result = nullptr;
  std::string fileName;
  std::string fileText;
  std::string error;
  bool ok = true;
};
