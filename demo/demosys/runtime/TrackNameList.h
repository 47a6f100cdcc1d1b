#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

class Effect;
class ResourceDefinition;

// What a timeline may name: the instances a production creates, each with the parameter tracks
// its effect makes. A name outside the list is a misspelling whose data nobody reads.
//
// Text form, written by `brinova --list-tracks` and read by `trackc compile --effects`: one line
// per instance, its name followed by its track names, separated by blanks; "#" starts a comment.
class TrackNameList {
 public:
  // An instance and its tracks in the effect's order; a null effect has none.
  void addInstance(const std::string& instance, const Effect* effect);
  void addInstance(const std::string& instance, const std::vector<std::string>& tracks);
  // Every instance that the definition's defineInstances creates, made without a window or
  // GL: the engine's effect pools exist only for the call (they must not exist before it).
  void addDefinedInstances(ResourceDefinition& definition);

  bool hasInstance(const std::string& instance) const;
  bool hasTrack(const std::string& instance, const std::string& track) const;
  // "no instance 'x' (instances: a, b)" and "'x' has no track 'y' (tracks: a, b)", the known
  // names in byte order.
  std::string unknownInstance(const std::string& instance) const;
  std::string unknownTrack(const std::string& instance, const std::string& track) const;

  // False with "FILE:LINE: expected ..., found '...'" on the first bad line.
  bool read(const std::string& text, const std::string& fileName);
  void write(std::ostream& out) const;
  const std::string& getError() const { return error; }

 private:
  bool readLine(const std::vector<std::string>& words, const std::string& where);

  std::map<std::string, std::vector<std::string>> tracksByInstance;
  std::string error;
};
