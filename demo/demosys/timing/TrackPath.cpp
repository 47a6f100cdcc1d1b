#include "demosys/timing/TrackPath.h"

namespace TrackPath {

std::string Join(const std::string& directory, const std::string& fileName) {
  if (directory.empty() || directory.back() == '/') return directory + fileName;
  return directory + "/" + fileName;
}

}  // namespace TrackPath
