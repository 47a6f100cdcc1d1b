#pragma once

#include <cstdio>
#include <string>

// Reads a text file (an OBJ model or an MTL material library) line by line, refusing what is
// not text: a control byte (binary data, a NUL inside a name) or an endless line stops the
// reading with a message naming the file and the line.
class TextLineReader {
 public:
  explicit TextLineReader(const std::string& path);
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // False, with the reason ("No such file or directory", "Is a directory") as the error, when
  // the file cannot be read.
  bool open();
  // The next line without its line end; false at the end of the file, or on a line that is not
  // text (getError() says which).
  bool next(std::string& line);
  // "PATH:LINE" of the line last returned, for messages about its contents.
  std::string where() const;
  const std::string& getPath() const { return path; }
  const std::string& getError() const { return error; }

 private:
  bool cannotOpen(int code);
  bool fail(const std::string& what);

  std::string path;
  std::FILE* file = nullptr;
  int lineNumber = 0;
  std::string error;
};
