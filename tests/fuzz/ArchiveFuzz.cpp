// Entry lookup and extraction in damaged 7z archives: every entry the header lists, in archive
// order and out of it, and names that are not there.
#include "demosys/io/ResourceArchive.h"

// libarchive believes the entry and folder counts of a damaged header (up to 10^8) and asks
// calloc for gigabytes before it finds the header short. Huge C allocations therefore fail here
// with a null return, so libarchive's own failure path runs and the open must fail cleanly. The
// limit stays above the largest entry our reader accepts (1 GiB), and operator new still reports
// an allocation over it, so an oversized buffer of our own is still a finding. libFuzzer's malloc
// limit (its -rss_limit_mb, 2048 in run.sh) is above this one, so it does not report first.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=1152";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  ResourceArchive archive;
  if (!archive.openMemory(std::vector<uint8_t>(bytes, bytes + size))) return 0;
  std::vector<std::string> names = archive.entryNames();
  names.insert(names.end(), {"resources/shaders/missing.frag", ""});
  std::vector<uint8_t> out;
  for (const std::string& name : names) {
    archive.entrySize(name);
    archive.extract(name, out);
  }
  for (size_t i = names.size(); i-- > 0;) archive.extract(names[i], out);
  return 0;
}
