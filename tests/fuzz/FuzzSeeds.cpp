// Writes the first corpus of every fuzz target, made with the project's own writers:
// kvr_fuzz_seeds OUTDIR fills OUTDIR/<Target>/seed-N. Archive seeds are packed with 7zz.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackWriter.h"
#include "fuzz/FuzzInput.h"
#include "objconv/ObjectFileEncoder.h"
#include "support/ObjectFileWriter.h"
#include "support/TempDir.h"
#include "trackc/TimelineParser.h"

namespace {

std::string root;
int count = 0;

void add(const std::string& target, const std::string& bytes) {
  std::filesystem::create_directories(root + "/" + target);
  std::ofstream(root + "/" + target + "/seed-" + std::to_string(++count), std::ios::binary) << bytes;
}

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kvr_fuzz_seeds OUTDIR" << std::endl;
    return 2;
  }
  root = argv[1];
  // Every kind of line and curve, time codes and plain rows, odd numbers and targets.
  for (const char* text :
       {"# seed\ninstance camera 2\n  run 00:01:000 00:04:500 blurx\n  run 100 120\n"
        "  start 02:00:000 offscreen0\n  track alpha\n    00:01:000 0 sine\n    00:02:500 1.5\n"
        "    300 0.25 step\n  track fov\n    0 45 cosine\n    40 -1e-07 quadratic\n    60 inf 7\n"
        "instance fade -3\n  run 0 20 screen\ninstance glow 0\n  track alpha\n    5 nan\n"
        "instance silent 9\ninstance a 1\n  start 00:00:050\n  stop 10\n  track x\n    1 2 linear\n",
        "instance camera 0\n"}) {
    TimelineParser parser;
    std::unique_ptr<TrackData> data(parser.Parse(text, "seed.txt"));
    TempDir dir;
    std::ostringstream quiet;
    TrackWriter writer(quiet);
    if (!data || !writer.SaveTrackData(dir.path(), *data) || !writer.SaveTrackProperties(dir.path(), *data)) {
      std::cerr << parser.GetError() << writer.GetError() << std::endl;
      return 1;
    }
    add("TimelineFuzz", text);
    add("TrackDataFuzz",
        FuzzInput::join({readFile(dir.path() + "/index.list"), readFile(dir.path() + "/track.data")}));
    add("TrackPropertiesFuzz", readFile(dir.path() + "/track.properties"));
  }
  ObjectFileData bare = ObjectFileWriter::sampleScene();  // without a ".kf"
  bare.keyframeTracks.clear();
  for (const ObjectFileData& data : {ObjectFileWriter::sampleScene(), bare})
    add("ObjectFileFuzz",
        FuzzInput::join({asText(ObjectFileEncoder::objectBytes(data)),
                         data.keyframeTracks.empty() ? "" : asText(ObjectFileEncoder::keyframeBytes(data))}));
  for (const char* text : {"KVRANI1\nkeyframes 0\n",
                           "KVRANI1\nkeyframes 3\npos 1 2 3\nrot 10 20\npos -4.5 5e1 +6\n"
                           "rot 7 8\npos 1e3 -2 0.5\nrot 90 -180\n"})
    add("AnimationTextFuzz", text);
  for (const char* code : {"02:30:850", "00:00:000", "-1:61:1000", "4294967295:0:0", "1:2"})
    add("TimeCodeFuzz", code);
  add("ShaderPreprocessorFuzz",
      FuzzInput::join({"#version 120\n#include common.glsl\nvoid main() {\n#include lib/light.glsl\n}\n",
                       "uniform float time;\n#include   noise.glsl  \n",
                       "float noise(vec2 p) { return p.x; }\n",
                       "  gl_FragColor = vec4(noise(vec2(time)));\r\n#include main.vert\n"}));

  TempDir dir;
  const std::vector<std::string> entries = {"resources/shaders/a.vert", "resources/tracks/index.list",
                                            "resources/graphics/empty.png"};
  dir.write(entries[0], "void main() { gl_Position = ftransform(); }\n");
  dir.write(entries[1], std::string("\1\0\0\0fade.track\0\0\0\0\0", 19));
  dir.write(entries[2], "");
  for (const char* options :
       {"-ms=off -mx=9", "-ms=on -mx=5", "-mx=0", "-m0=Deflate", "-m0=BZip2", "-m0=PPMd"})
    add("ArchiveFuzz", readFile(dir.pack7z("seed" + std::to_string(count) + ".7z", entries, options)));
  return 0;
}
