#pragma once

#include <gtest/gtest.h>

#include <string>

// Everything `action` prints on stdout while it runs.
template <class Action>
std::string stdoutOf(Action action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}
