#include "demosys/KVRAssert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* kvrSourceName(const char* file) {
  const char* demo = std::strstr(file, "demo/");
  return demo ? demo : file;
}

void kvrAssertFail(const char* text, const char* file, int line, const char* function) {
  std::fflush(stdout);
  std::fprintf(stderr, "brinova: %s:%d: %s: Assertion `%s' failed.\n", kvrSourceName(file), line,
               function, text);
  std::fflush(stderr);
  std::abort();
}
