#pragma once

#include <string>

// The one fatal report for programming errors: prints the expression, the source file,
// the line and the full signature of the function, then aborts. `text` is the expression
// as the report should show it, which lets callers keep the engine's historic wording.
[[noreturn]] void kvrAssertFail(const char* text, const char* file, int line, const char* function);

// Strips the build machine's directories and the engine's subsystem folder, so reports name
// files as "demo/demosys/Demo.cpp".
std::string kvrSourceName(const char* file);

#define KVR_ASSERT(condition, text)                                           \
  do {                                                                        \
    if (!(condition)) kvrAssertFail(text, __FILE__, __LINE__, __PRETTY_FUNCTION__); \
  } while (0)
