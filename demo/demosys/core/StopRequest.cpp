#include "demosys/core/StopRequest.h"

#include <signal.h>

namespace {

volatile sig_atomic_t pendingSignal = 0;

extern "C" void recordStop(int signal) {
  if (pendingSignal != 0) {
    // Asked twice: whatever is being cleaned up is taking too long for the user.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return;
  }
  pendingSignal = signal;
}

void handle(int signal) {
  struct sigaction action = {};
  action.sa_handler = recordStop;
  sigemptyset(&action.sa_mask);
  // Slow calls (a pipe write to ffmpeg, a wait) resume rather than fail with EINTR.
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

}  // namespace

void StopRequest::install() {
  handle(SIGINT);
  handle(SIGTERM);
}

bool StopRequest::requested() { return pendingSignal != 0; }

int StopRequest::signalNumber() { return pendingSignal; }

int StopRequest::exitStatus() { return pendingSignal == 0 ? 0 : 128 + pendingSignal; }

void StopRequest::clear() { pendingSignal = 0; }

void StopRequest::raise(int signal) { pendingSignal = signal; }
