#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ShaderLoader.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/io/ShaderPreprocessor.h"

namespace {

const std::string DIR = "resources/shaders/";

struct Outcome {
  ShaderLoadResult result;
  std::string source;
  bool returned = false;
};

// Preprocesses DIR + `top` from `files` (names relative to DIR), defines first.
Outcome preprocess(const std::map<std::string, std::string>& files, const std::string& top,
                   const std::vector<std::string>& defines = {}) {
  std::map<std::string, std::string> stored;
  for (const auto& entry : files) stored[DIR + entry.first] = entry.second;
  ShaderLoader loader(ShaderPreprocessor(ShaderPreprocessor::memoryFiles(stored)));
  Outcome outcome;
  outcome.result.message = "untouched";
  outcome.returned = loader.buildSource(outcome.result, outcome.source, DIR, top, defines, "missing " + top);
  return outcome;
}

class ShaderPreprocessorTest : public testing::Test {
 protected:
  void SetUp() override { KVRDemosys::usedResourceFiles.clear(); }
  void TearDown() override { KVRDemosys::usedResourceFiles.clear(); }
};

}  // namespace

TEST_F(ShaderPreprocessorTest, DirectiveNeedsMoreThanNineBytesAndALeadingHash) {
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"#include a", "A\n"},                 // 10 bytes: a directive
      {"#include  ", "#include  \n"},        // 10 bytes but one word only
      {"#includ a", "#includ a\n"},          // 9 bytes: copied
      {"#include   a   ", "A\n"},            // several blanks and a trailing one
      {" #include a", " #include a\n"},      // leading blank: first byte must be '#'
      {"\t#include a", "\t#include a\n"},    // leading tab likewise
      {"#includea a", "#includea a\n"},      // letter attached to the directive word
      {"#include a extra", "A\n"},           // further words are ignored
      {"#include\ta b", "#include\ta b\n"},  // words split at blanks only
      {"#define VALUE 1", "#define VALUE 1\n"},
  };
  for (const Case& c : cases) {
    Outcome outcome = preprocess({{"top.frag", c.line}, {"a", "A"}}, "top.frag");
    EXPECT_TRUE(outcome.returned) << c.line;
    EXPECT_EQ(c.expected, outcome.source) << c.line;
    EXPECT_EQ("untouched", outcome.result.message);
  }
}

TEST_F(ShaderPreprocessorTest, DefinesSkipTheFirstString) {
  struct Case {
    std::vector<std::string> defines;
    const char* expected;
  } cases[] = {
      {{}, "body\n"},
      {{"set"}, "body\n"},
      {{"set", "QUALITY 2"}, "#define QUALITY 2\nbody\n"},
      {{"set", "A", "B 1"}, "#define A\n#define B 1\nbody\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, preprocess({{"x.vert", "body"}}, "x.vert", c.defines).source);
}

TEST_F(ShaderPreprocessorTest, NestedIncludesResolveAgainstTheShaderDirectory) {
  Outcome outcome = preprocess({{"top.vert", "first\n#include lib/one.glsl\nlast"},
                                {"lib/one.glsl", "one\n#include two.glsl"},
                                {"two.glsl", "two"}},
                               "top.vert");
  ASSERT_TRUE(outcome.returned);
  EXPECT_EQ("first\none\ntwo\nlast\n", outcome.source);
  std::vector<std::string> used = {DIR + "lib/one.glsl", DIR + "two.glsl"};
  EXPECT_EQ(used, KVRDemosys::usedResourceFiles);
}

TEST_F(ShaderPreprocessorTest, MissingIncludeNamesTheIncludingFileAndDepth) {
  Outcome top = preprocess({{"x.frag", "#include nothere.glsl"}}, "x.frag");
  EXPECT_FALSE(top.returned);
  EXPECT_FALSE(top.result.ok);
  EXPECT_EQ("Failed to include '#include nothere.glsl' in x.frag depth 0", top.result.message);
  // A file that could not be opened is still listed for the pack script.
  EXPECT_EQ(std::vector<std::string>{DIR + "nothere.glsl"}, KVRDemosys::usedResourceFiles);

  Outcome nested =
      preprocess({{"x.frag", "a\n#include inner.glsl"}, {"inner.glsl", "#include  gone.glsl "}}, "x.frag");
  EXPECT_FALSE(nested.returned);
  EXPECT_EQ("Failed to include '#include  gone.glsl ' in inner.glsl depth 1", nested.result.message);
}

TEST_F(ShaderPreprocessorTest, IncludeCycleStopsAtTheDepthLimit) {
  Outcome self =
      preprocess({{"x.vert", "#include loop.glsl"}, {"loop.glsl", "#include loop.glsl"}}, "x.vert");
  EXPECT_FALSE(self.returned);
  EXPECT_EQ("Failed to include '#include loop.glsl' in loop.glsl depth 16", self.result.message);

  Outcome pair = preprocess(
      {{"x.vert", "#include a.glsl"}, {"a.glsl", "#include b.glsl"}, {"b.glsl", "#include a.glsl"}},
      "x.vert");
  EXPECT_FALSE(pair.returned);
  EXPECT_EQ("Failed to include '#include a.glsl' in b.glsl depth 16", pair.result.message);
}

TEST_F(ShaderPreprocessorTest, SixteenLevelsOfIncludesAreAllowed) {
  std::map<std::string, std::string> files = {{"x.vert", "#include f1.glsl"}};
  for (int level = 1; level <= 16; ++level)
    files["f" + std::to_string(level) + ".glsl"] =
        level < 16 ? "#include f" + std::to_string(level + 1) + ".glsl" : "deepest";
  Outcome outcome = preprocess(files, "x.vert");
  EXPECT_TRUE(outcome.returned) << outcome.result.message;
  EXPECT_EQ("deepest\n", outcome.source);
}

TEST_F(ShaderPreprocessorTest, EmptyFileGivesOneEmptyLine) {
  EXPECT_EQ("#define A\n\n", preprocess({{"e.vert", ""}}, "e.vert", {"set", "A"}).source);
  EXPECT_EQ("x\n\n", preprocess({{"n.vert", "x\n"}}, "n.vert").source);
  EXPECT_EQ("x\n", preprocess({{"r.vert", "x\r\n"}}, "r.vert").source.substr(0, 2));
}

TEST_F(ShaderPreprocessorTest, MissingTopFileUsesTheCallersMessage) {
  Outcome outcome = preprocess({}, "gone.vert");
  EXPECT_FALSE(outcome.returned);
  EXPECT_EQ("missing gone.vert", outcome.result.message);
  EXPECT_TRUE(KVRDemosys::usedResourceFiles.empty());
}

TEST_F(ShaderPreprocessorTest, EmptyLineListSucceedsWithoutOutput) {
  ShaderPreprocessor preprocessor(ShaderPreprocessor::memoryFiles({}));
  ShaderLoadResult result;
  std::string output;
  EXPECT_TRUE(preprocessor.includeFiles(result, output, {}, DIR, "x", 0));
  EXPECT_EQ("", output);
}
