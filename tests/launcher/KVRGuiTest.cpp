#include "launcher/KVRGui.h"

#include <gtest/gtest.h>

TEST(KVRGuiTest, AspectLabelsByRatio) {
  EXPECT_EQ("(16:9)", KVRGui::aspectLabel(1920, 1080));
  EXPECT_EQ("(16:9)", KVRGui::aspectLabel(2560, 1080));
  EXPECT_EQ("(16:10)", KVRGui::aspectLabel(1680, 1050));
  EXPECT_EQ("(16:10)", KVRGui::aspectLabel(1366, 800));
  EXPECT_EQ("(4:3)", KVRGui::aspectLabel(1024, 768));
  EXPECT_EQ("(4:3)", KVRGui::aspectLabel(1400, 1050));
  EXPECT_EQ("(5:4)", KVRGui::aspectLabel(1280, 1024));
  // Below 5:4 a mode gets no label of its own rather than its neighbour's.
  EXPECT_EQ("", KVRGui::aspectLabel(1000, 1000));
  EXPECT_EQ("", KVRGui::aspectLabel(640, 0));
}

TEST(KVRGuiTest, EntryTexts) {
  EXPECT_EQ("1280 X 1024 (5:4)", KVRGui::entryText(1280, 1024));
  EXPECT_EQ("1680 X 1050 (16:10)", KVRGui::entryText(1680, 1050));
  EXPECT_EQ("1024 X 768 (4:3)", KVRGui::entryText(1024, 768));
  EXPECT_EQ("1920 X 1080 (16:9)", KVRGui::entryText(1920, 1080));
  EXPECT_EQ("1000 X 1000", KVRGui::entryText(1000, 1000));
}
