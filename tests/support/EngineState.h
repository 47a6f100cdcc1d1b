#pragma once

// Engine-wide state for tests that drive pools, effects and frames inside the shared GL
// context: fresh pools, the production's staged resource tree as the file source, and a way
// to put everything back.
class EngineState {
 public:
  // New empty pools (the previous ones are deleted) and empty definition lists.
  static void createPools();
  // Everything the engine holds deleted, its state as a fresh process finds it, and the
  // working directory back.
  static void reset();
  // Reads resources from the build tree's staged "resources/" folder (the archive's layout).
  // Loads then run with the build directory as the working directory, until reset().
  static void useBuildResources();
};
