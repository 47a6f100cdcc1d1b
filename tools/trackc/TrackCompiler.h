#pragma once

#include <ostream>
#include <string>

class PendingFile;
class TrackData;
class TrackNameList;

// The two commands of trackc: timeline text into the packed track files, and back.
class TrackCompiler {
 public:
  // Writes OUTDIR/index.list and OUTDIR/track.data (creating OUTDIR). The pair is replaced only
  // when both files are complete: after any failure the previous pair is left as it was.
  // With an effects list (the text form of TrackNameList), a name outside it fails the compile.
  bool Compile(const std::string& timelinePath, const std::string& outDirectory,
               const std::string& effectsPath = "");
  // Prints the packed files of `directory` as timeline text.
  bool Dump(const std::string& directory, std::ostream& out);

  const std::string& GetError() const { return error; }

 private:
  bool readEffects(const std::string& path, TrackNameList& names);
  bool writePair(const TrackData& data, const std::string& outDirectory);
  bool replaceable(const PendingFile& file);
  bool fail(const std::string& message);

  std::string error;
};
