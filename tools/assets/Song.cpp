#include "Song.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Filter.h"
#include "LoudnessMeter.h"
#include "Random.h"

namespace {

const float kRate = static_cast<float>(Song::kSampleRate);
const float kTwoPi = 6.28318530718f;
const Pan kCentre(0.0f);

float midiToHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }
size_t frameAt(int bar, float beat) {
  return static_cast<size_t>((bar - 1) * Song::kFramesPerBar + beat * Song::kFramesPerBeat);
}
bool inBars(int bar, int from, int to) { return bar >= from && bar <= to; }

// Band-limited sawtooth (polyBLEP), so the high notes do not alias.
struct Saw {
  float phase = 0.0f;
  float next(float increment) {
    float t = phase, value = 2.0f * t - 1.0f;
    if (t < increment) {
      t /= increment;
      value -= t + t - t * t - 1.0f;
    } else if (t > 1.0f - increment) {
      t = (t - 1.0f) / increment;
      value -= t * t + t + t + 1.0f;
    }
    phase += increment;
    if (phase >= 1.0f) phase -= 1.0f;
    return value;
  }
};

// A minor: i - VI - III - VII, one chord per bar.
const int kChords[4][4] = {{57, 60, 64, 71}, {53, 57, 60, 64}, {55, 60, 64, 67}, {55, 59, 62, 69}};
const int kRoots[4] = {33, 29, 36, 31};
const int* chordOf(int bar) { return kChords[(bar - 1) % 4]; }

struct Buses {
  StereoBuffer dry, pad, ducked, reverbSend, delaySend;
  explicit Buses(size_t frames)
      : dry(frames), pad(frames), ducked(frames), reverbSend(frames), delaySend(frames) {}
};

// The pad's filter cutoff over the whole song: opening in the intro, closing in the breakdown,
// sweeping up through the build, closing again at the end.
float padCutoff(float seconds) {
  float bar = seconds / 2.0f + 1.0f;
  if (bar < 9) return 250.0f * std::pow(12.0f, (bar - 1) / 8.0f);
  if (bar < 45) return 2400.0f + 700.0f * std::sin(seconds * 0.2f);
  if (bar < 53) return 1100.0f;
  if (bar < 61) return 1100.0f * std::pow(4.5f, (bar - 53) / 8.0f);
  if (bar < 71) return 3200.0f;
  return std::max(280.0f, 3200.0f * std::pow(0.5f, (bar - 71) * 0.8f));
}

float padLevel(int bar) {
  if (bar <= 8) return 0.55f + 0.05f * bar;
  if (bar <= 44) return 0.6f;
  if (bar <= 52) return 0.95f;
  if (bar <= 60) return 0.85f;
  if (bar <= 70) return 0.6f;
  return 0.95f;
}

// The pad's oscillators go raw into their own bus; one filter then sweeps the whole bus.
void pad(Buses& b, int bar, float level) {
  const float detune[3] = {-0.09f, 0.0f, 0.09f}, pans[3] = {-0.7f, 0.0f, 0.7f};
  size_t start = frameAt(bar, 0.0f);
  float hold = bar == Song::kBars ? 0.0f : 2.0f, release = bar == Song::kBars ? 2.0f : 1.1f;
  size_t length = static_cast<size_t>((hold + release) * kRate);
  std::vector<float> envelope(length);
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    envelope[i] = std::min(1.0f, t / 0.35f) *
                  (t < hold ? 1.0f : std::max(0.0f, 1.0f - (t - hold) / release)) * level * 0.045f;
  }
  for (int n = 0; n < 4; ++n)
    for (int v = 0; v < 3; ++v) {
      Saw saw;
      saw.phase = static_cast<float>((n * 3 + v) % 7) / 7.0f;
      Pan pan(pans[v]);
      float inc = midiToHz(chordOf(bar)[n] + detune[v]) / kRate;
      for (size_t i = 0; i < length; ++i) b.pad.add(start + i, saw.next(inc) * envelope[i], pan);
    }
}

void filterPad(Buses& b) {
  for (std::vector<float>* channel : {&b.pad.left, &b.pad.right}) {
    Filter filter(kRate);
    for (size_t i = 0; i < channel->size(); ++i) {
      if (i % 32 == 0) filter.set(padCutoff(i / kRate), 0.8f);
      (*channel)[i] = filter.lowpass((*channel)[i]);
    }
  }
  for (size_t i = 0; i < b.pad.frames(); ++i) {
    b.ducked.left[i] += b.pad.left[i];
    b.ducked.right[i] += b.pad.right[i];
    b.reverbSend.left[i] += b.pad.left[i] * 0.5f;
    b.reverbSend.right[i] += b.pad.right[i] * 0.5f;
  }
}

void pluck(Buses& b, size_t start, float note, float level, float position) {
  Saw saw, sub;
  Pan pan(position);
  Filter filter(kRate);
  size_t length = static_cast<size_t>(0.32f * kRate);
  float inc = midiToHz(note) / kRate;
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    if (i % 16 == 0) filter.set(500.0f + 4200.0f * std::exp(-t / 0.06f), 1.6f);
    float env = std::min(1.0f, t / 0.003f) * std::exp(-t / 0.09f);
    float s = filter.lowpass(saw.next(inc) * 0.7f + sub.next(inc * 0.5f) * 0.3f) * env * level;
    b.dry.add(start + i, s, pan);
    b.delaySend.add(start + i, s * 0.45f, pan);
    b.reverbSend.add(start + i, s * 0.25f, pan);
  }
}

void arpeggio(Buses& b, int bar, float level) {
  const int* chord = chordOf(bar);
  const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
  for (int step = 0; step < 16; ++step) {
    int k = order[step % 8];
    float note = (k == 4 ? chord[0] + 12 : chord[k]) + 12.0f;
    float accent = step % 4 == 0 ? 1.0f : 0.7f;
    pluck(b, frameAt(bar, step * 0.25f), note, level * accent * 0.11f, step % 2 ? 0.35f : -0.35f);
  }
}

void kick(Buses& b, size_t start, float level) {
  float phase = 0.0f;
  size_t length = static_cast<size_t>(0.45f * kRate);
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    phase += (46.0f + 120.0f * std::exp(-t / 0.03f)) / kRate;
    float body = std::sin(kTwoPi * phase) * std::exp(-t / 0.22f);
    float click = t < 0.004f ? (1.0f - t / 0.004f) * 0.3f : 0.0f;
    b.dry.add(start + i, (body + click) * level * 0.38f, kCentre);
  }
}

void clap(Buses& b, size_t start, float level, Random& rng) {
  Filter band(kRate), body(kRate);
  band.set(1400.0f, 1.2f);
  size_t length = static_cast<size_t>(0.3f * kRate);
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    // Three quick bursts, then the tail: the smear of many hands.
    float bursts = 0.0f;
    for (int k = 0; k < 3; ++k)
      if (t >= k * 0.011f) bursts += std::exp(-(t - k * 0.011f) / 0.006f);
    float env = bursts * 0.6f + std::exp(-t / 0.12f) * 0.5f;
    float tone = std::sin(kTwoPi * 190.0f * t) * std::exp(-t / 0.05f) * 0.4f;
    float s = (band.bandpass(rng.bipolar()) * 2.2f + tone) * env * level * 0.42f;
    b.dry.add(start + i, s, kCentre);
    b.reverbSend.add(start + i, s * 0.35f, kCentre);
  }
}

void hat(Buses& b, size_t start, float level, bool open, float position, Random& rng) {
  Filter filter(kRate);
  Pan pan(position);
  filter.set(8000.0f, 0.9f);
  float decay = open ? 0.16f : 0.05f;
  size_t length = static_cast<size_t>(decay * 6.0f * kRate);
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    float s = filter.highpass(rng.bipolar()) * std::exp(-t / decay) * level * 0.32f;
    b.dry.add(start + i, s, pan);
    b.reverbSend.add(start + i, s * 0.15f, pan);
  }
}

void bassNote(Buses& b, size_t start, float note, float seconds, float level) {
  Saw saw;
  Filter filter(kRate);
  size_t length = static_cast<size_t>(seconds * kRate);
  float inc = midiToHz(note) / kRate;
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    if (i % 16 == 0) filter.set(180.0f + 1100.0f * std::exp(-t / 0.07f), 1.3f);
    float env = std::min(1.0f, t / 0.004f) * std::min(1.0f, (seconds - t) / 0.02f);
    // A saw for the growl over a sine an octave down for the weight.
    float s =
        filter.lowpass(saw.next(inc) * 0.6f + std::sin(kTwoPi * inc * 0.5f * i) * 0.7f) * env * level * 0.3f;
    b.ducked.add(start + i, s, kCentre);
  }
}

void bassline(Buses& b, int bar, float level) {
  const int offsets[8] = {0, 0, 12, 0, 0, 7, 12, 0};
  int root = kRoots[(bar - 1) % 4];
  for (int step = 0; step < 8; ++step)
    bassNote(b, frameAt(bar, step * 0.5f), root + offsets[step] + 12.0f, 0.22f, level);
}

void leadNote(Buses& b, size_t start, float note, float seconds, float level) {
  Saw a, c;
  Filter filter(kRate);
  size_t length = static_cast<size_t>((seconds + 0.2f) * kRate);
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    float vibrato = 0.18f * std::min(1.0f, std::max(0.0f, t - 0.2f) * 3.0f) * std::sin(kTwoPi * 5.2f * t);
    float hz = midiToHz(note + vibrato);
    if (i % 32 == 0) filter.set(1400.0f + 1800.0f * std::exp(-t / 0.25f), 1.1f);
    float env =
        std::min(1.0f, t / 0.02f) * (t < seconds ? 1.0f : std::max(0.0f, 1.0f - (t - seconds) / 0.2f));
    float s = filter.lowpass(a.next(hz / kRate) + c.next(hz * 1.004f / kRate)) * env * level * 0.13f;
    b.dry.add(start + i, s, kCentre);
    b.delaySend.add(start + i, s * 0.4f, kCentre);
    b.reverbSend.add(start + i, s * 0.35f, kCentre);
  }
}

// The lead motif: four bars over the four chords, as (beat, length in beats, note).
void leadPhrase(Buses& b, int firstBar, float level) {
  const float motif[][3] = {
      {0, 1.5f, 76}, {1.5f, 0.5f, 74}, {2, 1, 72},  {3, 1, 71},  {4, 2.5f, 69}, {6.5f, 0.5f, 72}, {7, 1, 76},
      {8, 1.5f, 79}, {9.5f, 0.5f, 77}, {10, 1, 76}, {11, 1, 74}, {12, 3, 76},   {15, 1, 71}};
  for (const auto& m : motif) leadNote(b, frameAt(firstBar, m[0]), m[2], m[1] * 0.5f - 0.04f, level);
}

void noiseSweep(Buses& b, size_t start, float seconds, float fromHz, float toHz, float level, Random& rng) {
  Filter filter(kRate);
  Pan pan(0.0f);
  size_t length = static_cast<size_t>(seconds * kRate);
  for (size_t i = 0; i < length; ++i) {
    float x = static_cast<float>(i) / length;
    if (i % 32 == 0) filter.set(fromHz * std::pow(toHz / fromHz, x), 2.5f);
    float s = filter.bandpass(rng.bipolar()) * x * x * level;
    if (i % 256 == 0) pan = Pan(std::sin(x * 20.0f) * 0.4f);
    b.dry.add(start + i, s, pan);
    b.reverbSend.add(start + i, s * 0.4f, kCentre);
  }
}

void crash(Buses& b, size_t start, float level, Random& rng) {
  Filter filter(kRate);
  const Pan left(-0.3f), right(0.3f);
  filter.set(5000.0f, 0.7f);
  size_t length = static_cast<size_t>(2.0f * kRate);
  for (size_t i = 0; i < length; ++i) {
    float t = i / kRate;
    float s = filter.highpass(rng.bipolar()) * std::exp(-t / 0.5f) * level * 0.12f;
    b.dry.add(start + i, s, left);
    b.reverbSend.add(start + i, s * 0.4f, right);
  }
}

// A roll of claps and a falling tom on the last beat of the bar, before a change.
void fill(Buses& b, int bar, Random& rng) {
  for (int k = 0; k < 4; ++k) clap(b, frameAt(bar, 3.0f + k * 0.25f), 0.5f + 0.15f * k, rng);
  size_t start = frameAt(bar, 3.0f);
  const Pan tomPan(-0.2f);
  float phase = 0.0f;
  for (size_t i = 0; i < static_cast<size_t>(0.5f * kRate); ++i) {
    float t = i / kRate;
    phase += (130.0f - 60.0f * t) / kRate;
    b.dry.add(start + i, std::sin(kTwoPi * phase) * std::exp(-t / 0.15f) * 0.2f, tomPan);
  }
}

void drums(Buses& b, int bar, Random& rng) {
  bool groove = inBars(bar, 25, 44) || inBars(bar, 61, 70);
  bool kickBar = inBars(bar, 9, 44) || inBars(bar, 57, 70) || inBars(bar, 53, 56);
  for (int beat = 0; beat < 4; ++beat) {
    if (kickBar && (!inBars(bar, 53, 56) || beat % 2 == 0))
      kick(b, frameAt(bar, static_cast<float>(beat)), 1.0f);
    if (groove && beat % 2 == 1) clap(b, frameAt(bar, static_cast<float>(beat)), 1.0f, rng);
  }
  bool hats = inBars(bar, 13, 44) || inBars(bar, 55, 70);
  for (int step = 0; hats && step < 16; ++step) {
    bool offbeat = step % 4 == 2;
    if (offbeat)
      hat(b, frameAt(bar, step * 0.25f), 1.0f, inBars(bar, 61, 70), 0.25f, rng);
    else if (groove)
      hat(b, frameAt(bar, step * 0.25f), step % 2 ? 0.45f : 0.6f, false, -0.3f, rng);
  }
  if (bar == 24 || bar == 38 || bar == 40 || bar == 42 || bar == 44) fill(b, bar, rng);
  if (bar == 25 || bar == 37 || bar == 61) crash(b, frameAt(bar, 0.0f), 1.0f, rng);
}

// The build's snare roll: eighths, then sixteenths, then thirty-seconds, silent on the last beat.
void buildRoll(Buses& b, int bar, Random& rng) {
  float step = bar <= 58 ? 0.5f : bar == 59 ? 0.25f : 0.125f;
  float end = bar == 60 ? 3.0f : 4.0f;
  for (float beat = 0.0f; beat < end; beat += step) {
    float progress = ((bar - 57) * 4 + beat) / 16.0f;
    clap(b, frameAt(bar, beat), 0.1f + 0.22f * progress, rng);
  }
}

void arrange(Buses& b) {
  Random rng(2010);
  for (int bar = 1; bar <= Song::kBars; ++bar) {
    pad(b, bar, padLevel(bar));
    if (bar <= 74)
      arpeggio(b, bar, bar <= 8 ? 0.4f + 0.075f * bar : bar <= 70 ? 1.0f : 1.0f - 0.25f * (bar - 70));
    drums(b, bar, rng);
    if (inBars(bar, 17, 44) || inBars(bar, 61, 70)) bassline(b, bar, 1.0f);
    if (inBars(bar, 57, 60)) buildRoll(b, bar, rng);
  }
  for (int bar : {25, 29, 33, 61, 65}) leadPhrase(b, bar, 1.0f);
  leadPhrase(b, 69, 0.8f);
  noiseSweep(b, frameAt(53, 0.0f), 8.0f * 2.0f - 0.5f, 250.0f, 9000.0f, 0.3f, rng);
}

// Pumping: the pad and bass duck under each kick, which the groove needs to breathe.
void sidechain(Buses& b) {
  std::vector<float> gain(b.ducked.frames(), 1.0f);
  for (int bar = 9; bar <= 70; ++bar) {
    if (inBars(bar, 45, 56)) continue;
    for (int beat = 0; beat < 4; ++beat) {
      size_t start = frameAt(bar, static_cast<float>(beat));
      for (size_t i = 0; i < static_cast<size_t>(Song::kFramesPerBeat) && start + i < gain.size(); ++i)
        gain[start + i] = std::min(gain[start + i], 1.0f - 0.55f * std::exp(-(i / kRate) / 0.11f));
    }
  }
  for (size_t i = 0; i < gain.size(); ++i) {
    b.dry.left[i] += b.ducked.left[i] * gain[i];
    b.dry.right[i] += b.ducked.right[i] * gain[i];
  }
}

// Dotted-eighth ping-pong echo; its output also feeds the reverb a little.
void echo(Buses& b) {
  size_t delay = static_cast<size_t>(0.375f * kRate);
  StereoBuffer& in = b.delaySend;
  StereoBuffer out(in.frames());
  for (size_t i = delay; i < in.frames(); ++i) {
    out.left[i] = in.right[i - delay] + out.right[i - delay] * 0.45f;
    out.right[i] = in.left[i - delay] + out.left[i - delay] * 0.45f;
  }
  for (size_t i = 0; i < in.frames(); ++i) {
    b.dry.left[i] += out.left[i] * 0.5f;
    b.dry.right[i] += out.right[i] * 0.5f;
    b.reverbSend.left[i] += out.left[i] * 0.2f;
    b.reverbSend.right[i] += out.right[i] * 0.2f;
  }
}

// A Schroeder/Moorer room: parallel damped combs, then series all-passes, per channel.
void reverb(const std::vector<float>& in, std::vector<float>& out, int spread) {
  const int combs[6] = {1116, 1188, 1277, 1356, 1422, 1557}, allpasses[3] = {556, 441, 341};
  std::vector<float> wet(in.size(), 0.0f);
  for (int c : combs) {
    size_t d = static_cast<size_t>(c + spread);
    std::vector<float> line(d, 0.0f);
    float damp = 0.0f;
    for (size_t i = 0; i < in.size(); ++i) {
      float y = line[i % d];
      damp = y * 0.7f + damp * 0.3f;
      line[i % d] = in[i] * 0.015f + damp * 0.86f;
      wet[i] += y;
    }
  }
  for (int a : allpasses) {
    size_t d = static_cast<size_t>(a + spread);
    std::vector<float> line(d, 0.0f);
    for (size_t i = 0; i < wet.size(); ++i) {
      float buffered = line[i % d];
      line[i % d] = wet[i] + buffered * 0.5f;
      wet[i] = buffered - wet[i];
    }
  }
  for (size_t i = 0; i < out.size(); ++i) out[i] += wet[i] * 1.6f;
}

void removeDc(std::vector<float>& channel) {
  float previousIn = 0.0f, previousOut = 0.0f;
  for (float& s : channel) {
    float y = s - previousIn + 0.9986f * previousOut;
    previousIn = s;
    previousOut = y;
    s = y;
  }
}

// Soft knee above 0.6 of full scale that never reaches the ceiling.
float limit(float x, float ceiling) {
  const float knee = 0.6f;
  float a = std::fabs(x);
  if (a <= knee) return x;
  float y = knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee));
  return x < 0 ? -y : y;
}

void master(StereoBuffer& mix) {
  removeDc(mix.left);
  removeDc(mix.right);
  const float ceiling = 0.80f;  // -1.9 dBFS, leaving room for the MP3 encoder's overshoot
  StereoBuffer limited = mix;
  float gain = 1.0f;
  for (int pass = 0; pass < 3; ++pass) {
    double lufs = LoudnessMeter::integratedLufs(limited, kRate);
    gain *= static_cast<float>(std::pow(10.0, (-14.0 - lufs) / 20.0));
    for (size_t i = 0; i < mix.frames(); ++i) {
      limited.left[i] = limit(mix.left[i] * gain, ceiling);
      limited.right[i] = limit(mix.right[i] * gain, ceiling);
    }
  }
  mix = limited;
}

}  // namespace

StereoBuffer Song::render() {
  Buses buses(static_cast<size_t>(kBars) * kFramesPerBar);
  arrange(buses);
  filterPad(buses);
  sidechain(buses);
  echo(buses);
  reverb(buses.reverbSend.left, buses.dry.left, 0);
  reverb(buses.reverbSend.right, buses.dry.right, 23);
  master(buses.dry);
  return buses.dry;
}
