#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "demosys/io/ObjectFileParser.h"
#include "demosys/io/ResourceFile.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

namespace {

const char* const MATERIALS =
    "newmtl brick\nKa 0.1 0.2 0.3\nKd 0.4 0.5 0.6\nmap_Kd -s 1 1 1 textures/brick.png\nnewmtl plain\nKd 1 1 "
    "1\n";

// A textured quad given as one polygon, and in a second group triangles with normals whose
// material changes twice.
const char* const SCENE =
    "mtllib scene.mtl\nv 0 0 0\nv 2 0 0\nv 2 1 0\nv 0 1 -1\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
    "g wall\nusemtl brick\nf 1/1 2/2 3/3 4/4\ng roof\nusemtl plain\nf -4//1 -3//1 -2//1\nusemtl brick\n"
    "f 1//1 2//1 3//1\nusemtl plain\nf 3//1 2//1 1//1\n";

}  // namespace

// Bad input is named with its line and nothing is written; the scene's file, read back as the
// engine reads it, holds its groups as mesh objects with their geometry and materials.
TEST(ObjConverterTest, RefusesBadInputByLineAndConvertsGroupsToMeshObjects) {
  TempDir dir;
  dir.write("scene.mtl", MATERIALS);
  const std::string in = dir.path() + "/scene.obj", out = dir.path() + "/scene.kvo", both = in + " " + out;
  const std::string nul("v 0 0 0\ng wa\0ll\n", 16);
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", both, "'" + in + "' holds no faces"},
      {nul, both, in + ":2: binary data (byte 0x00), not text"},
      {MATERIALS, both, in + ":1: 'newmtl' is not a Wavefront OBJ statement"},
      {"v 0 0 0\nv nan 0 0\n", both, in + ":2: expected a finite number, found 'nan'"},
      {"v 0 0 0\nf 1 1 1abc\n", both, in + ":2: bad index '1abc'"},
      {"v 0 0 0\nf 0 1 1\n", both, in + ":2: index 0 names nothing: indices count from 1"},
      {"v 0 0 0\nv 1 0 0\nf 1 2 3\n", both, in + ":3: index 3 names nothing defined so far"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2\n", both, in + ":4: a face needs at least three corners"},
      {"mtllib other.mtl\n", both,
       in + ":1: Cannot open material library '" + dir.path() + "/other.mtl': No such file or directory"},
      {SCENE, dir.path() + " " + out, "Cannot open '" + dir.path() + "': Is a directory"},
      {SCENE, in + " " + dir.path() + "/./scene.mtl",
       "Output '" + dir.path() + "/./scene.mtl' is the same file as the input '" + dir.path() +
           "/scene.mtl'"}};
  for (const auto& [obj, arguments, err] : cases) {
    dir.write("scene.obj", obj);
    EXPECT_EQ("1 |objconv: " + err + "\n", runTool("objconv", arguments).answer());
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  EXPECT_EQ(SCENE, readFile(in));
  EXPECT_EQ(MATERIALS, readFile(dir.path() + "/scene.mtl"));
  ASSERT_EQ("0 Wrote '" + out + "' : 4 meshes, 2 materials, 1 textures\n|",
            runTool("objconv", both).answer());
  EXPECT_EQ(3, std::distance(std::filesystem::directory_iterator(dir.path()), {}));  // no temporaries
  ResourceFile written(out, ResourceFile::Read);
  ObjectFileParser parser("scene.kvo");
  ASSERT_TRUE(parser.ParseFiles(written, nullptr)) << parser.GetError();
  const ObjectFileData& data = parser.GetData();
  // The quad fanned into two triangles of position and texture coordinate; the roof with normals,
  // a new object with a name of its own at each change of material.
  std::string objects;  // "name:material corners/stride" for each
  for (size_t i = 0; i < data.nodes.size() && i < data.meshes.size(); ++i)
    objects += data.nodes[i].name + ":" + std::to_string(data.nodes[i].materialIndex) + " " +
               std::to_string(data.meshes[i].cornerCount) + "/" +
               std::to_string(data.meshes[i].strideBytes()) + " ";
  ASSERT_EQ("wall:0 6/20 roof:1 3/24 roof_brick:0 3/24 roof_plain:1 3/24 ", objects);
  EXPECT_EQ((std::vector<float>{0, 0, 0, 0, 0, 2, 0, 0, 1, 0, 2, 1, 0,  1, 1,
                                0, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 1, -1, 0, 1}),
            data.meshes[0].interleaved);
  EXPECT_EQ((std::vector<float>{0, 0, 0, 0, 0, 1}),
            std::vector<float>(data.meshes[1].interleaved.begin(), data.meshes[1].interleaved.begin() + 6));
  EXPECT_FLOAT_EQ(-1.0f, data.meshes[0].boundsA[2]);
  EXPECT_FLOAT_EQ(2.0f, data.meshes[0].boundsB[0]);
  // Materials carry their colours and their diffuse texture.
  ASSERT_EQ(2u, data.materials.size());
  ASSERT_EQ(1u, data.textures.size());
  const ObjectMaterialData& brick = data.materials[0];
  EXPECT_EQ("brick|brick.png||brick.png|0.300000 0.500000",
            brick.name + "|" + brick.textureFile + "|" + data.materials[1].textureFile + "|" +
                data.textures[0].file + "|" + std::to_string(brick.ambient[2]) + " " +
                std::to_string(brick.diffuse[1]));
  expectHelpVersionAndUsage("objconv", {"INPUT.obj OUTPUT", "--help", "--version"}, "objconv 1.0\n",
                            "usage: objconv INPUT.obj OUTPUT\n",
                            {"", "a.obj", "a.obj b c", "--frobnicate b"});
}
