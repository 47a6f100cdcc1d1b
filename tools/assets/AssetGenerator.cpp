#include "AssetGenerator.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <utility>

#include "AudioFiles.h"
#include "ContactSheet.h"
#include "FlowArt.h"
#include "GradingArt.h"
#include "LoudnessMeter.h"
#include "OceanArt.h"
#include "PngFile.h"
#include "Song.h"
#include "SpriteArt.h"
#include "TitleArt.h"
#include "XpmBanner.h"

const char* const AssetGenerator::kMusicFile = "brinova_final_c.mp3";

AssetGenerator::AssetGenerator(std::string fontDir) : fontDir_(std::move(fontDir)) {}

namespace {

struct Credit {
  const char* name;
  const char* file;
  Rgba dyeTop, dyeBottom;
};

// The dye colours: each handle pours in its own pair, so the climax reads as four colours.
const Credit kCredits[] = {
    {"Quor", "Quor", {1.0f, 0.62f, 0.12f, 1}, {0.95f, 0.12f, 0.32f, 1}},
    {"Mizt", "Mizt", {0.25f, 0.95f, 1.0f, 1}, {0.12f, 0.3f, 1.0f, 1}},
    {"Ovar", "Ovar", {0.6f, 1.0f, 0.3f, 1}, {0.05f, 0.72f, 0.55f, 1}},
    {"Sendrik", "Sendrik", {1.0f, 0.4f, 0.85f, 1}, {0.52f, 0.2f, 1.0f, 1}},
};

// Makes a file there and removes it: permission bits alone say nothing for root, nor for a
// read-only mount. Ctrl-C waits while the file exists, so that it is never left behind.
// Returns 0 or the reason the folder takes no files.
int writeFailure(const std::string& folder) {
  sigset_t stops, previous;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stops, &previous);
  std::string name = folder + "/.brinova-assets-XXXXXX";
  int descriptor = mkstemp(name.data());
  int failure = descriptor < 0 ? errno : 0;
  if (descriptor >= 0) {
    close(descriptor);
    unlink(name.c_str());
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return failure;
}

}  // namespace

bool AssetGenerator::prepareFolder(const std::string& folder) {
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) return error_ = "cannot create folder '" + folder + "': " + failure.message(), false;
  if (int reason = writeFailure(folder))
    return error_ = "cannot write in folder '" + folder + "': " + std::strerror(reason), false;
  return true;
}

bool AssetGenerator::prepareFile(const std::string& path) {
  std::error_code failure;
  if (path.empty() || path.back() == '/' || std::filesystem::is_directory(path, failure))
    return error_ = "'" + path + "' is a folder, not a file", false;
  std::string folder = std::filesystem::path(path).parent_path().string();
  return prepareFolder(folder.empty() ? "." : folder);
}

bool AssetGenerator::prepareOutputs(const std::string& resourcesDir, const std::vector<std::string>& files) {
  if (!prepareFolder(resourcesDir + "/graphics") || !prepareFolder(resourcesDir + "/sound")) return false;
  for (const std::string& file : files)
    if (!file.empty() && !prepareFile(file)) return false;
  return true;
}

bool AssetGenerator::makeImages() {
  if (!images_.empty()) return true;
  TitleArt titles;
  if (!titles.open(fontDir_)) return error_ = titles.error(), false;
  auto add = [this](const std::string& file, Canvas picture, int channels, bool flipped = false) {
    images_.push_back({file, std::move(picture), channels, flipped});
  };
  add("OceanSurface.png", OceanArt::oceanSurface(512), 3);
  for (int i = 0; i < 3; ++i)
    add("Waves" + std::to_string(i + 1) + "Normals.png", OceanArt::waveNormals(i, 256), 3);
  add("FrameOverlay.png", GradingArt::frameOverlay(1024), 4);
  add("Noise.png", GradingArt::colourNoise(256), 3);
  add("Kernel.png", GradingArt::gaussianKernel(), 3);
  add("Threshold.png", GradingArt::toneCurve(256), 3);
  add("light.png", SpriteArt::glow(128), 4);
  add("Particle.png", SpriteArt::brightParticle(64), 4);
  add("ParticleBlack.png", SpriteArt::darkParticle(64), 4);
  add("Puff.png", SpriteArt::puff(128), 4);
  const char* velocityFiles[] = {"Velocities.png",  "Velocities2.png", "Velocities3.png",
                                 "Velocities4.png", "Velocities5.png", "Velocities6.png"};
  for (int i = 0; i < 6; ++i) add(velocityFiles[i], FlowArt::velocityComponent(i / 2, i % 2 == 1, 128), 3);
  std::vector<std::pair<std::string, Canvas>> dyes;
  for (const Credit& c : kCredits) {
    Plane ink = titles.creditInk(c.name);
    add(std::string(c.file) + ".png", TitleArt::styled(ink, TitleArt::creditPalette()), 4);
    dyes.push_back({std::string(c.file) + "Small.png", TitleArt::dye(ink, c.dyeTop, c.dyeBottom)});
  }
  Plane kelvaro = titles.kelvaroInk(), brinova = titles.brinovaInk();
  add("KelvaroLogo.png", TitleArt::styled(kelvaro, TitleArt::kelvaroPalette()), 4);
  add("BrinovaLogo.png", TitleArt::styled(brinova, TitleArt::brinovaPalette()), 4);
  for (auto& dye : dyes) add(dye.first, std::move(dye.second), 3);
  add("KelvaroLogoSmall.png", TitleArt::dye(kelvaro, {0.92f, 0.95f, 1.0f, 1}, {0.3f, 0.45f, 1.0f, 1}), 3);
  add("BrinovaLogoSmall.png", TitleArt::dye(brinova, {1.0f, 0.85f, 0.35f, 1}, {0.1f, 0.85f, 0.8f, 1}), 3);
  add("Loader1.png", titles.loaderBackground(), 3, true);
  add("Loader2.png", titles.loaderBar(), 4, true);
  return true;
}

const std::vector<AssetGenerator::Image>& AssetGenerator::images() {
  makeImages();
  return images_;
}

const StereoBuffer& AssetGenerator::music() {
  if (!musicMade_) music_ = Song::render();
  musicMade_ = true;
  return music_;
}

bool AssetGenerator::writeResources(const std::string& resourcesDir) {
  if (!prepareOutputs(resourcesDir, {})) return false;
  // The music and the pictures are independent: make them side by side.
  std::future<void> song;
  if (!musicMade_) song = std::async(std::launch::async, [this] { music(); });
  bool imagesMade = makeImages();
  if (song.valid()) song.wait();
  if (!imagesMade) return false;
  PngFile png;
  for (const Image& image : images_) {
    const Canvas& stored = image.storedFlipped ? image.picture.flippedVertically() : image.picture;
    if (!png.write(stored, image.channels, resourcesDir + "/graphics/" + image.fileName))
      return error_ = png.error(), false;
  }
  AudioFiles audio;
  if (!audio.writeMp3(music(), Song::kSampleRate, 192, resourcesDir + "/sound/" + kMusicFile))
    return error_ = audio.error(), false;
  return true;
}

bool AssetGenerator::writeBanner(const std::string& headerPath) {
  if (!prepareFile(headerPath)) return false;
  TitleArt titles;
  if (!titles.open(fontDir_)) return error_ = titles.error(), false;
  XpmBanner banner;
  if (!banner.write(titles.banner(), "brinova_banner_xpm", headerPath)) return error_ = banner.error(), false;
  return true;
}

bool AssetGenerator::writeContactSheet(const std::string& pngPath) {
  if (!prepareFile(pngPath)) return false;
  if (!makeImages()) return false;
  TextRenderer font;
  if (!font.open(fontDir_ + "/DejaVuSans.ttf")) return error_ = font.error(), false;
  std::vector<ContactSheet::Entry> entries;
  for (const Image& image : images_) {
    std::string size = std::to_string(image.picture.width()) + "x" + std::to_string(image.picture.height());
    entries.push_back({image.fileName + "  " + size, &image.picture});
  }
  TitleArt titles;
  titles.open(fontDir_);
  Canvas banner = titles.banner();
  entries.push_back({"banner (XPM)  390x49", &banner});
  PngFile png;
  if (!png.write(ContactSheet::compose(entries, font), 3, pngPath)) return error_ = png.error(), false;
  return true;
}

bool AssetGenerator::writeWav(const std::string& wavPath) {
  if (!prepareFile(wavPath)) return false;
  AudioFiles audio;
  if (!audio.writeWav(music(), Song::kSampleRate, wavPath)) return error_ = audio.error(), false;
  return true;
}

std::string AssetGenerator::summary() {
  const StereoBuffer& audio = music();
  char line[160];
  std::snprintf(line, sizeof line, "%zu images, music %.2f s, peak %.2f dBFS, %.2f LUFS", images().size(),
                static_cast<double>(audio.frames()) / Song::kSampleRate, 20.0 * std::log10(audio.peak()),
                LoudnessMeter::integratedLufs(audio, Song::kSampleRate));
  return line;
}
