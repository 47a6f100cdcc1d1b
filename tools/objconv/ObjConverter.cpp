#include "objconv/ObjConverter.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>
#include <set>
#include <sstream>

#include "objconv/TextLineReader.h"

namespace {

// Ids start at 1 so that 0 names no node, material or texture.
const uint32_t NONE = 0;

// Statements of the format that a model may hold and the engine's object file has no place for:
// free-form geometry, lines, points, smoothing and merging groups, display and render attributes.
const std::set<std::string> IGNORED_STATEMENTS = {
    "vp",     "l",          "p",         "s",     "mg",       "cstype",   "deg",  "bmat",
    "step",   "curv",       "curv2",     "surf",  "parm",     "trim",     "hole", "scrv",
    "sp",     "end",        "con",       "bevel", "c_interp", "d_interp", "lod",  "maplib",
    "usemap", "shadow_obj", "trace_obj", "ctech", "stech",    "call",     "csh"};

std::string restOfLine(std::istringstream& fields) {
  std::string rest;
  std::getline(fields >> std::ws, rest);
  while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) rest.pop_back();
  return rest;
}

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Refuses nan and inf too: bounds and normals made from them would mean nothing.
bool parseNumber(const std::string& word, float& value) {
  const char* begin = word.data();
  const char* end = begin + word.size();
  if (begin != end && *begin == '+') ++begin;
  std::from_chars_result result = std::from_chars(begin, end, value);
  return begin != end && result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool ObjConverter::Convert(const std::string& objPath) {
  size_t slash = objPath.find_last_of('/');
  directory = slash == std::string::npos ? std::string() : objPath.substr(0, slash + 1);
  if (!readObj(objPath)) return false;
  if (pieces.empty()) return fail("'" + objPath + "' holds no faces");
  build();
  return true;
}

std::string ObjConverter::FindInput(const std::string& path) const {
  struct stat target, input;
  if (stat(path.c_str(), &target) != 0) return "";
  for (const std::string& candidate : inputs)
    if (stat(candidate.c_str(), &input) == 0 && sameFile(input, target)) return candidate;
  return "";
}

bool ObjConverter::readObj(const std::string& path) {
  TextLineReader reader(path);
  if (!reader.open()) return fail("Cannot open '" + path + "': " + reader.getError());
  inputs.push_back(path);
  std::string line;
  while (reader.next(line)) {
    place = reader.where();
    if (!readLine(line)) return false;
  }
  return reader.getError().empty() || fail(reader.getError());
}

bool ObjConverter::readLine(const std::string& line) {
  std::istringstream fields(line);
  std::string keyword;
  fields >> keyword;
  if (keyword.empty() || keyword[0] == '#') return true;
  if (keyword == "v") return readNumbers(fields, keyword, 3, 6, 3, positions);
  if (keyword == "vt") return readNumbers(fields, keyword, 1, 3, 2, texcoords);
  if (keyword == "vn") return readNumbers(fields, keyword, 3, 3, 3, normals);
  if (keyword == "f") return readFace(fields);
  if (keyword == "g" || keyword == "o") {
    std::string name = restOfLine(fields);
    group = name.empty() ? "default" : name;
  } else if (keyword == "usemtl") {
    material = restOfLine(fields);
  } else if (keyword == "mtllib") {
    std::string file;
    while (fields >> file)
      if (!readMaterialLibrary(directory + file)) return false;
  } else if (!IGNORED_STATEMENTS.count(keyword)) {
    return failHere("'" + keyword + "' is not a Wavefront OBJ statement");
  }
  return true;
}

// Keeps the first `kept` numbers of the statement (missing ones as 0), after checking them all.
bool ObjConverter::readNumbers(std::istringstream& fields, const std::string& keyword, size_t least,
                               size_t most, size_t kept, std::vector<float>& into) {
  std::vector<float> values;
  std::string word;
  while (fields >> word) {
    float value = 0.0f;
    if (!parseNumber(word, value)) return failHere("expected a finite number, found '" + word + "'");
    values.push_back(value);
  }
  if (values.size() < least || values.size() > most) {
    std::string range = std::to_string(least) + (least == most ? "" : " to " + std::to_string(most));
    return failHere("'" + keyword + "' takes " + range + " numbers, found " + std::to_string(values.size()));
  }
  values.resize(kept);
  into.insert(into.end(), values.begin(), values.end());
  return true;
}

bool ObjConverter::readFace(std::istringstream& fields) {
  std::vector<Corner> polygon;
  std::string text;
  while (fields >> text) {
    Corner corner;
    if (!readCorner(text, corner)) return false;
    polygon.push_back(corner);
  }
  if (polygon.size() < 3) return failHere("a face needs at least three corners");
  Piece& piece = currentPiece();
  for (size_t i = 1; i + 1 < polygon.size(); ++i) {
    piece.corners.push_back(polygon[0]);
    piece.corners.push_back(polygon[i]);
    piece.corners.push_back(polygon[i + 1]);
  }
  return true;
}

// "v", "v/vt", "v//vn" or "v/vt/vn".
bool ObjConverter::readCorner(const std::string& text, Corner& corner) {
  std::vector<std::string> parts;
  std::istringstream stream(text);
  std::string part;
  while (std::getline(stream, part, '/')) parts.push_back(part);
  if (parts.empty() || parts.size() > 3) return failHere("bad corner '" + text + "'");
  if (!readIndex(parts[0], positions.size() / 3, corner.position)) return false;
  if (parts.size() > 1 && !parts[1].empty() && !readIndex(parts[1], texcoords.size() / 2, corner.texcoord))
    return false;
  if (parts.size() > 2 && !parts[2].empty() && !readIndex(parts[2], normals.size() / 3, corner.normal))
    return false;
  return true;
}

// One-based, or negative counting back from the latest element.
bool ObjConverter::readIndex(const std::string& text, size_t count, int& index) {
  long long value = 0;
  const char* end = text.data() + text.size();
  std::from_chars_result result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end)
    return failHere("bad index '" + text + "'");
  if (value == 0) return failHere("index 0 names nothing: indices count from 1");
  long long resolved = value > 0 ? value - 1 : static_cast<long long>(count) + value;
  if (resolved < 0 || resolved >= static_cast<long long>(count))
    return failHere("index " + text + " names nothing defined so far");
  index = static_cast<int>(resolved);
  return true;
}

bool ObjConverter::readMaterialLibrary(const std::string& path) {
  TextLineReader reader(path);
  if (!reader.open()) return failHere("Cannot open material library '" + path + "': " + reader.getError());
  inputs.push_back(path);
  const std::string objPlace = place;
  MaterialSource* current = nullptr;
  std::string line;
  while (reader.next(line)) {
    place = reader.where();
    if (!readMaterialLine(line, current)) return false;
  }
  place = objPlace;
  return reader.getError().empty() || fail(reader.getError());
}

bool ObjConverter::readMaterialLine(const std::string& line, MaterialSource*& current) {
  std::istringstream fields(line);
  std::string keyword;
  fields >> keyword;
  if (keyword == "newmtl") {
    current = &materialSources[restOfLine(fields)];
  } else if (!current) {
    return true;
  } else if (keyword == "Ka" || keyword == "Kd") {
    std::vector<float> colour;
    if (!readNumbers(fields, keyword, 3, 3, 3, colour)) return false;
    std::copy(colour.begin(), colour.end(), keyword == "Ka" ? current->ambient : current->diffuse);
  } else if (keyword == "map_Kd") {
    // Options may come first; the file name is the last word. Textures are looked up by
    // name in the graphics folder, so the path goes.
    std::string word;
    while (fields >> word) current->texture = baseName(word);
  }
  return true;
}

ObjConverter::Piece& ObjConverter::currentPiece() {
  if (pieces.empty() || pieces.back().group != group || pieces.back().material != material)
    pieces.push_back({group, material, {}});
  return pieces.back();
}

void ObjConverter::build() {
  data = ObjectFileData();
  buildMaterials();
  std::map<std::string, int> usedNames;
  uint32_t id = 1;
  for (const Piece& piece : pieces) {
    buildMesh(piece, id);
    ObjectNodeData node;
    node.id = id;
    node.type = NodeMeshObject;
    node.meshId = id;
    node.parentId = NONE;
    node.name = uniqueName(piece, usedNames);
    auto material = materialIds.find(piece.material);
    node.materialId = material == materialIds.end() ? NONE : material->second;
    data.nodes.push_back(node);
    ++id;
  }
}

void ObjConverter::buildMaterials() {
  std::map<std::string, uint32_t> textureIds;
  for (const Piece& piece : pieces) {
    if (piece.material.empty() || materialIds.count(piece.material)) continue;
    auto source = materialSources.find(piece.material);
    if (source == materialSources.end())
      std::cerr << "Material '" << piece.material << "' is not defined, using default colours" << std::endl;
    MaterialSource colours = source == materialSources.end() ? MaterialSource() : source->second;
    ObjectMaterialData record;
    record.id = static_cast<uint32_t>(data.materials.size() + 1);
    record.name = piece.material;
    std::copy(colours.ambient, colours.ambient + 3, record.ambient);
    std::copy(colours.diffuse, colours.diffuse + 3, record.diffuse);
    record.ambient[3] = record.diffuse[3] = 1.0f;
    if (!colours.texture.empty()) {
      uint32_t& textureId = textureIds[colours.texture];
      if (textureId == NONE) {
        textureId = static_cast<uint32_t>(data.textures.size() + 1);
        data.textures.push_back({textureId, colours.texture, colours.texture});
      }
      record.textureId = textureId;
      record.textureFile = colours.texture;
    }
    materialIds[piece.material] = record.id;
    data.materials.push_back(record);
  }
}

// Keeps only the attributes every corner of the piece has, renumbered from zero.
void ObjConverter::buildMesh(const Piece& piece, uint32_t id) {
  bool withTexcoords = std::all_of(piece.corners.begin(), piece.corners.end(),
                                   [](const Corner& c) { return c.texcoord >= 0; });
  bool withNormals =
      std::all_of(piece.corners.begin(), piece.corners.end(), [](const Corner& c) { return c.normal >= 0; });
  ObjectMeshData mesh;
  mesh.id = id;
  mesh.name = piece.group;
  mesh.vertexOffset = 0;
  mesh.normalOffset = withNormals ? 1 : 0;
  mesh.texcoordOffset = withTexcoords ? (withNormals ? 2 : 1) : 0;
  std::map<int, uint32_t> positionSlots, texcoordSlots, normalSlots;
  auto slotOf = [](std::map<int, uint32_t>& slots, int index, const std::vector<float>& from, int size,
                   std::vector<float>& into) {
    auto found = slots.find(index);
    if (found != slots.end()) return found->second;
    uint32_t slot = static_cast<uint32_t>(into.size() / size);
    into.insert(into.end(), from.begin() + size_t(index) * size, from.begin() + size_t(index + 1) * size);
    slots[index] = slot;
    return slot;
  };
  for (const Corner& corner : piece.corners) {
    mesh.indices.push_back(slotOf(positionSlots, corner.position, positions, 3, mesh.positions));
    if (withNormals) mesh.indices.push_back(slotOf(normalSlots, corner.normal, normals, 3, mesh.normals));
    if (withTexcoords)
      mesh.indices.push_back(slotOf(texcoordSlots, corner.texcoord, texcoords, 2, mesh.texcoords));
  }
  for (size_t i = 0; i < mesh.positions.size(); ++i) {
    size_t axis = i % 3;
    mesh.boundsA[axis] = i < 3 ? mesh.positions[i] : std::min(mesh.boundsA[axis], mesh.positions[i]);
    mesh.boundsB[axis] = i < 3 ? mesh.positions[i] : std::max(mesh.boundsB[axis], mesh.positions[i]);
  }
  data.meshes.push_back(std::move(mesh));
}

// Object names must be unique in a scene: a group split by materials gets the material's
// name added, and any name still taken a counter.
std::string ObjConverter::uniqueName(const Piece& piece, std::map<std::string, int>& used) const {
  std::string name = piece.group;
  if (used.count(name) && !piece.material.empty()) name += "_" + piece.material;
  std::string candidate = name;
  for (int n = 2; used.count(candidate); ++n) candidate = name + "_" + std::to_string(n);
  used[candidate] = 1;
  return candidate;
}

bool ObjConverter::failHere(const std::string& what) { return fail(place + ": " + what); }

bool ObjConverter::fail(const std::string& message) {
  error = message;
  return false;
}
