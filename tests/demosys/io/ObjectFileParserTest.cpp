#include <gtest/gtest.h>

#include <tuple>

#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceFile.h"
#include "objconv/ObjectFileEncoder.h"
#include "support/ObjectFileWriter.h"

using namespace ObjectFileWriter;

namespace {

struct Parsed {
  bool ok;
  std::string error, output;
  ObjectFileData data;
  ObjectNodeData node(const std::string& name) const {
    for (const ObjectNodeData& node : data.nodes)
      if (node.name == name) return node;
    ADD_FAILURE() << "no node " << name;
    return {};
  }
};

Parsed parseBytes(const std::vector<uint8_t>& object, const std::vector<uint8_t>* keyframes = nullptr) {
  ResourceFile objectFile("resources/objects/scene"), keyframeFile("resources/objects/scene.kf");
  objectFile.fill(object);
  if (keyframes) keyframeFile.fill(*keyframes);
  ObjectFileParser parser("resources/objects/scene");
  testing::internal::CaptureStdout();
  bool ok = parser.ParseFiles(objectFile, keyframes ? &keyframeFile : nullptr);
  std::string output = testing::internal::GetCapturedStdout();
  return {ok, parser.GetError(), output, parser.GetData()};
}

Parsed parse(const ObjectFileData& data) {
  std::vector<uint8_t> keyframes = ObjectFileEncoder::keyframeBytes(data);
  return parseBytes(ObjectFileEncoder::objectBytes(data), data.keyframeTracks.empty() ? nullptr : &keyframes);
}

ObjectFileData withMesh(const ObjectMeshData& mesh) {
  ObjectFileData data;
  data.meshes = {mesh};
  return data;
}

}  // namespace

// Each corner's index tuple names its attributes by slot; the corners come out interleaved in
// slot order. A mesh without attributes has no corners.
TEST(ObjectFileParserTest, CornersInterleaveTheAttributesInSlotOrder) {
  ObjectMeshData triangle, bare;  // texture coordinate, normal, position; a stray tenth index
  triangle.positions = {1, 2, 3};
  triangle.normals = {0, 0, 1};
  triangle.texcoords = {0.5f, 0.25f};
  triangle.normalOffset = 1;
  triangle.vertexOffset = 2;
  triangle.indices = std::vector<uint32_t>(10, 0);
  bare.indices = {1, 2, 3};
  const std::tuple<ObjectMeshData, uint32_t, uint32_t, std::vector<float>> cases[] = {
      {texturedQuad(7), 6, 20, {0, 0, 0, 0, 1, 1, 0, 0, 1, 1}},  // corners, stride, the first corners
      {triangle, 3, 32, {0.5f, 0.25f, 0, 0, 1, 1, 2, 3}},
      {bare, 0, 0, {}},
  };
  for (const auto& [input, corners, stride, first] : cases) {
    Parsed parsed = parse(withMesh(input));
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const ObjectMeshData& mesh = parsed.data.meshes.at(0);
    EXPECT_EQ(std::make_tuple(corners, stride), std::make_tuple(mesh.cornerCount, mesh.strideBytes()));
    ASSERT_EQ(corners * stride / 4, mesh.interleaved.size());
    EXPECT_EQ(first, std::vector<float>(mesh.interleaved.begin(), mesh.interleaved.begin() + first.size()));
  }
}

// References resolve to indices, of the last record where an id repeats. Parents that name no node,
// themselves or a camera leave a root; meshes and lights that are not there are reported, as are keyframe
// targets missing or of another kind. Key times become whole seconds in milliseconds, clamped to what the
// field holds.
TEST(ObjectFileParserTest, ReferencesResolveOrAreReportedOrMadeRoots) {
  ObjectFileData data = sampleScene();
  for (const ObjectNodeData& node :
       {meshNode(5, 7, 99, "orphan"), groupNode(13, 13, "self"), groupNode(10, 11, "a"),
        groupNode(11, 10, "b"), meshNode(6, 7, 3, "under_camera"), meshNode(30, 77, 0, "no_mesh", 88),
        groupNode(31, 0, "no_light"), groupNode(32, 0, "unknown"), groupNode(5, 99, "orphan_again")})
    data.nodes.push_back(node);
  data.meshes.push_back(data.meshes[0]);  // a repeated id: the last record counts
  data.nodes[10].type = NodeLight;
  data.nodes[10].lightId = 66;
  data.nodes[11].type = 9;
  const std::vector<float> seconds = {0.0f, 0.999f, 2.9f, 3.0f, -1.5f, 1e20f};
  data.keyframeTracks = {track(TargetGroup, 40, {1}),     track(TargetCamera, 2, {1}),
                         track(TargetLight, 4, {1}),      track(7, 2, {1}),
                         track(TargetCamera, 3, seconds), track(TargetLight, 9, {1})};
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(
      "ERROR : Cannot find mesh 77\nERROR : Cannot find light 66\nERROR: Failed to find object with id 40\n"
      "ERROR: Failed to find camera with id 2\nERROR: Failed to fing light with id 4\n",
      parsed.output);
  EXPECT_EQ(std::make_tuple(0, 1, 0, 0),
            std::make_tuple(parsed.node("floor").parentIndex, parsed.node("floor").meshIndex,
                            parsed.node("floor").materialIndex, parsed.node("sun").lightIndex));
  for (const char* root : {"orphan_again", "self", "under_camera"})
    EXPECT_EQ(-1, parsed.node(root).parentIndex) << root;
  // Two nodes naming each other: one of them must stay a root.
  EXPECT_TRUE((parsed.node("a").parentIndex == -1) != (parsed.node("b").parentIndex == -1));
  EXPECT_EQ(std::make_tuple(-1, -1, -1),
            std::make_tuple(parsed.node("no_mesh").meshIndex, parsed.node("no_mesh").materialIndex,
                            parsed.node("no_light").lightIndex));
  EXPECT_EQ((std::vector<int32_t>{0, 1, 12, 8, 6, 7, 5, 9}), parsed.data.objectOrder);  // by id
  ASSERT_EQ(2u, parsed.data.keyframeTracks.size());
  EXPECT_EQ(std::make_tuple(2, 0), std::make_tuple(parsed.data.keyframeTracks[0].targetIndex,
                                                   parsed.data.keyframeTracks[1].targetIndex));
  std::vector<uint32_t> times;
  for (const ObjectKeyData& key : parsed.data.keyframeTracks[0].keys) times.push_back(key.timeMs);
  EXPECT_EQ((std::vector<uint32_t>{0, 0, 2000, 3000, 0, 4294967295u}), times);
}

// Bad indices and slots are named; every cut of either file, and counts far beyond what a short
// file holds, fail without allocating what the counts ask for.
TEST(ObjectFileParserTest, BadMeshesTruncatedFilesAndHugeCountsFailCleanly) {
  ObjectMeshData pastTheEnd = texturedQuad(1), sharedSlot = pastTheEnd, slotTooHigh = pastTheEnd;
  pastTheEnd.indices[2] = 4;
  sharedSlot.texcoordOffset = 0;
  slotTooHigh.texcoordOffset = 3;
  for (const ObjectMeshData& mesh : {pastTheEnd, sharedSlot, slotTooHigh}) {
    Parsed parsed = parse(withMesh(mesh));
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(0u, parsed.error.find("Mesh 'quad' in object 'resources/objects/scene' has ")) << parsed.error;
  }
  const std::vector<uint8_t> object = ObjectFileEncoder::objectBytes(sampleScene());
  const std::vector<uint8_t> keyframes = ObjectFileEncoder::keyframeBytes(sampleScene());
  EXPECT_TRUE(parseBytes(object, &keyframes).ok);
  for (const std::vector<uint8_t>* whole : {&object, &keyframes})
    for (size_t length = 0; length < whole->size(); ++length) {
      std::vector<uint8_t> cut(whole->begin(), whole->begin() + length);
      const bool inObject = whole == &object;
      Parsed parsed = inObject ? parseBytes(cut) : parseBytes(object, &cut);
      EXPECT_FALSE(parsed.ok);
      EXPECT_EQ(std::string("Object 'resources/objects/scene") + (inObject ? "" : ".kf") +
                    "' ends before its data is complete",
                parsed.error)
          << length;
    }
  const std::vector<uint8_t> quad = ObjectFileEncoder::objectBytes(withMesh(texturedQuad(1)));
  for (size_t field : {4u, 17u, 25u, 33u, 41u}) {  // meshCount, then the mesh's counts
    std::vector<uint8_t> damaged = quad;
    std::fill(damaged.begin() + field, damaged.begin() + field + 4, 0xff);
    EXPECT_FALSE(parseBytes(damaged).ok) << field;
  }
}
