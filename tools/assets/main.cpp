// brinova-assets: writes the production's data files.
#include <cstdio>
#include <cstring>
#include <string>

#include "AssetGenerator.h"
#include "common/PendingFile.h"

namespace {

const char* const USAGE =
    "Usage: brinova-assets <resources-dir> [--banner <header>] [--contact-sheet <png>] [--wav <file>] "
    "[--fonts <dir>]\n";

const char* const HELP =
    "Writes the production's pictures to <resources-dir>/graphics and its music to\n"
    "<resources-dir>/sound, creating the folders; the same build always writes the same bytes.\n"
    "\n"
    "Options:\n"
    "  --banner <header>      also write the launcher's banner as a C header (XPM)\n"
    "  --contact-sheet <png>  also write one picture showing every generated image\n"
    "  --wav <file>           also write the music as a 16-bit WAV\n"
    "  --fonts <dir>          the DejaVu fonts to draw the titles with\n"
    "                         (default /usr/share/fonts/truetype/dejavu)\n"
    "  --help                 show this text and exit\n"
    "  --version              show the version and exit\n";

struct Options {
  std::string resourcesDir, banner, sheet, wav, fonts = "/usr/share/fonts/truetype/dejavu";
  bool help = false, version = false;
};

// The option's value, or null when it takes none.
std::string* valueOf(Options& options, const std::string& name) {
  if (name == "--banner") return &options.banner;
  if (name == "--contact-sheet") return &options.sheet;
  if (name == "--wav") return &options.wav;
  if (name == "--fonts") return &options.fonts;
  return nullptr;
}

// False with `error` set on a mistake in the command line.
bool parse(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "--version") {
      (arg == "--help" ? options.help : options.version) = true;
      return true;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      std::string* value = valueOf(options, arg);
      if (!value) return error = "unknown option '" + arg + "'", false;
      // A following option is a forgotten value, not a file name.
      if (i + 1 == argc || argv[i + 1][0] == '\0' || std::strncmp(argv[i + 1], "--", 2) == 0)
        return error = "option '" + arg + "' needs a value", false;
      *value = argv[++i];
    } else if (options.resourcesDir.empty()) {
      options.resourcesDir = arg;
    } else {
      return error = "unexpected argument '" + arg + "'", false;
    }
  }
  if (options.resourcesDir.empty()) return error = "no <resources-dir> given", false;
  return true;
}

int generate(const Options& options) {
  AssetGenerator generator(options.fonts);
  // A path that cannot be written fails here, not after the pictures and the music are made.
  bool ok = generator.prepareOutputs(options.resourcesDir, {options.banner, options.sheet, options.wav}) &&
            generator.writeResources(options.resourcesDir) &&
            (options.banner.empty() || generator.writeBanner(options.banner)) &&
            (options.sheet.empty() || generator.writeContactSheet(options.sheet)) &&
            (options.wav.empty() || generator.writeWav(options.wav));
  if (!ok) {
    std::fprintf(stderr, "brinova-assets: %s\n", generator.error().c_str());
    return 1;
  }
  std::printf("brinova-assets: %s\n", generator.summary().c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  PendingFile::installSignalCleanup();
  Options options;
  std::string error;
  if (!parse(argc, argv, options, error)) {
    std::fprintf(stderr, "brinova-assets: %s\n%s", error.c_str(), USAGE);
    return 2;
  }
  if (options.help) {
    std::printf("%s%s", USAGE, HELP);
    return 0;
  }
  if (options.version) {
    std::printf("brinova-assets %s\n", KVR_VERSION);
    return 0;
  }
  return generate(options);
}
