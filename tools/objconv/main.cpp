// objconv: converts a Wavefront OBJ file (with its .mtl materials) to the engine's object file.
#include <iostream>

#include "objconv/ObjConverter.h"
#include "objconv/ObjectFileEncoder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cout << "Usage: objconv <input.obj> <output object file>" << std::endl;
    return 2;
  }
  ObjConverter converter;
  std::string error;
  if (!converter.Convert(argv[1])) {
    std::cout << "objconv: " << converter.GetError() << std::endl;
    return 1;
  }
  const ObjectFileData& data = converter.GetData();
  if (!ObjectFileEncoder::writeFiles(argv[2], data, error)) {
    std::cout << "objconv: " << error << std::endl;
    return 1;
  }
  std::cout << "Wrote '" << argv[2] << "' : " << data.meshes.size() << " meshes, " << data.materials.size()
            << " materials, " << data.textures.size() << " textures" << std::endl;
  return 0;
}
