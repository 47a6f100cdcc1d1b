#include "objconv/TextLineReader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

const size_t MAX_LINE_BYTES = 1 << 20;
const char* const BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// Blanks and line ends are text; every other byte below the space, and DEL, is not.
bool isControl(int byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\v' && byte != '\f') || byte == 0x7F;
}

std::string hexByte(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

}  // namespace

TextLineReader::TextLineReader(const std::string& path) : path(path) {}

TextLineReader::~TextLineReader() {
  if (file) std::fclose(file);
}

bool TextLineReader::open() {
  file = std::fopen(path.c_str(), "rb");
  if (!file) return cannotOpen(errno);
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) return cannotOpen(EISDIR);
  return true;
}

bool TextLineReader::next(std::string& line) {
  line.clear();
  int byte = getc_unlocked(file);
  if (byte == EOF) {
    if (std::ferror(file)) fail(std::strerror(errno));
    return false;
  }
  ++lineNumber;
  for (; byte != EOF && byte != '\n'; byte = getc_unlocked(file)) {
    if (isControl(byte)) return fail("binary data (byte " + hexByte(byte) + "), not text");
    if (line.size() == MAX_LINE_BYTES)
      return fail("line longer than " + std::to_string(MAX_LINE_BYTES) + " bytes");
    line += static_cast<char>(byte);
  }
  if (std::ferror(file)) return fail(std::strerror(errno));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (lineNumber == 1 && line.compare(0, 3, BYTE_ORDER_MARK) == 0) line.erase(0, 3);
  return true;
}

std::string TextLineReader::where() const { return path + ":" + std::to_string(lineNumber); }

bool TextLineReader::cannotOpen(int code) {
  error = std::strerror(code);
  return false;
}

bool TextLineReader::fail(const std::string& what) {
  error = where() + ": " + what;
  return false;
}
