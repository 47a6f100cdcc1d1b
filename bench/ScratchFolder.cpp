#include "ScratchFolder.h"

#include <limits.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

const int MAX_FOLDERS = 8;

// Written before the handlers can run and read only by them: a handler may not allocate, so the
// paths wait here as plain characters.
char foldersToRemove[MAX_FOLDERS][PATH_MAX];

// fork, execv and waitpid are safe in a handler; a walk through the folder is not.
void removeFoldersAndEnd(int signalNumber) {
  for (char* folder : foldersToRemove) {
    if (folder[0] == '\0') continue;
    pid_t child = fork();
    if (child == 0) {
      char* const arguments[] = {const_cast<char*>("rm"), const_cast<char*>("-rf"), const_cast<char*>("--"),
                                 folder, nullptr};
      execv("/bin/rm", arguments);
      _exit(127);
    }
    if (child > 0) waitpid(child, nullptr, 0);
  }
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

void installHandlersOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action = {};
  action.sa_handler = removeFoldersAndEnd;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (name.size() > PATH_MAX) errno = ENAMETOOLONG;
  if (name.size() > PATH_MAX || !mkdtemp(name.data())) {
    error = "cannot make a scratch folder " + pattern + ": " + std::strerror(errno);
    return;
  }
  folder = name.data();
  for (int i = 0; i < MAX_FOLDERS && slot < 0; ++i)
    if (foldersToRemove[i][0] == '\0') slot = i;
  if (slot >= 0) {
    std::memcpy(foldersToRemove[slot], name.data(), name.size());
    installHandlersOnce();
  }
}

ScratchFolder::~ScratchFolder() {
  if (slot >= 0) foldersToRemove[slot][0] = '\0';
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}
