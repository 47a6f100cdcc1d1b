#pragma once

#include <ostream>
#include <string>

// The two commands of trackc: timeline text into the packed track files, and back.
class TrackCompiler {
 public:
  // Writes OUTDIR/index.list and OUTDIR/track.data (creating OUTDIR); on a bad timeline line
  // nothing is written.
  bool Compile(const std::string& timelinePath, const std::string& outDirectory);
  // Prints the packed files of `directory` as timeline text.
  bool Dump(const std::string& directory, std::ostream& out);

  const std::string& GetError() const { return error; }

 private:
  std::string error;
};
