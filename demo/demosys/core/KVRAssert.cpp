#include "demosys/core/KVRAssert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

std::string kvrSourceName(const char* file) {
  const char* demo = std::strstr(file, "demo/");
  std::string name = demo ? demo : file;
  // The engine's subsystem folders stay out of the reports, which have always named engine
  // files as "demo/demosys/Demo.cpp".
  const std::string engine = "demo/demosys/";
  if (name.compare(0, engine.size(), engine) == 0) {
    const size_t folderEnd = name.find('/', engine.size());
    if (folderEnd != std::string::npos) name.erase(engine.size(), folderEnd + 1 - engine.size());
  }
  return name;
}

void kvrAssertFail(const char* text, const char* file, int line, const char* function) {
  std::fflush(stdout);
  std::fprintf(stderr, "brinova: %s:%d: %s: Assertion `%s' failed.\n", kvrSourceName(file).c_str(), line,
               function, text);
  std::fflush(stderr);
  std::abort();
}
