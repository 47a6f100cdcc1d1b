// brinova-assets: writes the production's data files.
//
//   brinova-assets <resources-dir> [--banner <header>] [--contact-sheet <png>] [--wav <file>]
//                  [--fonts <dir>]
#include <cstdio>
#include <cstring>
#include <string>

#include "AssetGenerator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::printf(
        "Usage: brinova-assets <resources-dir> [--banner <header>] [--contact-sheet <png>] "
        "[--wav <file>] [--fonts <dir>]\n");
    return 2;
  }
  std::string banner, sheet, wav, fonts = "/usr/share/fonts/truetype/dejavu";
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--banner"))
      banner = argv[i + 1];
    else if (!std::strcmp(argv[i], "--contact-sheet"))
      sheet = argv[i + 1];
    else if (!std::strcmp(argv[i], "--wav"))
      wav = argv[i + 1];
    else if (!std::strcmp(argv[i], "--fonts"))
      fonts = argv[i + 1];
  }
  AssetGenerator generator(fonts);
  bool ok = generator.writeResources(argv[1]) && (banner.empty() || generator.writeBanner(banner)) &&
            (sheet.empty() || generator.writeContactSheet(sheet)) && (wav.empty() || generator.writeWav(wav));
  if (!ok) {
    std::printf("brinova-assets: %s\n", generator.error().c_str());
    return 1;
  }
  std::printf("brinova-assets: %s\n", generator.summary().c_str());
  return 0;
}
