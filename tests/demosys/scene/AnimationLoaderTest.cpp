#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/scene/Animation.h"
#include "demosys/scene/AnimationLoader.h"
#include "support/TempDir.h"

namespace {

const char* const TWO_KEYS =
    "KVRANI1\n"
    "keyframes 2\n"
    "pos 1 2 3\n"
    "rot 10 20\n"
    "pos -4.5 5e1 +6\n"
    "rot 7 8\n";

std::unique_ptr<Animation> loadText(const std::string& text, AnimationLoader& loader) {
  return std::unique_ptr<Animation>(loader.LoadText(text));
}

}  // namespace

TEST(AnimationLoaderTest, ReadsKeyframesFromAFile) {
  TempDir dir;
  dir.write("resources/misc/path.ani", std::string(TWO_KEYS));
  WorkingDirectory here(dir.path());
  KVRDemosys::resourceSource = 0;
  AnimationLoader loader("resources/misc/path.ani");
  std::unique_ptr<Animation> animation(loader.Load());
  ASSERT_TRUE(animation);
  EXPECT_TRUE(loader.IsOk());
  ASSERT_EQ(2u, animation->GetKeyCount());
  const AnimationKeyframe& second = animation->GetKeyframe(1);
  EXPECT_FLOAT_EQ(-4.5f, second.x);
  EXPECT_FLOAT_EQ(50.0f, second.y);
  EXPECT_FLOAT_EQ(6.0f, second.z);
  EXPECT_FLOAT_EQ(10.0f, animation->GetKeyframe(0).pitch);
  EXPECT_FLOAT_EQ(20.0f, animation->GetKeyframe(0).heading);
  EXPECT_EQ(uint32_t(Animation::Linear), animation->GetMode());
}

TEST(AnimationLoaderTest, MissingFileNamesIt) {
  TempDir dir;
  WorkingDirectory here(dir.path());
  KVRDemosys::resourceSource = 0;
  AnimationLoader loader("resources/misc/none.ani");
  EXPECT_EQ(nullptr, loader.Load());
  EXPECT_FALSE(loader.IsOk());
  EXPECT_EQ("Error while loading animation data\nFile 'resources/misc/none.ani' not found!\n",
            loader.GetError());
}

TEST(AnimationLoaderTest, HeaderIsTheMagicAfterTrimming) {
  struct Case {
    const char* text;
    bool loads;
  } cases[] = {
      {"KVRANI1 \nkeyframes 0\n", true},    {"  KVRANI1\t\r\nkeyframes 0\n", true},
      {"\n\nKVRANI1\nkeyframes 0\n", true}, {"KVRANI2\nkeyframes 0\n", false},
      {"kvrani1\nkeyframes 0\n", false},    {"KVRANI1x\nkeyframes 0\n", false},
      {"KVRANI 1\nkeyframes 0\n", false},   {"", false},
  };
  for (const Case& c : cases) {
    AnimationLoader loader("a.ani");
    std::unique_ptr<Animation> animation = loadText(c.text, loader);
    EXPECT_EQ(c.loads, animation != nullptr) << c.text;
    EXPECT_EQ(c.loads, loader.IsOk());
    if (!c.loads) {
      EXPECT_EQ("Error while loading animation data\nFile : 'a.ani' have invalid header\n",
                loader.GetError());
    }
  }
}

TEST(AnimationLoaderTest, MissingLinesAndFieldsReadAsZero) {
  AnimationLoader loader("short.ani");
  std::unique_ptr<Animation> animation = loadText("KVRANI1\nkeyframes 3\npos 1 2\nrot\npos 4 x 6\n", loader);
  ASSERT_TRUE(animation);
  ASSERT_EQ(3u, animation->GetKeyCount());
  EXPECT_FLOAT_EQ(2.0f, animation->GetKeyframe(0).y);
  EXPECT_FLOAT_EQ(0.0f, animation->GetKeyframe(0).z);
  EXPECT_FLOAT_EQ(0.0f, animation->GetKeyframe(0).pitch);
  EXPECT_FLOAT_EQ(4.0f, animation->GetKeyframe(1).x);
  EXPECT_FLOAT_EQ(0.0f, animation->GetKeyframe(1).y);
  EXPECT_FLOAT_EQ(6.0f, animation->GetKeyframe(1).z);
  EXPECT_FLOAT_EQ(0.0f, animation->GetKeyframe(2).x);
}

TEST(AnimationLoaderTest, CountsThatCannotFitTheFileStayBounded) {
  for (const char* text : {"KVRANI1\nkeyframes 4000000000\npos 1 1 1\nrot 1 1\n", "KVRANI1\nkeyframes -3\n",
                           "KVRANI1\nkeyframes\n", "KVRANI1\n"}) {
    AnimationLoader loader("big.ani");
    std::unique_ptr<Animation> animation = loadText(text, loader);
    ASSERT_TRUE(animation) << text;
    EXPECT_LE(animation->GetKeyCount(), 4u) << text;
  }
}

TEST(AnimationLoaderTest, LinesBeyondTheCountAreIgnored) {
  AnimationLoader loader("extra.ani");
  std::unique_ptr<Animation> animation =
      loadText("KVRANI1\nkeyframes 1\npos 1 2 3\nrot 4 5\npos 9 9 9\nrot 9 9\n", loader);
  ASSERT_TRUE(animation);
  EXPECT_EQ(1u, animation->GetKeyCount());
}
