// Checks the production's generated data files in the build tree (made by the build's
// brinova-assets step), and that a fresh run of the generator reproduces its pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "assets/AssetGenerator.h"
#include "assets/LoudnessMeter.h"
#include "assets/PngFile.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/io/Image.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

namespace {

const std::string kResources = std::string(KVR_BINARY_DIR) + "/resources";

// A picture as the engine's texture loader receives it.
struct Decoded {
  int width = 0, height = 0, bitsPerPixel = 0;
  std::vector<unsigned char> pixels;
  int at(int x, int y, int c) const {
    return pixels.at((static_cast<size_t>(y) * width + x) * bitsPerPixel / 8 + c);
  }
  // The sum and the largest of f(x, y) over every pixel.
  template <typename F>
  std::pair<double, double> scan(F f) const {
    double sum = 0.0, most = -1e300;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) sum += f(x, y), most = std::max(most, static_cast<double>(f(x, y)));
    return {sum, most};
  }
};

Decoded decode(const std::string& file) {
  Image image(kResources + "/graphics/" + file);
  EXPECT_TRUE(image.isValid()) << file << " does not decode; build the brinova-assets outputs first";
  return {image.getWidth(), image.getHeight(), image.getBitsPerPixel(), image.pixelBuffer()};
}

// Width x height x bits per pixel, as the effects and the loading screen use them.
const std::map<std::string, std::string> kSizes = {
    {"OceanSurface.png", "512x512x24"},
    {"Waves1Normals.png", "256x256x24"},
    {"Waves2Normals.png", "256x256x24"},
    {"Waves3Normals.png", "256x256x24"},
    {"FrameOverlay.png", "1024x1024x32"},
    {"Noise.png", "256x256x24"},
    {"Kernel.png", "16x1x24"},
    {"Threshold.png", "256x1x24"},
    {"light.png", "128x128x32"},
    {"Particle.png", "64x64x32"},
    {"ParticleBlack.png", "64x64x32"},
    {"Puff.png", "128x128x32"},
    {"Velocities.png", "128x128x24"},
    {"Velocities2.png", "128x128x24"},
    {"Velocities3.png", "128x128x24"},
    {"Velocities4.png", "128x128x24"},
    {"Velocities5.png", "128x128x24"},
    {"Velocities6.png", "128x128x24"},
    {"Quor.png", "1024x256x32"},
    {"Mizt.png", "1024x256x32"},
    {"Ovar.png", "1024x256x32"},
    {"Sendrik.png", "1024x256x32"},
    {"KelvaroLogo.png", "1024x256x32"},
    {"BrinovaLogo.png", "1024x256x32"},
    {"QuorSmall.png", "256x256x24"},
    {"MiztSmall.png", "256x256x24"},
    {"OvarSmall.png", "256x256x24"},
    {"SendrikSmall.png", "256x256x24"},
    {"KelvaroLogoSmall.png", "256x256x24"},
    {"BrinovaLogoSmall.png", "256x256x24"},
    {"Loader1.png", "1024x512x24"},
    {"Loader2.png", "1024x512x32"},
};

// The pictures are made again here and must come out as the build's files, byte for byte.
TEST(AssetGeneratorTest, EveryPictureHasItsSizeAndDepthAndAFreshRunWritesTheSameBytes) {
  TempDir fresh;
  PngFile png;
  AssetGenerator generator("/usr/share/fonts/truetype/dejavu");
  EXPECT_EQ(kSizes.size(), generator.images().size());
  for (const AssetGenerator::Image& image : generator.images()) {
    const std::string& file = image.fileName;
    Decoded d = decode(file);
    EXPECT_EQ(
        kSizes.count(file) ? kSizes.at(file) : "unlisted",
        std::to_string(d.width) + "x" + std::to_string(d.height) + "x" + std::to_string(d.bitsPerPixel));
    EXPECT_EQ(0, (d.width & (d.width - 1)) | (d.height & (d.height - 1))) << file << " is not a power of two";
    ASSERT_TRUE(png.write(image.storedFlipped ? image.picture.flippedVertically() : image.picture,
                          image.channels, fresh.path() + "/" + file));
    EXPECT_TRUE(readFile(fresh.path() + "/" + file) == readFile(kResources + "/graphics/" + file))
        << file << " differs from a fresh run";
  }
}

TEST(AssetGeneratorTest, NormalMapsHoldUnitNormalsAndTileWithoutSeam) {
  for (const char* file : {"Waves1Normals.png", "Waves2Normals.png", "Waves3Normals.png"}) {
    Decoded d = decode(file);
    auto n = [&](int x, int y, int c) { return d.at(x, y, c) / 127.5 - 1.0; };
    auto length = [&](int x, int y) { return std::fabs(std::hypot(n(x, y, 0), n(x, y, 1), n(x, y, 2)) - 1); };
    EXPECT_LT(d.scan(length).second, 0.02) << file;
    // The step from the last column or row to the first must look like any other step.
    auto step = [&](int x, int y, int dx, int dy) {
      int w = d.width, most = 0;
      for (int c = 0; c < 3; ++c)
        most = std::max(most, std::abs(d.at(x, y, c) - d.at((x + w - dx) % w, (y + w - dy) % w, c)));
      return most;
    };
    auto seam = [&](int x, int y) { return std::max(x ? 0 : step(x, y, 1, 0), y ? 0 : step(x, y, 0, 1)); };
    auto inner = [&](int x, int y) { return std::max(x ? step(x, y, 1, 0) : 0, y ? step(x, y, 0, 1) : 0); };
    EXPECT_LE(d.scan(seam).second, d.scan(inner).second) << file;
    EXPECT_GT(d.scan(inner).second, 0) << file << " is flat";
  }
}

TEST(AssetGeneratorTest, SpritesFadeToZeroAlphaAtTheBorder) {
  for (const char* file : {"light.png", "Particle.png", "ParticleBlack.png", "Puff.png"}) {
    Decoded d = decode(file);
    auto edge = [&](int x, int y) { return x % (d.width - 1) && y % (d.height - 1) ? 0 : d.at(x, y, 3); };
    EXPECT_EQ(0, d.scan(edge).first) << file;
    EXPECT_GT(d.at(d.width / 2, d.height / 2, 3), 100) << file << " has no body";
  }
}

TEST(AssetGeneratorTest, VelocityFieldsAreGreyWithZeroMeanAndMove) {
  for (const char* file : {"Velocities.png", "Velocities2.png", "Velocities3.png", "Velocities4.png",
                           "Velocities5.png", "Velocities6.png"}) {
    Decoded d = decode(file);
    auto v = [&](int x, int y) { return d.at(x, y, 0) / 255.0 - 0.5; };
    EXPECT_EQ(0, d.scan([&](int x, int y) { return d.at(x, y, 0) != d.at(x, y, 1); }).first) << file;
    EXPECT_LT(std::fabs(d.scan(v).first / (d.width * d.height)), 0.01) << file;
    EXPECT_GT(d.scan([&](int x, int y) { return std::fabs(v(x, y)); }).second, 0.2)
        << file << " is nearly still";
  }
}

TEST(AssetGeneratorTest, KernelIsASymmetricBellSummingToOne) {
  Decoded d = decode("Kernel.png");
  EXPECT_NEAR(1.0, d.scan([&](int x, int y) { return d.at(x, y, 0) / 255.0; }).first, 0.01);
  EXPECT_EQ(0, d.at(15, 0, 0));
  EXPECT_EQ(d.at(6, 0, 0), d.at(8, 0, 0));  // symmetric about the centre tap 7
  EXPECT_GT(d.at(7, 0, 0), d.at(6, 0, 0));
}

// The shown part is 960 x 540 at the left; in decoded rows it lies at the top or the bottom.
TEST(AssetGeneratorTest, FrameOverlayLeavesTheCentreClear) {
  Decoded d = decode("FrameOverlay.png");
  auto centre = [](int x, int y) {
    return x >= 60 && x < 900 && ((y >= 60 && y < 480) || (y >= 544 && y < 964));
  };
  EXPECT_EQ(0, d.scan([&](int x, int y) { return centre(x, y) ? d.at(x, y, 3) : 0; }).first);
  EXPECT_GT(d.scan([&](int x, int y) { return d.at(x, y, 3); }).first, 0);
}

// Decoded through the engine's sound layer, as the demo plays it.
TEST(AssetGeneratorTest, MusicIsLongEnoughMasteredAndFollowsTheStoryboard) {
  AudioSound sound;
  ASSERT_EQ(0, sound.loadFile(kResources + "/sound/" + AssetGenerator::kMusicFile));
  ASSERT_EQ(44100, sound.sampleRate());
  const long rate = sound.sampleRate();
  StereoBuffer audio;
  for (uint32_t i = 0; i < sound.frameCount(); ++i) {
    audio.left.push_back(sound.samples()[2 * i] / 32768.0f);
    audio.right.push_back(sound.samples()[2 * i + 1] / 32768.0f);
  }
  auto barDb = [&](int bar) {
    size_t start = static_cast<size_t>((bar - 1) * 2 * rate),
           end = std::min(audio.frames(), start + 2 * rate);
    double sum = 0.0;
    for (size_t i = start; i < end; ++i)
      sum += audio.left[i] * audio.left[i] + audio.right[i] * audio.right[i];
    return 10.0 * std::log10(sum / (2.0 * (end - start)) + 1e-20);
  };
  EXPECT_GE(static_cast<double>(audio.frames()) / rate, 152.85);
  EXPECT_LE(20.0 * std::log10(audio.peak()), -1.0);
  EXPECT_NEAR(-14.0, LoudnessMeter::integratedLufs(audio, rate), 2.0);
  EXPECT_LT(std::fabs(std::accumulate(audio.left.begin(), audio.left.end(), 0.0) / audio.frames()), 0.001);
  // Drums arrive at bars 9 (kick), 25 (full groove) and 61 (climax), and leave at 45 and 71.
  for (int bar : {9, 17, 25, 61}) EXPECT_GT(barDb(bar), barDb(bar - 1) + 0.3) << bar;
  for (int bar : {45, 71}) EXPECT_LT(barDb(bar), barDb(bar - 1) - 3.0) << bar;
  EXPECT_GT(barDb(13), barDb(1) + 6.0);
}

TEST(AssetGeneratorTest, BannerIsA390By49XpmWithTwoCharactersPerPixel) {
  const std::string header = readFile(std::string(KVR_BINARY_DIR) + "/generated/BrinovaBanner.h");
  const std::string start = "static const char* const brinova_banner_xpm[] = {\n\"390 49 ";
  ASSERT_NE(std::string::npos, header.find(start));
  const int colours = std::atoi(header.c_str() + header.find(start) + start.size());
  EXPECT_TRUE(colours > 100 && colours <= 4096) << colours;
  EXPECT_NE(std::string::npos, header.find(" 2\",\n"));
  std::istringstream lines(header);
  int colourLines = 0, rows = 0;
  for (std::string line; std::getline(lines, line);) {
    colourLines += line.size() == 15 && line.compare(3, 4, " c #") == 0;  // "ab c #RRGGBB",
    rows += line.size() >= 782 && line.find('"', 1) == 781;               // 390 pixels of two characters
  }
  EXPECT_EQ(colours, colourLines);
  EXPECT_EQ(49, rows);
}

// Mistakes show the usage (status 2); paths that cannot be written are named (status 1) before
// a single picture is made.
TEST(AssetGeneratorTest, CommandLineMistakesAndUnwritablePathsFailBeforeAnyWork) {
  TempDir dir;
  std::string file = dir.write("file", "x"), out = dir.path() + "/out";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"", 2, "no <resources-dir> given"},
      {out + " --frobnicate", 2, "unknown option '--frobnicate'"},
      {out + " --banner", 2, "option '--banner' needs a value"},
      {out + " --wav --fonts /tmp", 2, "option '--wav' needs a value"},
      {file + "/out", 1, "cannot create folder '" + file + "/out/graphics': "},
      {out + " --wav /proc/brinova.wav", 1, "cannot write in folder '/proc': "},
      {out + " --contact-sheet " + dir.path(), 1, "'" + dir.path() + "' is a folder, not a file"},
  };
  for (const auto& [args, status, error] : cases) {
    ToolRun run = runTool("brinova-assets", args);
    EXPECT_EQ(status, run.status) << args;
    EXPECT_EQ(0u, run.err.find("brinova-assets: " + error)) << run.err;
    EXPECT_EQ(status == 2, run.err.find("\nUsage: brinova-assets <resources-dir>") != std::string::npos)
        << args;
    EXPECT_EQ("", run.out) << args;
  }
  EXPECT_TRUE(std::filesystem::is_empty(out + "/graphics"));
  expectHelpVersionAndUsage("brinova-assets",
                            {"\n  --banner <header>", "\n  --contact-sheet <png>", "\n  --wav <file>",
                             "\n  --fonts <dir>", "\n  --help", "\n  --version"},
                            "brinova-assets " KVR_VERSION "\n", "", {});
}

// The file appears only when complete: a write that fails leaves what the path held, and no
// temporary file beside it.
TEST(AssetGeneratorTest, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  std::string path = dir.write("picture.png", "previous");
  PngFile png;
  EXPECT_FALSE(png.write(Canvas(0, 0), 3, path));  // libpng refuses it after the file is opened
  EXPECT_EQ("Cannot encode '" + path + "'", png.error());
  EXPECT_EQ("previous", readFile(path));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path()), {}));
  ASSERT_TRUE(png.write(Canvas(2, 1), 4, path)) << png.error();
  EXPECT_EQ("\x89PNG", readFile(path).substr(0, 4));
}

}  // namespace
