#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

class ResourceFile;

// Outcome of loading one shader pair: a failure replaces the message and clears ok; success
// leaves both as the caller set them. The loading stage reports the message.
struct ShaderLoadResult {
  std::string message;
  bool ok = true;
};

// Opens a shader text file by path; the caller owns the returned file (null counts as missing).
using ShaderFileOpener = std::function<ResourceFile*(const std::string& path)>;

// The engine's own shader text preprocessor: injected #define lines in front, and #include lines
// replaced, recursively, by the named file's lines. It works on text only, so it runs without GL.
class ShaderPreprocessor {
 public:
  // Deep enough for any real shader library, shallow enough to stop a file including itself.
  static const int MAX_INCLUDE_DEPTH = 16;

  // Reads through the engine's resource access (directory tree or archive).
  ShaderPreprocessor();
  explicit ShaderPreprocessor(ShaderFileOpener opener);
  // An opener over files held in memory, path to contents (tests, fuzzing, generated shaders).
  static ShaderFileOpener memoryFiles(std::map<std::string, std::string> files);

  // "#define <s>\n" for the second to the last string; the first string names the set.
  static void appendDefines(std::string& output, const std::vector<std::string>& defines);
  // Appends `lines` (the lines of `fileName`) with every include resolved against `directory`.
  bool includeFiles(ShaderLoadResult& result, std::string& output, const std::vector<std::string>& lines,
                    const std::string& directory, const std::string& fileName, int depth) const;
  ResourceFile* open(const std::string& path) const { return opener(path); }

 private:
  static std::vector<std::string> words(const std::string& line);
  static bool isIncludeCandidate(const std::string& line);
  bool include(ShaderLoadResult& result, std::string& output, const std::string& line,
               const std::string& name, const std::string& directory, const std::string& fileName,
               int depth) const;

  ShaderFileOpener opener;
};
