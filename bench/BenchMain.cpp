// Google Benchmark's usual entry, which answers --help and every --benchmark_ flag, plus the
// --version that every program of the project answers.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("kvr_bench %s\n", KVR_VERSION);
      return 0;
    }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
