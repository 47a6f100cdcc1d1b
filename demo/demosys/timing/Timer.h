#pragma once

#include <cstdint>
#include <string>

// The demo clock: demo time in milliseconds, the track row ("frame", `rate` per second) and the
// time since the previous frame. This plain clock runs on SDL ticks; FMODTimer locks it to the
// music. All times are unsigned 32-bit milliseconds and wrap as such.
class Timer {
 public:
  // rate: track rows per second, held to 1..1000. The clock starts paused.
  explicit Timer(int32_t rate);
  virtual ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  virtual bool Init();
  virtual uint32_t Shutdown();
  virtual uint32_t Pause();
  virtual uint32_t Start();
  virtual uint32_t GetTime();
  // The time cut down to the start of its frame.
  virtual uint32_t GetFrameTime();
  virtual uint32_t GetFrame();
  virtual void SetFrame(uint32_t frame);
  // Moves the clock to `ms` without changing whether it runs.
  virtual uint32_t SetTime(uint32_t ms);
  virtual bool IsPaused();
  virtual uint32_t GetLength();
  virtual uint32_t GetLengthFrames();
  // Time since the time handed in last; 0 while paused.
  virtual uint32_t GetDelta(uint32_t time);
  virtual void Update();
  virtual std::string GetError();
  // This clock has no music: count values of noise, 1 / (rand() % 10000) each. Returns count.
  virtual int GetSpectrum(int mode, int count, float* out);

 protected:
  // SDL ticks; tests replace it to drive the clock.
  virtual uint32_t now();
  // Anchors the clock so that it reads `time`, running or not.
  uint32_t anchor(uint32_t time);
  // Starts the clock so that it continues from `time`.
  uint32_t resumeFrom(uint32_t time);
  void setLength(uint32_t ms);

  int32_t rate;
  bool paused = true;
  std::string error;
  uint32_t lengthFrames = 0;
  uint32_t startTicks = 0;
  uint32_t pauseTicks = 0;
  uint32_t lastTime = 0;
  uint32_t lengthMs = 0;
};
