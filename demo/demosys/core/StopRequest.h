#pragma once

// A stop asked for from outside the process: SIGINT (Ctrl-C) or SIGTERM. Installed before SDL
// starts, so that SDL keeps these handlers instead of turning the signals into quit events,
// which it also makes of the window's close button, and which the demo ignores for that reason.
// The frame loops poll it and end the way Escape ends them.
class StopRequest {
 public:
  // Handlers for SIGINT and SIGTERM that record the signal; a second signal of either kind
  // while the first is still being honoured ends the process at once, as the default would.
  static void install();
  static bool requested();
  // The signal that asked, 0 when none did.
  static int signalNumber();
  // The shell's convention for a process ended by a signal: 128 + its number; 0 when none.
  static int exitStatus();
  // Forgets a recorded stop (for tests and programs that run several demos).
  static void clear();
  // Records a stop as the handler would, without a signal (for tests).
  static void raise(int signal);
};
