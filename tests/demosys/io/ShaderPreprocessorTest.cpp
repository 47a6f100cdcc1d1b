#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ShaderLoader.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/io/ShaderPreprocessor.h"

namespace {

const std::string DIR = "resources/shaders/";
using Files = std::map<std::string, std::string>;

struct Outcome {
  bool returned;
  ShaderLoadResult result;
  std::string source;
};

// Preprocesses DIR + `top` from `files` (names relative to DIR), defines first.
Outcome preprocess(const Files& files, const std::string& top, const std::vector<std::string>& defines = {}) {
  Files stored;
  for (const auto& entry : files) stored[DIR + entry.first] = entry.second;
  ShaderLoader loader(ShaderPreprocessor(ShaderPreprocessor::memoryFiles(stored)));
  Outcome outcome{false, {}, ""};
  outcome.result.message = "untouched";
  outcome.returned = loader.buildSource(outcome.result, outcome.source, DIR, top, defines, "missing " + top);
  return outcome;
}

// x.vert includes f1.glsl, which includes f2.glsl, ... down to f<levels>.glsl.
Files chain(int levels) {
  Files files = {{"x.vert", "#include f1.glsl"}};
  for (int level = 1; level <= levels; ++level)
    files["f" + std::to_string(level) + ".glsl"] =
        level < levels ? "#include f" + std::to_string(level + 1) + ".glsl" : "deepest";
  return files;
}

class ShaderPreprocessorTest : public testing::Test {
 protected:
  void SetUp() override { KVRDemosys::usedResourceFiles.clear(); }
  void TearDown() override { KVRDemosys::usedResourceFiles.clear(); }
};

}  // namespace

// A directive is a line of more than nine bytes starting "#include " with a name after it.
TEST_F(ShaderPreprocessorTest, EachLineIsCopiedOrReplacedByItsIncludeAfterTheDefines) {
  const std::pair<const char*, const char*> cases[] = {
      {"#include a", "A\n"},                 // 10 bytes: a directive
      {"#include  ", "#include  \n"},        // 10 bytes but one word only
      {"#includ a", "#includ a\n"},          // 9 bytes: copied
      {"#include   a   ", "A\n"},            // several blanks and a trailing one
      {" #include a", " #include a\n"},      // the first byte must be '#'
      {"#includea a", "#includea a\n"},      // letter attached to the directive word
      {"#include a extra", "A\n"},           // further words are ignored
      {"#include\ta b", "#include\ta b\n"},  // words split at blanks only
  };
  for (const auto& c : cases) {
    Outcome outcome = preprocess({{"top.frag", c.first}, {"a", "A"}}, "top.frag");
    EXPECT_TRUE(outcome.returned) << c.first;
    EXPECT_EQ(c.second, outcome.source) << c.first;
    EXPECT_EQ("untouched", outcome.result.message);
  }
  // The first define names the set; each other one becomes a line.
  EXPECT_EQ("#define A\n#define B 1\nbody\n",
            preprocess({{"x.vert", "body"}}, "x.vert", {"set", "A", "B 1"}).source);
}

// Includes resolve against the shader folder, sixteen levels deep at most (which also ends a
// cycle); a failure names the directive, the file holding it and its depth.
TEST_F(ShaderPreprocessorTest, IncludesNestSixteenLevelsAndFailuresNameTheirPlace) {
  const struct {
    Files files;
    bool returned;
    std::string expected;  // the source, or the message of a failure
  } cases[] = {
      {{{"x.vert", "first\n#include lib/one.glsl\nlast"},
        {"lib/one.glsl", "one\n#include two.glsl"},
        {"two.glsl", "two"}},
       true,
       "first\none\ntwo\nlast\n"},
      {chain(16), true, "deepest\n"},
      {chain(17), false, "Failed to include '#include f17.glsl' in f16.glsl depth 16"},
      {{{"x.vert", "a\n#include inner.glsl"}, {"inner.glsl", "#include  gone.glsl "}},
       false,
       "Failed to include '#include  gone.glsl ' in inner.glsl depth 1"},
  };
  for (const auto& c : cases) {
    Outcome outcome = preprocess(c.files, "x.vert");
    EXPECT_EQ(c.returned, outcome.returned) << c.expected;
    EXPECT_EQ(c.expected, c.returned ? outcome.source : outcome.result.message);
    if (!c.returned) {
      EXPECT_FALSE(outcome.result.ok) << c.expected;
    }
  }
}

// The pack script archives every file an include named, once, also one that could not be opened.
TEST_F(ShaderPreprocessorTest, IncludedFilesAreListedOnceForThePackScript) {
  preprocess({{"x.vert", "#include lib/one.glsl\n#include two.glsl\n#include gone.glsl"},
              {"lib/one.glsl", "#include two.glsl"},
              {"two.glsl", ""}},
             "x.vert");
  preprocess({}, "gone.vert");  // the top file is the caller's to list
  EXPECT_EQ((std::vector<std::string>{DIR + "lib/one.glsl", DIR + "two.glsl", DIR + "gone.glsl"}),
            KVRDemosys::usedResourceFiles);
}
