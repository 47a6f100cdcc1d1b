#include "common/PendingFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TempDir.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

size_t entriesIn(const std::string& folder) {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) count += entry.exists() ? 1 : 0;
  return count;
}

}  // namespace

TEST(PendingFileTest, FinalFileChangesOnlyOnCommit) {
  TempDir dir;
  const std::string path = dir.path() + "/out.txt";
  writeText(path, "old");
  {
    PendingFile pending(path);
    ASSERT_TRUE(pending.create()) << pending.getError();
    writeText(pending.temporaryPath(), "half");
    EXPECT_EQ("old", readAll(path));
  }
  // Dropped without a commit: the old file stays and no temporary is left beside it.
  EXPECT_EQ("old", readAll(path));
  EXPECT_EQ(1u, entriesIn(dir.path()));

  PendingFile first(path), second(dir.path() + "/other.txt");
  ASSERT_TRUE(first.create() && second.create());
  writeText(first.temporaryPath(), "new");
  writeText(second.temporaryPath(), "pair");
  std::string error;
  ASSERT_TRUE(PendingFile::commitAll({&first, &second}, error)) << error;
  EXPECT_EQ("new", readAll(path));
  EXPECT_EQ("pair", readAll(dir.path() + "/other.txt"));
  EXPECT_EQ(2u, entriesIn(dir.path()));
}

TEST(PendingFileTest, MissingFolderIsNamed) {
  TempDir dir;
  PendingFile pending(dir.path() + "/absent/out.txt");
  EXPECT_FALSE(pending.create());
  EXPECT_NE(std::string::npos, pending.getError().find("'" + dir.path() + "/absent/out.txt'")) << pending.getError();
  EXPECT_NE(std::string::npos, pending.getError().find("No such file or directory")) << pending.getError();
}

TEST(PendingFileTest, SignalRemovesUncommittedFiles) {
  TempDir dir;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PendingFile::installSignalCleanup();
    PendingFile pending(dir.path() + "/out.txt");
    if (!pending.create()) _exit(3);
    raise(SIGTERM);
    _exit(4);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(SIGTERM, WTERMSIG(status));
  EXPECT_EQ(0u, entriesIn(dir.path()));
}
