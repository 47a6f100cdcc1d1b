#pragma once

#include <string>
#include <vector>

// An output file written under a temporary name in its final folder and renamed into place
// only when complete, so that a failure, a crash or Ctrl-C never leaves a half-written file
// where a good one was. Writers that take a path write to temporaryPath(); commit() renames.
// Not committed, the temporary file is removed: by the destructor, or by the SIGINT/SIGTERM
// handler of installSignalCleanup() when the process is stopped.
class PendingFile {
 public:
  explicit PendingFile(const std::string& finalPath);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Creates the temporary file (empty) beside the final path; false with a message naming the
  // final path when its folder is missing or not writable.
  bool create();
  const std::string& temporaryPath() const { return temporary; }
  const std::string& finalPath() const { return target; }
  // Replaces the final path with the temporary file, keeping the final file's permission bits
  // the umask would give a new file.
  bool commit();
  // Removes the temporary file; the final path keeps what it held.
  void discard();
  const std::string& getError() const { return error; }

  // Renames every file in order, all created and complete: the closest a set of files gets to
  // being replaced together. Stops at the first failure, with its message in `error`.
  static bool commitAll(const std::vector<PendingFile*>& files, std::string& error);
  // A program that writes pending files calls this once: SIGINT and SIGTERM then remove every
  // uncommitted temporary file and end the process with the signal's usual status.
  static void installSignalCleanup();

 private:
  bool fail(const std::string& text);

  std::string target;
  std::string temporary;
  std::string error;
  int slot = -1;
};
