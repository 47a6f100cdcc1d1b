#pragma once

#include "StereoBuffer.h"

// "brinova_final_c": the demo's music, synthesised from the storyboard's plan. 120 bpm, 4/4,
// one bar = 2 s; 77 bars (154 s) so the music outlasts the demo's end at 150.85 s.
//
//   bars  1-8   pad and arpeggio, the pad's filter opening
//   bars  9-24  kick from 9, hats from 13, bass from 17
//   bars 25-36  full groove with clap and the lead motif
//   bars 37-44  groove, a fill before each credit change
//   bars 45-52  breakdown: drums out
//   bars 53-60  build: kick, hats and a snare roll return under a noise riser
//   bars 61-70  full energy
//   bars 71-77  drums out, the pad's tail
class Song {
 public:
  static const int kSampleRate = 44100;
  static const int kBars = 77;
  static const int kFramesPerBeat = kSampleRate / 2;
  static const int kFramesPerBar = kFramesPerBeat * 4;

  // Renders, masters to about -14 LUFS and limits the peaks below -1 dBFS.
  static StereoBuffer render();
};
