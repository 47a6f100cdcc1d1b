#include "demosys/io/ResourceAccess.h"

#include <sys/stat.h>

#include <algorithm>
#include <iostream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/Binary.h"
#include "demosys/io/ResourceArchive.h"
#include "demosys/io/ResourceFile.h"

namespace ResourceAccess {

const char* const OBJECTS_DIRECTORY = "resources/objects/";
const char* const GRAPHICS_DIRECTORY = "resources/graphics/";
const char* const MISC_DIRECTORY = "resources/misc/";
const char* const SOUND_DIRECTORY = "resources/sound/";
const char* const SHADERS_DIRECTORY = "resources/shaders/";
const char* const VIDEO_DIRECTORY = "resources/video/";
const char* const TRACKS_DIRECTORY = "resources/tracks/";
const char* const ARCHIVE_NAME = "resources.7z";

void selectSource(int source) {
  KVRDemosys::resourceSource = source;
  if (source == 1) {
    closeArchive();
    KVRDemosys::archive = new ResourceArchive();
    // A missing archive shows up later, as lookups that find nothing.
    KVRDemosys::archive->open(ARCHIVE_NAME);
  }
  KVRDemosys::logFileLoads = false;
}

void closeArchive() {
  delete KVRDemosys::archive;
  KVRDemosys::archive = nullptr;
}

bool fileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

void registerUsedFile(const std::string& path) {
  std::vector<std::string>& used = KVRDemosys::usedResourceFiles;
  if (std::find(used.begin(), used.end(), path) == used.end()) used.push_back(path);
}

namespace {

ResourceFile* openResource(const std::string& path, const char* logPrefix) {
  if (KVRDemosys::logFileLoads) std::cout << logPrefix << path << std::endl;
  if (KVRDemosys::resourceSource == 0) return new ResourceFile(path, ResourceFile::Read);
  if (KVRDemosys::resourceSource != 1) return nullptr;
  ResourceFile* file = new ResourceFile(path);
  file->fillFromArchive();
  return file;
}

}  // namespace

ResourceFile* loadTextFile(const std::string& path) { return openResource(path, "Loading text file : "); }

ResourceFile* loadFile(const std::string& path) { return openResource(path, "Loading file : "); }

Binary* loadBinaryFile(const std::string& path) {
  ResourceFile* file = openResource(path, "Loading binary file : ");
  Binary* binary = nullptr;
  if (file && file->isOk()) binary = new Binary(file->bytes());
  delete file;
  return binary;
}

}  // namespace ResourceAccess
