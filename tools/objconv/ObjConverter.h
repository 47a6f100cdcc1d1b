#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "demosys/io/ObjectFileData.h"

// Turns a Wavefront OBJ file into the engine's object data: one mesh object per group (or
// object) and material, polygons fanned into triangles, materials and their diffuse texture
// maps taken from the "mtllib" files beside the OBJ.
//
// Only a model is accepted: text made of the format's statements, numbers that parse as finite
// floats, face indices that name what came before, and at least one face. Anything else fails
// with "FILE:LINE: what" (or a message naming the file where there is no line).
class ObjConverter {
 public:
  bool Convert(const std::string& objPath);
  // The file read by the last conversion (the model or a material library) that `path` names,
  // whatever its spelling; empty when it names none.
  std::string FindInput(const std::string& path) const;
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
  bool readNumbers(std::istringstream& fields, const std::string& keyword, size_t least, size_t most,
                   size_t kept, std::vector<float>& into);
  bool readFace(std::istringstream& fields);
  bool readCorner(const std::string& text, Corner& corner);
  bool readIndex(const std::string& text, size_t count, int& index);
  bool readMaterialLibrary(const std::string& path);
  bool readMaterialLine(const std::string& line, MaterialSource*& current);
  Piece& currentPiece();
  void build();
  void buildMaterials();
  void buildMesh(const Piece& piece, uint32_t id);
  std::string uniqueName(const Piece& piece, std::map<std::string, int>& used) const;
  bool failHere(const std::string& what);
  bool fail(const std::string& message);

  std::string directory;
  std::vector<std::string> inputs;
  std::string place;             // "FILE:LINE" of the line being read
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
