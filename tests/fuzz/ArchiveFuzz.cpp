// Entry lookup and extraction in damaged 7z archives: every entry the header lists, in archive
// order and out of it, and names that are not there.
#include "demosys/ResourceArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  ResourceArchive archive;
  if (!archive.openMemory(std::vector<uint8_t>(bytes, bytes + size))) return 0;
  std::vector<std::string> names = archive.entryNames();
  names.push_back("resources/shaders/missing.frag");
  names.push_back("");
  std::vector<uint8_t> out;
  for (const std::string& name : names) {
    archive.entrySize(name);
    archive.extract(name, out);
  }
  for (size_t i = names.size(); i-- > 0;) archive.extract(names[i], out);
  return 0;
}
