// objconv: converts a Wavefront OBJ file (with its .mtl materials) to the engine's object file.
#include <iostream>
#include <string>

#include "common/PendingFile.h"
#include "objconv/ObjConverter.h"
#include "objconv/ObjectFileEncoder.h"

namespace {

const char* const USAGE = "usage: objconv INPUT.obj OUTPUT";
const char* const HELP =
    "Converts a Wavefront OBJ model, with the .mtl material libraries it names, to the engine's\n"
    "object file. Each group (or object) and material becomes a mesh object; polygons become\n"
    "triangles. OUTPUT is replaced only when the conversion has succeeded.\n"
    "\n"
    "  --help     print this text\n"
    "  --version  print the program's name and version\n";

int failure(const std::string& message) {
  std::cerr << "objconv: " << message << std::endl;
  return 1;
}

int convert(const std::string& input, const std::string& output) {
  ObjConverter converter;
  if (!converter.Convert(input)) return failure(converter.GetError());
  std::string overwritten = converter.FindInput(output);
  if (!overwritten.empty())
    return failure("Output '" + output + "' is the same file as the input '" + overwritten + "'");
  const ObjectFileData& data = converter.GetData();
  std::string error;
  if (!ObjectFileEncoder::writeFiles(output, data, error)) return failure(error);
  std::cout << "Wrote '" << output << "' : " << data.meshes.size() << " meshes, " << data.materials.size()
            << " materials, " << data.textures.size() << " textures" << std::endl;
  return 0;
}

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

}  // namespace

int main(int argc, char** argv) {
  PendingFile::installSignalCleanup();
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && first == "--help") {
    std::cout << USAGE << "\n\n" << HELP;
    return 0;
  }
  if (argc == 2 && first == "--version") {
    std::cout << "objconv " << KVR_VERSION << std::endl;
    return 0;
  }
  if (argc != 3 || isOption(argv[1]) || isOption(argv[2])) {
    std::cerr << USAGE << std::endl;
    return 2;
  }
  return convert(argv[1], argv[2]);
}
