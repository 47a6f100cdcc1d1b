#include "capture/TerminalProgress.h"

#include <cstdio>

namespace {
const int BAR_WIDTH = 30;
const std::chrono::milliseconds REDRAW_INTERVAL(100);
}  // namespace

TerminalProgress::TerminalProgress(std::ostream& out, uint32_t total, bool enabled, bool inPlace)
    : out(out), total(total), enabled(enabled), inPlace(inPlace), started(std::chrono::steady_clock::now()) {}

std::string TerminalProgress::line(uint32_t done, uint32_t total, double seconds) {
  const int filled = total ? static_cast<int>(uint64_t(done) * BAR_WIDTH / total) : BAR_WIDTH;
  const double rate = seconds > 0.0 ? done / seconds : 0.0;
  const unsigned left = rate > 0.0 ? static_cast<unsigned>((total - done) / rate + 0.5) : 0;
  char text[160];
  std::snprintf(text, sizeof text, "[%s%s] %u/%u frames  %.1f fps  %u:%02u left",
                std::string(filled, '#').c_str(), std::string(BAR_WIDTH - filled, '.').c_str(), done, total,
                rate, left / 60, left % 60);
  return text;
}

bool TerminalProgress::due(uint32_t done, std::chrono::steady_clock::time_point now) const {
  if (!inPlace) return total && uint64_t(done) * 10 / total > tenthsShown;
  return !drawn || done >= total || now - lastDrawn >= REDRAW_INTERVAL;
}

void TerminalProgress::update(uint32_t done) {
  if (!enabled) return;
  const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
  if (!due(done, now)) return;
  lastDrawn = now;
  drawn = true;
  const std::string text = line(done, total, std::chrono::duration<double>(now - started).count());
  if (inPlace) {
    out << "\r" << text << std::flush;
    return;
  }
  tenthsShown = static_cast<uint32_t>(uint64_t(done) * 10 / total);
  out << text << std::endl;
}

void TerminalProgress::finish() {
  if (enabled && inPlace && drawn) out << std::endl;
}
