#include "demosys/scene/AnimationLoader.h"

#include <algorithm>
#include <memory>
#include <sstream>

#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/scene/Animation.h"

namespace {

const char* const MAGIC = "KVRANI1";
const char* const WHITE_SPACE = " \t\r\n\v\f";

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(WHITE_SPACE);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(WHITE_SPACE);
  return text.substr(first, last - first + 1);
}

// Pieces between separators, trimmed, empty ones dropped.
std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::istringstream stream(text);
  std::string piece;
  while (std::getline(stream, piece, separator)) {
    piece = trimmed(piece);
    if (!piece.empty()) pieces.push_back(piece);
  }
  return pieces;
}

// Lines and fields past the end read as empty text.
class FieldReader {
 public:
  explicit FieldReader(const std::string& text) : lines(split(text, '\n')) {}

  size_t lineCount() const { return lines.size(); }
  std::string line(size_t index) const { return index < lines.size() ? lines[index] : std::string(); }
  // Field 1 is the first field of the line.
  std::string field(size_t lineIndex, size_t fieldNumber) const {
    std::vector<std::string> fields = split(line(lineIndex), ' ');
    return fieldNumber - 1 < fields.size() ? fields[fieldNumber - 1] : std::string();
  }

 private:
  std::vector<std::string> lines;
};

template <typename Number>
Number parsed(const std::string& text) {
  Number value = 0;
  std::istringstream stream(text);
  if (!(stream >> value)) return 0;
  return value;
}

}  // namespace

AnimationLoader::AnimationLoader(const std::string& fileName) : fileName(fileName) {}

Animation* AnimationLoader::Load() {
  std::unique_ptr<ResourceFile> file(ResourceAccess::loadFile(fileName));
  if (!file || !file->isOk()) return fail("File '" + fileName + "' not found!\n");
  return LoadText(file->text());
}

Animation* AnimationLoader::LoadText(const std::string& text) {
  fileText = text;
  FieldReader reader(fileText);
  if (reader.line(0) != MAGIC) return fail("File : '" + fileName + "' have invalid header\n");

  long long announced = parsed<long long>(reader.field(1, 2));
  // Every keyframe past the file's last line reads as zeros; a count beyond the line count
  // can only come from a damaged file and must not make the engine allocate without bound.
  long long keyframeCount = std::max(0LL, std::min<long long>(announced, reader.lineCount()));

  result = new Animation();
  for (long long k = 0; k < keyframeCount; ++k) {
    size_t positionLine = 2 + 2 * static_cast<size_t>(k);
    AnimationKeyframe* key = new AnimationKeyframe();
    key->x = parsed<float>(reader.field(positionLine, 2));
    key->y = parsed<float>(reader.field(positionLine, 3));
    key->z = parsed<float>(reader.field(positionLine, 4));
    key->pitch = parsed<float>(reader.field(positionLine + 1, 2));
    key->heading = parsed<float>(reader.field(positionLine + 1, 3));
    result->AddKeyframe(key);
  }
  ok = true;
  return result;
}

Animation* AnimationLoader::fail(const std::string& reason) {
  error = "Error while loading animation data\n" + reason;
  ok = false;
  result = nullptr;
  return nullptr;
}
