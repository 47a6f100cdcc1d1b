#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/PendingFile.h"
#include "support/TempDir.h"

namespace {

TEST(PendingFileTest, AMissingFolderIsNamedAndADroppedFileLeavesTheOldOneAndNoTemporary) {
  TempDir dir;
  PendingFile nowhere(dir.path() + "/absent/out.txt");
  EXPECT_FALSE(nowhere.create());
  EXPECT_EQ("cannot write '" + dir.path() + "/absent/out.txt' (folder '" + dir.path() +
                "/absent': No such file or directory)",
            nowhere.getError());
  const std::string path = dir.write("out.txt", "old");
  {
    PendingFile dropped(path);
    ASSERT_TRUE(dropped.create()) << dropped.getError();
    ASSERT_TRUE(writeFile(dropped.temporaryPath(), {'h', 'a', 'l', 'f'}));
  }
  EXPECT_EQ("old", readFile(path));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path()), {}));
}

TEST(PendingFileTest, SignalRemovesUncommittedFilesAndEndsWithTheSignal) {
  TempDir dir;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PendingFile::installSignalCleanup();
    PendingFile pending(dir.path() + "/out.txt");
    if (pending.create()) raise(SIGTERM);
    _exit(3);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
