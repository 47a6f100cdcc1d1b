#pragma once

#include <map>
#include <string>
#include <vector>

#include "demosys/io/ObjectFileData.h"

// Turns a Wavefront OBJ file into the engine's object data: one mesh object per group (or
// object) and material, polygons fanned into triangles, materials and their diffuse texture
// maps taken from the "mtllib" files beside the OBJ.
class ObjConverter {
 public:
  bool Convert(const std::string& objPath);
  const ObjectFileData& GetData() const { return data; }
  const std::string& GetError() const { return error; }

 private:
  struct Corner {
    int position = -1;
    int texcoord = -1;
    int normal = -1;
  };
  struct Piece {
    std::string group;
    std::string material;
    std::vector<Corner> corners;
  };
  struct MaterialSource {
    float ambient[3] = {0.2f, 0.2f, 0.2f};
    float diffuse[3] = {0.8f, 0.8f, 0.8f};
    std::string texture;
  };

  bool readObj(const std::string& path);
  bool readLine(const std::string& line);
  bool readFace(std::istringstream& fields);
  bool readCorner(const std::string& text, Corner& corner);
  bool readIndex(const std::string& text, size_t count, int& index);
  bool readMaterialLibrary(const std::string& path);
  Piece& currentPiece();
  void build();
  void buildMaterials();
  void buildMesh(const Piece& piece, uint32_t id);
  std::string uniqueName(const Piece& piece, std::map<std::string, int>& used) const;
  bool fail(const std::string& message);

  std::string directory;
  int lineNumber = 0;
  std::vector<float> positions;  // 3 per vertex
  std::vector<float> texcoords;  // 2 per coordinate
  std::vector<float> normals;    // 3 per normal
  std::string group = "default";
  std::string material;
  std::vector<Piece> pieces;
  std::map<std::string, MaterialSource> materialSources;
  std::map<std::string, uint32_t> materialIds;

  ObjectFileData data;
  std::string error;
};
