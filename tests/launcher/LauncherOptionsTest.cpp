#include <gtest/gtest.h>

#include <tuple>

#include "launcher/LauncherOptions.h"
#include "support/TempDir.h"

TEST(LauncherOptionsTest, ParsesEveryOption) {
  LauncherOptions options;
  ASSERT_TRUE(options.parse({"--size", "1280x720", "--windowed", "--quality=0", "--resources",
                             "build/resources", "--from", "01:10:250", "--no-dialog"}))
      << options.getError();
  EXPECT_TRUE(options.hasSize && options.windowed && options.hasQuality && options.hasFrom &&
              options.noDialog);
  EXPECT_EQ(
      std::tuple(1280, 720, 0, "build/resources", 70250u),
      std::tuple(options.width, options.height, options.quality, options.resourceDirectory, options.fromMs));
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

// The tree itself (with or without a trailing slash) or the folder holding it; not a folder inside.
TEST(LauncherOptionsTest, ResourceTreeOrTheFolderHoldingIt) {
  TempDir dir;
  dir.write("resources/shaders/a.vert", "");
  const std::pair<std::string, bool> cases[] = {
      {dir.path() + "/resources/", true}, {dir.path(), true}, {dir.path() + "/resources/shaders", false}};
  for (const auto& [given, found] : cases) {
    LauncherOptions options;
    options.resourceDirectory = given;
    std::string root;
    EXPECT_EQ(found, options.resourceRoot(root)) << given;
    if (found) {
      EXPECT_EQ(dir.path(), root) << given;
    }
  }
}
