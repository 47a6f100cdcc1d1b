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
}

TEST(LauncherOptionsTest, RefusesBadValuesNamingTheOption) {
  const std::vector<std::vector<std::string>> bad = {
      {"--size", "1280"},
      {"--size", "0x720"},
      {"--size", "1280x-7"},
      {"--size", "99999x10"},
      {"--size"},
      {"--quality", "4"},
      {"--quality", "-1"},
      {"--quality", "high"},
      {"--from", "01:1x:000"},
      {"--from", "01:60:000"},
      {"--from", "01:10:00"},
      {"--from", "01:10"},
      {"--resources", ""},
      {"--from=01:10:0000"},
  };
  for (const std::vector<std::string>& arguments : bad) {
    LauncherOptions options;
    EXPECT_FALSE(options.parse(arguments)) << arguments[0];
    EXPECT_NE(std::string::npos, options.getError().find(arguments[0].substr(0, arguments[0].find('='))))
        << options.getError();
  }
}

TEST(LauncherOptionsTest, RefusesAStartPastTheEnd) {
  LauncherOptions options;
  ASSERT_TRUE(options.parse({"--from", "02:30:850"}));
  EXPECT_TRUE(options.checkFrom(150850));
  ASSERT_TRUE(options.parse({"--from", "02:30:851"}));
  EXPECT_FALSE(options.checkFrom(150850));
  EXPECT_EQ("--from: 02:30:851 is past the end of the demo (02:30:850)", options.getError());
}

TEST(LauncherOptionsTest, ResourceTreeOrTheFolderHoldingIt) {
  TempDir dir;
  dir.write("resources/shaders/a.vert", "");
  const struct {
    std::string given;
    std::string root;
  } cases[] = {{dir.path() + "/resources", dir.path()},
               {dir.path() + "/resources/", dir.path()},
               {dir.path(), dir.path()}};
  for (const auto& c : cases) {
    LauncherOptions options;
    options.resourceDirectory = c.given;
    std::string root;
    EXPECT_TRUE(options.resourceRoot(root)) << c.given;
    EXPECT_EQ(c.root, root);
  }
  LauncherOptions options;
  options.resourceDirectory = dir.path() + "/resources/shaders";
  std::string root;
  EXPECT_FALSE(options.resourceRoot(root));
}
