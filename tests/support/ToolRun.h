#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "support/TempDir.h"

// How a program of the build ended and what it printed on each stream.
struct ToolRun {
  int status = -1;
  std::string out, err;
  // The whole answer as "STATUS OUT|ERR".
  std::string answer() const { return std::to_string(status) + " " + out + "|" + err; }
};

// Runs build/PROGRAM with `arguments` (shell words, quoted by the caller).
inline ToolRun runTool(const std::string& program, const std::string& arguments) {
  TempDir logs;
  const std::string out = logs.path() + "/out", err = logs.path() + "/err";
  const int wait = std::system(
      (std::string(KVR_BINARY_DIR) + "/" + program + " " + arguments + " >" + out + " 2>" + err).c_str());
  return {WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, readFile(out), readFile(err)};
}

// What every tool answers: --help (status 0) names each of `helpWords`, --version (status 0)
// prints exactly `version`, and each of `wrongArguments` gets exactly `usage` on standard error
// with status 2.
inline void expectHelpVersionAndUsage(const std::string& program,
                                      std::initializer_list<const char*> helpWords,
                                      const std::string& version, const std::string& usage,
                                      std::initializer_list<const char*> wrongArguments) {
  const ToolRun help = runTool(program, "--help");
  EXPECT_EQ(0, help.status);
  for (const char* word : helpWords) EXPECT_NE(std::string::npos, help.out.find(word)) << word;
  EXPECT_EQ("0 " + version + "|", runTool(program, "--version").answer());
  for (const char* arguments : wrongArguments)
    EXPECT_EQ("2 |" + usage, runTool(program, arguments).answer()) << arguments;
}
