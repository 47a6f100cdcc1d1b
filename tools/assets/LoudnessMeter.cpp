#include "LoudnessMeter.h"

#include <cmath>
#include <vector>

namespace {

struct Biquad {
  double b0, b1, b2, a1, a2, z1 = 0, z2 = 0;
  double run(double x) {
    double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

Biquad highShelf(double rate) {
  const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
  double k = std::tan(M_PI * f0 / rate), vh = std::pow(10.0, gainDb / 20.0),
         vb = std::pow(vh, 0.4996667741545416);
  double a0 = 1.0 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
          2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad highPass(double rate) {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  double k = std::tan(M_PI * f0 / rate), a0 = 1.0 + k / q + k * k;
  return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> weightedSquares(const std::vector<float>& channel, double rate) {
  Biquad shelf = highShelf(rate), pass = highPass(rate);
  std::vector<double> out(channel.size());
  for (size_t i = 0; i < channel.size(); ++i) {
    double y = pass.run(shelf.run(channel[i]));
    out[i] = y * y;
  }
  return out;
}

double toLufs(double power) { return -0.691 + 10.0 * std::log10(power); }

}  // namespace

double LoudnessMeter::integratedLufs(const StereoBuffer& audio, double sampleRate) {
  std::vector<double> l = weightedSquares(audio.left, sampleRate),
                      r = weightedSquares(audio.right, sampleRate);
  size_t block = static_cast<size_t>(0.4 * sampleRate), hop = block / 4;
  std::vector<double> powers;
  for (size_t start = 0; start + block <= l.size(); start += hop) {
    double sum = 0.0;
    for (size_t i = start; i < start + block; ++i) sum += l[i] + r[i];
    powers.push_back(sum / block);
  }
  double gated = 0.0;
  size_t count = 0;
  for (double p : powers)
    if (p > 0.0 && toLufs(p) > -70.0) gated += p, ++count;
  if (count == 0) return -70.0;
  double relativeGate = toLufs(gated / count) - 10.0;
  double sum = 0.0;
  count = 0;
  for (double p : powers)
    if (p > 0.0 && toLufs(p) > -70.0 && toLufs(p) > relativeGate) sum += p, ++count;
  return toLufs(sum / count);
}
