#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/scene/Animation.h"
#include "demosys/scene/AnimationLoader.h"
#include "support/TempDir.h"

namespace {

// x, y, z, pitch, heading of every key.
std::vector<float> keysOf(const Animation& animation) {
  std::vector<float> values;
  for (uint32_t i = 0; i < animation.GetKeyCount(); ++i) {
    const AnimationKeyframe& key = animation.GetKeyframe(i);
    values.insert(values.end(), {key.x, key.y, key.z, key.pitch, key.heading});
  }
  return values;
}

}  // namespace

TEST(AnimationLoaderTest, ReadsKeyframesFromAFileAndNamesAMissingOne) {
  TempDir dir;
  dir.write("resources/misc/path.ani",
            std::string("KVRANI1\nkeyframes 2\npos 1 2 3\nrot 10 20\npos -4.5 5e1 +6\nrot 7 8\n"));
  WorkingDirectory here(dir.path());
  KVRDemosys::resourceSource = 0;
  AnimationLoader loader("resources/misc/path.ani");
  std::unique_ptr<Animation> animation(loader.Load());
  ASSERT_TRUE(animation && loader.IsOk());
  EXPECT_EQ((std::vector<float>{1, 2, 3, 10, 20, -4.5f, 50, 6, 7, 8}), keysOf(*animation));
  EXPECT_EQ(uint32_t(Animation::Linear), animation->GetMode());
  AnimationLoader missing("resources/misc/none.ani");
  EXPECT_FALSE(missing.Load() || missing.IsOk());
  EXPECT_EQ("Error while loading animation data\nFile 'resources/misc/none.ani' not found!\n",
            missing.GetError());
}

TEST(AnimationLoaderTest, HeaderIsTheMagicAfterTrimming) {
  for (auto [text, loads] : {std::pair{"  KVRANI1\t\r\nkeyframes 0\n", true},
                             {"\n\nKVRANI1\nkeyframes 0\n", true},
                             {"KVRANI1x\nkeyframes 0\n", false},
                             {"", false}}) {
    AnimationLoader loader("a.ani");
    std::unique_ptr<Animation> animation(loader.LoadText(text));
    EXPECT_EQ(std::pair(loads, loads), std::pair(animation != nullptr, loader.IsOk())) << text;
    EXPECT_EQ(loads ? "" : "Error while loading animation data\nFile : 'a.ani' have invalid header\n",
              loader.GetError());
  }
}

// Damaged files still load: missing lines and fields read as 0, and the count is capped by the
// number of lines (a huge or negative count must not allocate without bound); lines past it are ignored.
TEST(AnimationLoaderTest, ShortOrMiscountedFilesLoadBounded) {
  AnimationLoader loader("short.ani");
  std::unique_ptr<Animation> animation(loader.LoadText("KVRANI1\nkeyframes 3\npos 1 2\nrot\npos 4 x 6\n"));
  ASSERT_TRUE(animation);
  EXPECT_EQ((std::vector<float>{1, 2, 0, 0, 0, 4, 0, 6, 0, 0, 0, 0, 0, 0, 0}), keysOf(*animation));
  for (auto [text, keys] : {std::pair{"KVRANI1\nkeyframes 4000000000\npos 1 1 1\nrot 1 1\n", 4u},
                            {"KVRANI1\nkeyframes -3\n", 0u},
                            {"KVRANI1\nkeyframes\n", 0u},
                            {"KVRANI1\nkeyframes 1\npos 1 2 3\nrot 4 5\npos 9 9 9\nrot 9 9\n", 1u}}) {
    std::unique_ptr<Animation> bounded(loader.LoadText(text));
    ASSERT_TRUE(bounded) << text;
    EXPECT_EQ(keys, bounded->GetKeyCount()) << text;
  }
}
