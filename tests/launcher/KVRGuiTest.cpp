#include <gtest/gtest.h>

#include "launcher/KVRGui.h"

// Below 5:4 a mode gets no label of its own rather than its neighbour's.
TEST(KVRGuiTest, EntryTextsLabelTheAspectByRatio) {
  const struct {
    int width, height;
    const char* text;
  } cases[] = {{1920, 1080, "1920 X 1080 (16:9)"},
               {1680, 1050, "1680 X 1050 (16:10)"},
               {1366, 800, "1366 X 800 (16:10)"},
               {1024, 768, "1024 X 768 (4:3)"},
               {1280, 1024, "1280 X 1024 (5:4)"},
               {1000, 1000, "1000 X 1000"},
               {640, 0, "640 X 0"}};
  for (const auto& c : cases) EXPECT_EQ(c.text, KVRGui::entryText(c.width, c.height));
}
