// Entry of the whole-demo test binary: every run moves itself onto a private Xvfb first, so
// each test process opens its own window on its own screen. Each test starts from the engine
// state of a fresh process, also when one process runs them all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "demosys/runtime/ResourceLoader.h"

namespace {
class FreshEngine : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override { ResourceLoader::resetEngineState(); }
};
}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("KVR_PRIVATE_XVFB")) {
    setenv("KVR_PRIVATE_XVFB", "1", 1);
    std::vector<char*> command = {const_cast<char*>(KVR_SOURCE_DIR "/tests/support/with-xvfb.sh")};
    for (int i = 0; i < argc; ++i) command.push_back(argv[i]);
    command.push_back(nullptr);
    execv(command[0], command.data());
    return 127;
  }
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshEngine());
  return RUN_ALL_TESTS();
}
