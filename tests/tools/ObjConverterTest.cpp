#include <gtest/gtest.h>

#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceFile.h"
#include "objconv/ObjConverter.h"
#include "objconv/ObjectFileEncoder.h"
#include "support/TempDir.h"

namespace {

const char* const MATERIALS =
    "newmtl brick\n"
    "Ka 0.1 0.2 0.3\n"
    "Kd 0.4 0.5 0.6\n"
    "map_Kd -s 1 1 1 textures/brick.png\n"
    "newmtl plain\n"
    "Kd 1 1 1\n";

// A textured quad given as one polygon, and a triangle with normals in a second group.
const char* const SCENE =
    "mtllib scene.mtl\n"
    "v 0 0 0\nv 2 0 0\nv 2 1 0\nv 0 1 -1\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "g wall\nusemtl brick\n"
    "f 1/1 2/2 3/3 4/4\n"
    "g roof\nusemtl plain\n"
    "f -4//1 -3//1 -2//1\n";

ObjectFileData convertAndReadBack(const std::string& obj, const std::string& mtl, std::string& error) {
  TempDir dir;
  dir.write("scene.mtl", mtl);
  std::string objPath = dir.write("scene.obj", obj);
  ObjConverter converter;
  if (!converter.Convert(objPath)) {
    error = converter.GetError();
    return ObjectFileData();
  }
  std::string outPath = dir.path() + "/scene.kvo";
  EXPECT_TRUE(ObjectFileEncoder::writeFiles(outPath, converter.GetData(), error)) << error;
  ResourceFile written(outPath, ResourceFile::Read);
  ObjectFileParser parser("scene.kvo");
  if (!parser.ParseFiles(written, nullptr)) error = parser.GetError();
  return parser.GetData();
}

}  // namespace

TEST(ObjConverterTest, GroupsBecomeMeshObjectsWithTheirGeometryAndMaterials) {
  std::string error;
  ObjectFileData data = convertAndReadBack(SCENE, MATERIALS, error);
  ASSERT_EQ("", error);
  ASSERT_EQ(2u, data.meshes.size());
  ASSERT_EQ(2u, data.nodes.size());
  EXPECT_EQ("wall", data.nodes[0].name);
  EXPECT_EQ("roof", data.nodes[1].name);

  const ObjectMeshData& wall = data.meshes[0];
  EXPECT_EQ(6u, wall.cornerCount);  // the quad fanned into two triangles
  EXPECT_EQ(20u, wall.strideBytes());
  std::vector<float> expected = {0, 0, 0, 0, 0, 2, 0, 0, 1, 0, 2, 1, 0,  1, 1,
                                 0, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 1, -1, 0, 1};
  EXPECT_EQ(expected, wall.interleaved);
  EXPECT_FLOAT_EQ(-1.0f, wall.boundsA[2]);
  EXPECT_FLOAT_EQ(2.0f, wall.boundsB[0]);

  const ObjectMeshData& roof = data.meshes[1];
  EXPECT_EQ(3u, roof.cornerCount);
  EXPECT_EQ(24u, roof.strideBytes());
  std::vector<float> firstCorner = {0, 0, 0, 0, 0, 1};
  EXPECT_EQ(firstCorner, std::vector<float>(roof.interleaved.begin(), roof.interleaved.begin() + 6));

  // Materials carry their colours and their diffuse texture.
  ASSERT_EQ(2u, data.materials.size());
  EXPECT_EQ("brick", data.materials[0].name);
  EXPECT_FLOAT_EQ(0.3f, data.materials[0].ambient[2]);
  EXPECT_FLOAT_EQ(0.5f, data.materials[0].diffuse[1]);
  EXPECT_EQ("brick.png", data.materials[0].textureFile);
  EXPECT_EQ("", data.materials[1].textureFile);
  ASSERT_EQ(1u, data.textures.size());
  EXPECT_EQ("brick.png", data.textures[0].file);
  EXPECT_EQ(0, data.nodes[0].materialIndex);
  EXPECT_EQ(1, data.nodes[1].materialIndex);
}

TEST(ObjConverterTest, MaterialChangesInsideAGroupGiveUniquelyNamedObjects) {
  std::string error;
  ObjectFileData data = convertAndReadBack(
      "mtllib scene.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\ng box\nusemtl brick\nf 1 2 3\nusemtl plain\nf 1 2 3\n"
      "usemtl brick\nf 3 2 1\n",
      MATERIALS, error);
  ASSERT_EQ("", error);
  ASSERT_EQ(3u, data.nodes.size());
  EXPECT_EQ("box", data.nodes[0].name);
  EXPECT_EQ("box_plain", data.nodes[1].name);
  EXPECT_EQ("box_brick", data.nodes[2].name);
  EXPECT_EQ(12u, data.meshes[0].strideBytes());
}

TEST(ObjConverterTest, BadInputGivesAClearError) {
  struct Case {
    const char* obj;
    const char* error;
  } cases[] = {
      {"v 0 0 0\nv 1 0 0\nf 1 2 3\n", "Line 3: index 3 names nothing defined so far"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2\n", "Line 4: a face needs at least three corners"},
      {"v 0 0 0\nf 1 x 1\n", "Line 2: bad index 'x'"},
      {"v 0 0 0\nf 1/5 1 1\n", "Line 2: index 5 names nothing defined so far"},
      {"mtllib other.mtl\n", "Cannot open material library '"},
  };
  for (const Case& c : cases) {
    std::string error;
    convertAndReadBack(c.obj, MATERIALS, error);
    EXPECT_EQ(0u, error.find(c.error)) << error;
  }
  ObjConverter converter;
  EXPECT_FALSE(converter.Convert("/nonexistent/scene.obj"));
  EXPECT_EQ("Cannot open '/nonexistent/scene.obj'", converter.GetError());
}

TEST(ObjConverterTest, CommandLineToolWritesALoadableFile) {
  TempDir dir;
  dir.write("scene.mtl", std::string(MATERIALS));
  std::string obj = dir.write("scene.obj", std::string(SCENE));
  std::string out = dir.path() + "/scene.kvo";
  std::string command =
      std::string(KVR_BINARY_DIR) + "/objconv " + obj + " " + out + " > " + dir.path() + "/log";
  ASSERT_EQ(0, std::system(command.c_str()));
  ResourceFile written(out, ResourceFile::Read);
  ObjectFileParser parser("scene.kvo");
  ASSERT_TRUE(parser.ParseFiles(written, nullptr)) << parser.GetError();
  EXPECT_EQ(2u, parser.GetData().meshes.size());
  ResourceFile log(dir.path() + "/log", ResourceFile::Read);
  EXPECT_EQ("Wrote '" + out + "' : 2 meshes, 2 materials, 1 textures\n", log.text());
  EXPECT_NE(0, std::system((std::string(KVR_BINARY_DIR) + "/objconv > /dev/null").c_str()));
}
