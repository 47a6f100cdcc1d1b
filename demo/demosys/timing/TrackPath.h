#pragma once

#include <string>

// Paths of the track files: the tracks directory may be given with or without its "/".
namespace TrackPath {

std::string Join(const std::string& directory, const std::string& fileName);

}  // namespace TrackPath
