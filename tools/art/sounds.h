// The six sound effects of the game, synthesised, and their encoding as
// RIFF/WAVE files: PCM, one channel, 8 bits unsigned (silence is 128).
#ifndef GLIMMETS_ART_SOUNDS_H
#define GLIMMETS_ART_SOUNDS_H

#include <vector>

#include "tools/art/bytes.h"

constexpr int kSoundCount = 6;

struct SoundFormat {
  int rate;     // samples per second
  int samples;  // length in samples
};

// Rate and length of sound n (0..5); the lengths matter to the game, since
// a sound that is still playing makes the next request wait its turn.
SoundFormat sound_format(int n);

// Sound n as samples from -1 to 1, starting and ending in silence.
std::vector<double> synthesise_sound(int n);

// A complete .wav file of the samples, rounded to 8-bit unsigned.
Bytes encode_wav8(int rate, const std::vector<double>& samples);

#endif
