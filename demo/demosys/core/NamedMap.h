#pragma once

#include <iterator>
#include <map>
#include <set>
#include <string>

// The owning name-to-resource map behind the data pools. std::string's ordering is the byte
// order the dumps and index lookups walk (shorter string first on a common prefix).
template <typename T>
class NamedMap {
 public:
  using Map = std::map<std::string, T*>;

  ~NamedMap() { deleteAll(); }

  // Stores or overwrites; a replaced object is not deleted (reloads store the same object again).
  void add(const std::string& name, T* resource) { entries[name] = resource; }
  T* get(const std::string& name) const {
    auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
  }
  bool contains(const std::string& name) const { return entries.count(name) != 0; }
  // The index-th entry in name order, or null past the last entry.
  T* at(int index) const {
    if (index < 0 || index >= static_cast<int>(entries.size())) return nullptr;
    return std::next(entries.begin(), index)->second;
  }
  // In name order; an object stored under several names is deleted once.
  void deleteAll() {
    std::set<const T*> deleted;
    for (auto& entry : entries)
      if (deleted.insert(entry.second).second) delete entry.second;
    entries.clear();
  }

  Map entries;
};
