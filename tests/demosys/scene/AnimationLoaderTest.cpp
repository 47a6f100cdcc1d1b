#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/scene/Animation.h"
#include "demosys/scene/AnimationLoader.h"
#include "support/TempDir.h"

TEST(AnimationLoaderTest, ReadsKeyframesFromAFileAndNamesAMissingOne) {
  TempDir dir;
  dir.write("resources/misc/path.ani",
            std::string("KVRANI1\nkeyframes 2\npos 1 2 3\nrot 10 20\npos -4.5 5e1 +6\nrot 7 8\n"));
  WorkingDirectory here(dir.path());
  KVRDemosys::resourceSource = 0;
  AnimationLoader loader("resources/misc/path.ani");
  std::unique_ptr<Animation> animation(loader.Load());
  ASSERT_TRUE(animation);
  EXPECT_TRUE(loader.IsOk());
  ASSERT_EQ(2u, animation->GetKeyCount());
  const AnimationKeyframe& second = animation->GetKeyframe(1);
  EXPECT_EQ((std::vector<float>{-4.5f, 50.0f, 6.0f, 7.0f, 8.0f}),
            (std::vector<float>{second.x, second.y, second.z, second.pitch, second.heading}));
  EXPECT_EQ(20.0f, animation->GetKeyframe(0).heading);
  EXPECT_EQ(uint32_t(Animation::Linear), animation->GetMode());

  AnimationLoader missing("resources/misc/none.ani");
  EXPECT_EQ(nullptr, missing.Load());
  EXPECT_FALSE(missing.IsOk());
  EXPECT_EQ("Error while loading animation data\nFile 'resources/misc/none.ani' not found!\n",
            missing.GetError());
}

TEST(AnimationLoaderTest, HeaderIsTheMagicAfterTrimming) {
  struct Case {
    const char* text;
    bool loads;
  } cases[] = {{"KVRANI1 \nkeyframes 0\n", true},    {"  KVRANI1\t\r\nkeyframes 0\n", true},
               {"\n\nKVRANI1\nkeyframes 0\n", true}, {"KVRANI2\nkeyframes 0\n", false},
               {"kvrani1\nkeyframes 0\n", false},    {"KVRANI1x\nkeyframes 0\n", false},
               {"KVRANI 1\nkeyframes 0\n", false},   {"", false}};
  for (const Case& c : cases) {
    AnimationLoader loader("a.ani");
    std::unique_ptr<Animation> animation(loader.LoadText(c.text));
    EXPECT_EQ(c.loads, animation != nullptr) << c.text;
    EXPECT_EQ(c.loads, loader.IsOk());
    EXPECT_EQ(c.loads ? "" : "Error while loading animation data\nFile : 'a.ani' have invalid header\n",
              loader.GetError());
  }
}

// Damaged files still load: missing lines and fields read as 0, and the count is capped by the
// number of lines (a huge or negative count must not allocate without bound); lines past it are ignored.
TEST(AnimationLoaderTest, ShortOrMiscountedFilesLoadBounded) {
  AnimationLoader loader("short.ani");
  std::unique_ptr<Animation> animation(loader.LoadText("KVRANI1\nkeyframes 3\npos 1 2\nrot\npos 4 x 6\n"));
  ASSERT_TRUE(animation);
  ASSERT_EQ(3u, animation->GetKeyCount());
  const AnimationKeyframe &first = animation->GetKeyframe(0), &second = animation->GetKeyframe(1);
  EXPECT_EQ((std::vector<float>{1, 2, 0, 0, 4, 0, 6}),
            (std::vector<float>{first.x, first.y, first.z, first.pitch, second.x, second.y, second.z}));
  EXPECT_EQ(0.0f, animation->GetKeyframe(2).x);
  struct Case {
    const char* text;
    uint32_t keys;
  } cases[] = {{"KVRANI1\nkeyframes 4000000000\npos 1 1 1\nrot 1 1\n", 4},
               {"KVRANI1\nkeyframes -3\n", 0},
               {"KVRANI1\nkeyframes\n", 0},
               {"KVRANI1\n", 0},
               {"KVRANI1\nkeyframes 1\npos 1 2 3\nrot 4 5\npos 9 9 9\nrot 9 9\n", 1}};
  for (const Case& c : cases) {
    std::unique_ptr<Animation> bounded(loader.LoadText(c.text));
    ASSERT_TRUE(bounded) << c.text;
    EXPECT_EQ(c.keys, bounded->GetKeyCount()) << c.text;
  }
}
