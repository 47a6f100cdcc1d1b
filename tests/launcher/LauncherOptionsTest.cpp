#include <gtest/gtest.h>

#include "launcher/LauncherOptions.h"
#include "support/TempDir.h"

TEST(LauncherOptionsTest, ParsesEveryOption) {
  LauncherOptions options;
  ASSERT_TRUE(options.parse({"--size", "1280x720", "--windowed", "--quality=0", "--resources",
                             "build/resources", "--from", "01:10:250", "--no-dialog"}))
      << options.getError();
  EXPECT_TRUE(options.hasSize && options.windowed && options.hasQuality && options.hasFrom &&
              options.noDialog);
  EXPECT_EQ(1280, options.width);
  EXPECT_EQ(720, options.height);
  EXPECT_EQ(0, options.quality);
  EXPECT_EQ("build/resources", options.resourceDirectory);
  EXPECT_EQ(70250u, options.fromMs);
  // The last millisecond of the demo is a valid start.
  EXPECT_TRUE(options.parse({"--from", "02:30:850"}) && options.checkFrom(150850));
  EXPECT_FALSE(options.parse({"--from", "02:30:851"}) && options.checkFrom(150850));
}

// One value for each way a value can be wrong; the message names the option.
TEST(LauncherOptionsTest, RefusesBadValuesNamingTheOption) {
  const std::vector<std::vector<std::string>> bad = {
      {"--size", "1280"},      {"--size", "1280x-7"}, {"--size", "99999x10"}, {"--size"},
      {"--quality", "4"},      {"--quality", "high"}, {"--from", "01:10"},    {"--from", "01:1x:000"},
      {"--from", "01:60:000"}, {"--from=01:10:0000"}, {"--resources", ""},
  };
  for (const std::vector<std::string>& arguments : bad) {
    LauncherOptions options;
    EXPECT_FALSE(options.parse(arguments)) << arguments[0];
    EXPECT_NE(std::string::npos, options.getError().find(arguments[0].substr(0, arguments[0].find('='))))
        << options.getError();
  }
}

// The tree itself (with or without a trailing slash) or the folder holding it.
TEST(LauncherOptionsTest, ResourceTreeOrTheFolderHoldingIt) {
  TempDir dir;
  dir.write("resources/shaders/a.vert", "");
  for (const std::string& given : {dir.path() + "/resources/", dir.path()}) {
    LauncherOptions options;
    options.resourceDirectory = given;
    std::string root;
    EXPECT_TRUE(options.resourceRoot(root)) << given;
    EXPECT_EQ(dir.path(), root);
  }
  LauncherOptions options;
  options.resourceDirectory = dir.path() + "/resources/shaders";
  std::string root;
  EXPECT_FALSE(options.resourceRoot(root));
}
