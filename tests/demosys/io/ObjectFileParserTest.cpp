#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceFile.h"
#include "support/ObjectFileWriter.h"
#include "support/TempDir.h"

namespace {

struct Parsed {
  bool ok;
  std::string error;
  std::string output;
  ObjectFileData data;
};

Parsed parseBytes(const std::vector<uint8_t>& object, const std::vector<uint8_t>* keyframes = nullptr) {
  ResourceFile objectFile("resources/objects/scene");
  objectFile.fill(object);
  ResourceFile keyframeFile("resources/objects/scene.kf");
  if (keyframes) keyframeFile.fill(*keyframes);
  ObjectFileParser parser("resources/objects/scene");
  testing::internal::CaptureStdout();
  bool ok = parser.ParseFiles(objectFile, keyframes ? &keyframeFile : nullptr);
  std::string output = testing::internal::GetCapturedStdout();
  return {ok, parser.GetError(), output, parser.GetData()};
}

Parsed parse(const ObjectFileData& data) {
  std::vector<uint8_t> keyframes = ObjectFileWriter::keyframeBytes(data);
  return parseBytes(ObjectFileWriter::objectBytes(data), data.keyframeTracks.empty() ? nullptr : &keyframes);
}

int indexOfNode(const ObjectFileData& data, const std::string& name) {
  for (size_t i = 0; i < data.nodes.size(); ++i)
    if (data.nodes[i].name == name) return static_cast<int>(i);
  return -1;
}

}  // namespace

TEST(ObjectFileParserTest, PositionsAndTexcoordsInterleaveWithStrideTwo) {
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(7));
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const ObjectMeshData& mesh = parsed.data.meshes.at(0);
  EXPECT_EQ(2u, mesh.indexStride);
  EXPECT_EQ(6u, mesh.cornerCount);
  EXPECT_EQ(3u, mesh.positionComponents);
  EXPECT_EQ(0u, mesh.normalComponents);
  EXPECT_EQ(2u, mesh.texcoordComponents);
  EXPECT_EQ(5u, mesh.floatsPerCorner());
  EXPECT_EQ(20u, mesh.strideBytes());
  std::vector<float> firstTwoCorners = {0, 0, 0, 0, 1, 1, 0, 0, 1, 1};
  ASSERT_EQ(30u, mesh.interleaved.size());
  EXPECT_EQ(firstTwoCorners, std::vector<float>(mesh.interleaved.begin(), mesh.interleaved.begin() + 10));
  EXPECT_FLOAT_EQ(1.0f, mesh.boundsB[1]);
}

TEST(ObjectFileParserTest, AttributesFollowTheirSlotsInsideTheTuple) {
  ObjectMeshData mesh;
  mesh.name = "tri";
  mesh.positions = {1, 2, 3};
  mesh.normals = {0, 0, 1};
  mesh.texcoords = {0.5f, 0.25f};
  mesh.texcoordOffset = 0;
  mesh.normalOffset = 1;
  mesh.vertexOffset = 2;
  mesh.indices = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // three corners and a stray index
  ObjectFileData data;
  data.meshes.push_back(mesh);
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const ObjectMeshData& read = parsed.data.meshes.at(0);
  EXPECT_EQ(3u, read.cornerCount);
  EXPECT_EQ(32u, read.strideBytes());
  std::vector<float> corner = {0.5f, 0.25f, 0, 0, 1, 1, 2, 3};
  EXPECT_EQ(corner, std::vector<float>(read.interleaved.begin(), read.interleaved.begin() + 8));
}

TEST(ObjectFileParserTest, BadMeshIndicesAndSlotsFail) {
  ObjectMeshData pastTheEnd = ObjectFileWriter::texturedQuad(1);
  pastTheEnd.indices[2] = 4;
  ObjectMeshData sharedSlot = ObjectFileWriter::texturedQuad(1);
  sharedSlot.texcoordOffset = 0;
  ObjectMeshData slotTooHigh = ObjectFileWriter::texturedQuad(1);
  slotTooHigh.texcoordOffset = 3;
  for (const ObjectMeshData& mesh : {pastTheEnd, sharedSlot, slotTooHigh}) {
    ObjectFileData data;
    data.meshes.push_back(mesh);
    Parsed parsed = parse(data);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(0u, parsed.error.find("Mesh 'quad' in object 'resources/objects/scene' has ")) << parsed.error;
  }
  ObjectMeshData empty;
  empty.indices = {1, 2, 3};
  ObjectFileData data;
  data.meshes.push_back(empty);
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(0u, parsed.data.meshes[0].cornerCount);
}

TEST(ObjectFileParserTest, WrongVersionNamesFileAndVersions) {
  TempDir dir;
  ObjectFileData data;
  data.version = 2;
  std::string path = ObjectFileWriter::write(dir, "x", data);
  WorkingDirectory here(dir.path());
  KVRDemosys::resourceSource = 0;
  ObjectFileParser parser(path);
  EXPECT_FALSE(parser.Parse());
  EXPECT_FALSE(parser.IsOk());
  EXPECT_EQ(
      "Invalid object version in file 'resources/objects/x', File version states version 2. Expected version "
      "1.",
      parser.GetError());

  ObjectFileParser missing("resources/objects/none");
  EXPECT_FALSE(missing.Parse());
  EXPECT_EQ("Object 'resources/objects/none' not found", missing.GetError());
}

TEST(ObjectFileParserTest, ReadsEveryRecordAndResolvesReferences) {
  TempDir dir;
  std::string path = ObjectFileWriter::write(dir, "sample", ObjectFileWriter::sampleScene());
  WorkingDirectory here(dir.path());
  KVRDemosys::resourceSource = 0;
  ObjectFileParser parser(path);
  ASSERT_TRUE(parser.Parse()) << parser.GetError();
  const ObjectFileData& data = parser.GetData();
  ASSERT_EQ(4u, data.nodes.size());
  const ObjectNodeData& floor = data.nodes[1];
  EXPECT_EQ(0, floor.parentIndex);
  EXPECT_EQ(0, floor.meshIndex);
  EXPECT_EQ(0, floor.materialIndex);
  EXPECT_EQ(-1, data.nodes[0].parentIndex);
  EXPECT_EQ("wall.png", data.materials[0].textureFile);
  EXPECT_FLOAT_EQ(0.75f, data.materials[0].diffuse[1]);
  EXPECT_FLOAT_EQ(4.0f, data.nodes[2].matrix[12]);
  EXPECT_EQ(0, data.nodes[3].lightIndex);
  EXPECT_FLOAT_EQ(0.25f, data.lights[0].colour[2]);
  EXPECT_EQ((std::vector<int32_t>{0, 1}), data.objectOrder);
  ASSERT_EQ(1u, data.keyframeTracks.size());
  EXPECT_EQ(1, data.keyframeTracks[0].targetIndex);
  EXPECT_FLOAT_EQ(-1.5f, data.keyframeTracks[0].keys[1].rotation[2]);
  std::vector<TextureDefinition> textures = data.textureDefinitions();
  ASSERT_EQ(1u, textures.size());
  EXPECT_EQ("wall.png", textures[0].name);
  EXPECT_EQ("wall.png", textures[0].fileName);
  EXPECT_EQ(3553u, textures[0].target);
  EXPECT_TRUE(textures[0].mipmapped);
}

TEST(ObjectFileParserTest, KeyframeTimesKeepWholeSeconds) {
  ObjectFileData data = ObjectFileWriter::sampleScene();
  data.keyframeTracks = {ObjectFileWriter::track(TargetObject, 2, {0.0f, 0.999f, 2.9f, 3.0f, -1.5f, 1e20f})};
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  std::vector<uint32_t> times;
  for (const ObjectKeyData& key : parsed.data.keyframeTracks.at(0).keys) times.push_back(key.timeMs);
  EXPECT_EQ((std::vector<uint32_t>{0, 0, 2000, 3000, 0, 4294967295u}), times);
}

TEST(ObjectFileParserTest, ParentIdsThatNameNoNodeGiveRoots) {
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(1));
  data.nodes.push_back(ObjectFileWriter::meshNode(5, 1, 99, "orphan"));
  data.nodes.push_back(ObjectFileWriter::groupNode(3, 3, "self"));
  data.nodes.push_back(ObjectFileWriter::groupNode(10, 11, "a"));
  data.nodes.push_back(ObjectFileWriter::groupNode(11, 10, "b"));
  ObjectNodeData camera;
  camera.id = 20;
  camera.type = NodeCamera;
  data.nodes.push_back(camera);
  data.nodes.push_back(ObjectFileWriter::meshNode(6, 1, 20, "under_camera"));
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const ObjectFileData& read = parsed.data;
  EXPECT_EQ(-1, read.nodes[indexOfNode(read, "orphan")].parentIndex);
  EXPECT_EQ(-1, read.nodes[indexOfNode(read, "self")].parentIndex);
  EXPECT_EQ(-1, read.nodes[indexOfNode(read, "under_camera")].parentIndex);
  // Two nodes naming each other: one of them must stay a root.
  int a = read.nodes[indexOfNode(read, "a")].parentIndex;
  int b = read.nodes[indexOfNode(read, "b")].parentIndex;
  EXPECT_TRUE((a == -1) != (b == -1));
  EXPECT_EQ(5u, read.objectOrder.size());
  EXPECT_EQ("Object", read.nodes[4].name);
}

TEST(ObjectFileParserTest, DanglingReferencesAreReportedAndSkipped) {
  ObjectFileData data = ObjectFileWriter::sampleScene();
  data.nodes.push_back(ObjectFileWriter::meshNode(30, 77, 0, "no_mesh", 88));
  ObjectNodeData light;
  light.id = 31;
  light.type = NodeLight;
  light.lightId = 66;
  data.nodes.push_back(light);
  ObjectNodeData unknown;
  unknown.id = 32;
  unknown.type = 9;
  data.nodes.push_back(unknown);
  data.keyframeTracks = {
      ObjectFileWriter::track(TargetGroup, 40, {1}), ObjectFileWriter::track(TargetCamera, 2, {1}),
      ObjectFileWriter::track(TargetLight, 4, {1}),  ObjectFileWriter::track(7, 2, {1}),
      ObjectFileWriter::track(TargetCamera, 3, {1}), ObjectFileWriter::track(TargetLight, 9, {1})};
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(
      "ERROR : Cannot find mesh 77\n"
      "ERROR : Cannot find light 66\n"
      "ERROR: Failed to find object with id 40\n"
      "ERROR: Failed to find camera with id 2\n"
      "ERROR: Failed to fing light with id 4\n",
      parsed.output);
  const ObjectFileData& read = parsed.data;
  EXPECT_EQ(-1, read.nodes[4].meshIndex);
  EXPECT_EQ(-1, read.nodes[4].materialIndex);
  EXPECT_EQ(-1, read.nodes[5].lightIndex);
  EXPECT_EQ(7u, read.nodes.size());
  ASSERT_EQ(2u, read.keyframeTracks.size());
  EXPECT_EQ(2, read.keyframeTracks[0].targetIndex);
  EXPECT_EQ(0, read.keyframeTracks[1].targetIndex);
}

TEST(ObjectFileParserTest, RepeatedIdsKeepTheLastRecord) {
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(1));
  data.meshes.push_back(ObjectFileWriter::texturedQuad(1));
  data.meshes[1].name = "second";
  data.nodes.push_back(ObjectFileWriter::meshNode(2, 1, 0, "first_node"));
  data.nodes.push_back(ObjectFileWriter::meshNode(2, 1, 0, "second_node"));
  Parsed parsed = parse(data);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(1, parsed.data.nodes[0].meshIndex);
  EXPECT_EQ((std::vector<int32_t>{1}), parsed.data.objectOrder);
}

TEST(ObjectFileParserTest, EveryTruncatedObjectOrKeyframeFileFailsCleanly) {
  ObjectFileData data = ObjectFileWriter::sampleScene();
  std::vector<uint8_t> object = ObjectFileWriter::objectBytes(data);
  std::vector<uint8_t> keyframes = ObjectFileWriter::keyframeBytes(data);
  for (size_t length = 0; length < object.size(); ++length) {
    Parsed parsed = parseBytes(std::vector<uint8_t>(object.begin(), object.begin() + length));
    EXPECT_FALSE(parsed.ok) << length;
    EXPECT_EQ("Object 'resources/objects/scene' ends before its data is complete", parsed.error) << length;
  }
  EXPECT_TRUE(parseBytes(object).ok);
  for (size_t length = 0; length < keyframes.size(); ++length) {
    std::vector<uint8_t> prefix(keyframes.begin(), keyframes.begin() + length);
    Parsed parsed = parseBytes(object, &prefix);
    EXPECT_FALSE(parsed.ok) << length;
    EXPECT_EQ("Object 'resources/objects/scene.kf' ends before its data is complete", parsed.error) << length;
  }
}

TEST(ObjectFileParserTest, HugeCountsInShortFilesFailWithoutAllocating) {
  ObjectFileData data;
  data.meshes.push_back(ObjectFileWriter::texturedQuad(1));
  std::vector<uint8_t> bytes = ObjectFileWriter::objectBytes(data);
  for (size_t field : {4u, 17u, 25u, 33u, 41u}) {  // meshCount, then the mesh's counts
    std::vector<uint8_t> damaged = bytes;
    for (size_t i = 0; i < 4; ++i) damaged[field + i] = 0xff;
    Parsed parsed = parseBytes(damaged);
    EXPECT_FALSE(parsed.ok) << field;
  }
}
