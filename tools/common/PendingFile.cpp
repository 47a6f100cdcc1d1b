#include "common/PendingFile.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Uncommitted temporary names, kept where a signal handler can reach them without allocating.
const int MAX_PENDING = 64;
const size_t MAX_PATH_BYTES = 4096;
char pendingPaths[MAX_PENDING][MAX_PATH_BYTES];
volatile sig_atomic_t pendingUsed[MAX_PENDING];

int registerPath(const std::string& path) {
  if (path.size() >= MAX_PATH_BYTES) return -1;
  for (int slot = 0; slot < MAX_PENDING; ++slot) {
    if (pendingUsed[slot]) continue;
    std::memcpy(pendingPaths[slot], path.c_str(), path.size() + 1);
    pendingUsed[slot] = 1;
    return slot;
  }
  return -1;
}

void unregisterPath(int slot) {
  if (slot >= 0) pendingUsed[slot] = 0;
}

extern "C" void removePendingAndStop(int signal) {
  for (int slot = 0; slot < MAX_PENDING; ++slot)
    if (pendingUsed[slot]) unlink(pendingPaths[slot]);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

PendingFile::PendingFile(const std::string& finalPath) : target(finalPath) {}

PendingFile::~PendingFile() { discard(); }

bool PendingFile::fail(const std::string& text) {
  error = text;
  return false;
}

bool PendingFile::create() {
  discard();
  if (target.empty() || target.back() == '/') return fail("'" + target + "' is not a file name");
  // Hidden, and named after the file it becomes, so that a stray one says what it was.
  std::string pattern = folderOf(target) + "/." + nameOf(target) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0)
    return fail("cannot write '" + target + "' (folder '" + folderOf(target) + "': " + std::strerror(errno) + ")");
  // mkstemp makes the file private; the finished file gets what any new file would.
  fchmod(descriptor, newFileMode());
  close(descriptor);
  temporary = name.data();
  slot = registerPath(temporary);
  return true;
}

bool PendingFile::commit() {
  if (temporary.empty()) return fail("'" + target + "' was never written");
  if (std::rename(temporary.c_str(), target.c_str()) != 0)
    return fail("cannot replace '" + target + "': " + std::strerror(errno));
  unregisterPath(slot);
  slot = -1;
  temporary.clear();
  return true;
}

void PendingFile::discard() {
  if (temporary.empty()) return;
  unregisterPath(slot);
  slot = -1;
  std::remove(temporary.c_str());
  temporary.clear();
}

bool PendingFile::commitAll(const std::vector<PendingFile*>& files, std::string& error) {
  for (PendingFile* file : files) {
    if (!file->commit()) {
      error = file->getError();
      return false;
    }
  }
  return true;
}

void PendingFile::installSignalCleanup() {
  struct sigaction action = {};
  action.sa_handler = removePendingAndStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}
