#pragma once

#include <string>

class Binary;
class ResourceFile;

// Where the engine reads its files: the resources/ tree (source 0) or the archive
// "resources.7z" in the working directory (source 1). Callers name files by their relative
// path; the returned objects belong to the caller.
namespace ResourceAccess {

extern const char* const OBJECTS_DIRECTORY;
extern const char* const GRAPHICS_DIRECTORY;
extern const char* const MISC_DIRECTORY;
extern const char* const SOUND_DIRECTORY;
extern const char* const SHADERS_DIRECTORY;
extern const char* const VIDEO_DIRECTORY;
extern const char* const TRACKS_DIRECTORY;
extern const char* const ARCHIVE_NAME;

void selectSource(int source);
void closeArchive();
bool fileExists(const std::string& path);
void registerUsedFile(const std::string& path);

// Never null for sources 0 and 1 (test isOk); null for any other source.
ResourceFile* loadTextFile(const std::string& path);
ResourceFile* loadFile(const std::string& path);
// Null when the file cannot be read.
Binary* loadBinaryFile(const std::string& path);

}  // namespace ResourceAccess
