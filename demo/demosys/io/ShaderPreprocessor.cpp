#include "demosys/io/ShaderPreprocessor.h"

#include <memory>

#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"

ShaderPreprocessor::ShaderPreprocessor() : opener(ResourceAccess::loadTextFile) {}

ShaderPreprocessor::ShaderPreprocessor(ShaderFileOpener opener) : opener(std::move(opener)) {}

ShaderFileOpener ShaderPreprocessor::memoryFiles(std::map<std::string, std::string> files) {
  return [files = std::move(files)](const std::string& path) {
    ResourceFile* file = new ResourceFile(path);
    auto found = files.find(path);
    if (found != files.end()) file->fill(std::vector<uint8_t>(found->second.begin(), found->second.end()));
    return file;
  };
}

void ShaderPreprocessor::appendDefines(std::string& output, const std::vector<std::string>& defines) {
  for (size_t i = 1; i < defines.size(); ++i) output += "#define " + defines[i] + "\n";
}

bool ShaderPreprocessor::isIncludeCandidate(const std::string& line) {
  return line.size() > 9 && line[0] == '#';
}

std::vector<std::string> ShaderPreprocessor::words(const std::string& line) {
  static const char* const trimmed = " \t\r\n";
  std::vector<std::string> result;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = line.find(' ', start);
    if (end == std::string::npos) end = line.size();
    std::string piece = line.substr(start, end - start);
    size_t first = piece.find_first_not_of(trimmed);
    if (first != std::string::npos)
      result.push_back(piece.substr(first, piece.find_last_not_of(trimmed) - first + 1));
    start = end + 1;
  }
  return result;
}

bool ShaderPreprocessor::includeFiles(ShaderLoadResult& result, std::string& output,
                                      const std::vector<std::string>& lines, const std::string& directory,
                                      const std::string& fileName, int depth) const {
  for (const std::string& line : lines) {
    std::vector<std::string> parts = isIncludeCandidate(line) ? words(line) : std::vector<std::string>();
    if (parts.size() < 2 || parts[0] != "#include") {
      output += line + "\n";
      continue;
    }
    if (!include(result, output, line, parts[1], directory, fileName, depth)) return false;
  }
  return true;
}

bool ShaderPreprocessor::include(ShaderLoadResult& result, std::string& output, const std::string& line,
                                 const std::string& name, const std::string& directory,
                                 const std::string& fileName, int depth) const {
  std::unique_ptr<ResourceFile> file;
  // A file that includes itself, directly or through others, ends here instead of in a stack overflow.
  if (depth < MAX_INCLUDE_DEPTH) {
    file.reset(opener(directory + name));
    ResourceAccess::registerUsedFile(directory + name);
  }
  if (!file || !file->isOk()) {
    result.message = "Failed to include '" + line + "' in " + fileName + " depth " + std::to_string(depth);
    result.ok = false;
    return false;
  }
  return includeFiles(result, output, file->lines(), directory, name, depth + 1);
}
