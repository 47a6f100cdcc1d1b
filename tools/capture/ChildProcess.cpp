#include "capture/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Runs in the forked child of a threaded process: system calls only, nothing that allocates.
[[noreturn]] void becomeChild(char* const* argv, const ChildProcess::Setup& setup, pid_t parent) {
  setpgid(0, 0);
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(1);
  // Handlers go with the exec; an ignored SIGPIPE and blocked signals would stay.
  signal(SIGPIPE, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (setup.input >= 0) dup2(setup.input, STDIN_FILENO);
  if (setup.kept >= 0) fcntl(setup.kept, F_SETFD, 0);
  if (setup.quiet) {
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
  }
  if (setup.niceness != 0 && nice(setup.niceness) == -1) {
    // Running at the same priority only costs the report some precision.
  }
  execvp(argv[0], argv);
  _exit(127);
}

int waitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

}  // namespace

ChildProcess::~ChildProcess() { stop(SIGTERM); }

bool ChildProcess::start(const std::vector<std::string>& arguments, const Setup& setup) {
  if (arguments.empty() || pid > 0) return false;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t parent = getpid();
  pid = fork();
  if (pid == 0) becomeChild(argv.data(), setup, parent);
  if (pid < 0) return false;
  // Also here: whichever of the two runs first, the group exists before it is signalled.
  setpgid(pid, pid);
  return true;
}

int ChildProcess::wait() {
  if (pid <= 0) return -1;
  const int status = waitFor(pid);
  pid = -1;
  return status;
}

int ChildProcess::stop(int signal) {
  if (pid <= 0) return -1;
  kill(-pid, signal);
  kill(pid, signal);
  return wait();
}
