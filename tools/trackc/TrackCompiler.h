#pragma once

#include <ostream>
#include <string>

class PendingFile;
class TrackData;

// The two commands of trackc: timeline text into the packed track files, and back.
class TrackCompiler {
 public:
  // Writes OUTDIR/index.list and OUTDIR/track.data (creating OUTDIR). The pair is replaced only
  // when both files are complete: after any failure the previous pair is left as it was.
  bool Compile(const std::string& timelinePath, const std::string& outDirectory);
  // Prints the packed files of `directory` as timeline text.
  bool Dump(const std::string& directory, std::ostream& out);

  const std::string& GetError() const { return error; }

 private:
  bool writePair(const TrackData& data, const std::string& outDirectory);
  bool replaceable(const PendingFile& file);
  bool fail(const std::string& message);

  std::string error;
};
