// Synthesis of the sound effects. Each is built from a few decaying tones,
// glides and filtered noise, then shaped by smooth fades at both ends so
// that it starts and ends at silence without a click. Noise comes from a
// fixed-seed generator: every build gives the same files.
#include "tools/art/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr double kPi = 3.14159265358979323846;

const SoundFormat kFormats[kSoundCount] = {
    {11025, 2384}, {6000, 5}, {11025, 361}, {11025, 367}, {11025, 1444}, {11025, 704}};

using Samples = std::vector<double>;

int length(const Samples& s) { return static_cast<int>(s.size()); }
double& at(Samples& s, int i) { return s[static_cast<std::size_t>(i)]; }

struct Noise {
  std::uint32_t state;
  double next() {  // white noise in -1..1
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state / 2147483648.0 - 1.0;
  }
};

// Raised-cosine rise from 0 to 1 over `length` seconds from `start`.
double rise(double t, double start, double length) {
  if (t <= start) return 0.0;
  if (t >= start + length) return 1.0;
  return 0.5 - 0.5 * std::cos(kPi * (t - start) / length);
}

// A struck tone: soft attack, exponential decay, a touch of overtones.
void add_note(Samples& out, double rate, double start, double freq, double amp, double decay, double attack,
              double second, double third) {
  for (int i = 0; i < length(out); ++i) {
    const double t = i / rate;
    if (t < start) continue;
    const double local = t - start;
    const double phase = 2 * kPi * freq * local;
    const double wave = std::sin(phase) + second * std::sin(2 * phase) + third * std::sin(3 * phase);
    at(out, i) += amp * rise(t, start, attack) * std::exp(-local / decay) * wave;
  }
}

// A tone whose pitch slides exponentially from f0 to f1 over the sound.
void add_glide(Samples& out, double rate, double f0, double f1, double amp, double decay) {
  double phase = 0.0;
  const double n = length(out);
  for (int i = 0; i < length(out); ++i) {
    const double freq = f0 * std::pow(f1 / f0, i / n);
    phase += 2 * kPi * freq / rate;
    at(out, i) += amp * std::exp(-(i / rate) / decay) * std::sin(phase);
  }
}

// Noise through a two-pole low-pass whose cut-off slides from c0 to c1 Hz:
// soft and breathy rather than hissing.
void add_noise(Samples& out, double rate, double c0, double c1, double amp, double decay, std::uint32_t seed) {
  Noise noise{seed};
  double low = 0.0, lower = 0.0;
  const double n = length(out);
  for (int i = 0; i < length(out); ++i) {
    const double cutoff = c0 * std::pow(c1 / c0, i / n);
    const double k = 1.0 - std::exp(-2 * kPi * cutoff / rate);
    low += k * (noise.next() - low);
    lower += k * (low - lower);
    at(out, i) += amp * std::exp(-(i / rate) / decay) * lower;
  }
}

// Fades both ends to exact silence: a rise of `in` and a fall of `out`
// seconds, so the first and last samples are 0.
void fade_ends(Samples& s, double rate, double in, double out) {
  const double end = (length(s) - 1) / rate;
  for (int i = 0; i < length(s); ++i) {
    const double t = i / rate;
    at(s, i) *= rise(t, 0.0, in) * rise(end - t, 0.0, out);
  }
}

// A soft low two-note "nope", falling a fourth.
Samples refused(double rate, std::size_t n) {
  Samples s(n, 0.0);
  add_note(s, rate, 0.000, 311.1, 0.30, 0.075, 0.010, 0.30, 0.10);
  add_note(s, rate, 0.095, 233.1, 0.34, 0.060, 0.010, 0.30, 0.10);
  fade_ends(s, rate, 0.004, 0.030);
  return s;
}

// A bright pop: a quick falling chirp under a few high sparkling partials.
Samples burst(double rate, std::size_t n) {
  Samples s(n, 0.0);
  add_glide(s, rate, 1900.0, 650.0, 0.22, 0.008);
  add_note(s, rate, 0.002, 2637.0, 0.10, 0.012, 0.002, 0.0, 0.0);
  add_note(s, rate, 0.005, 3520.0, 0.08, 0.010, 0.002, 0.0, 0.0);
  add_note(s, rate, 0.009, 4186.0, 0.06, 0.008, 0.002, 0.0, 0.0);
  add_noise(s, rate, 5000.0, 1500.0, 0.20, 0.004, 0x2545F491u);
  fade_ends(s, rate, 0.0015, 0.008);
  return s;
}

// A short soft wooden tick: two damped resonances and a breath of noise.
Samples fall(double rate, std::size_t n) {
  Samples s(n, 0.0);
  add_note(s, rate, 0.0, 640.0, 0.30, 0.0065, 0.0008, 0.0, 0.0);
  add_note(s, rate, 0.0, 1730.0, 0.12, 0.0035, 0.0008, 0.0, 0.0);
  add_noise(s, rate, 2500.0, 800.0, 0.16, 0.002, 0x6C8E9CF5u);
  fade_ends(s, rate, 0.0008, 0.010);
  return s;
}

// A gentle descending slide with a soft whoosh beneath it.
Samples collapse(double rate, std::size_t n) {
  Samples s(n, 0.0);
  add_glide(s, rate, 560.0, 210.0, 0.24, 0.11);
  add_noise(s, rate, 1600.0, 250.0, 0.65, 0.09, 0x1B873593u);
  fade_ends(s, rate, 0.020, 0.045);
  return s;
}

// A quick rising two-tone chime.
Samples undo(double rate, std::size_t n) {
  Samples s(n, 0.0);
  add_note(s, rate, 0.000, 784.0, 0.22, 0.020, 0.002, 0.15, 0.0);
  add_note(s, rate, 0.024, 1175.0, 0.24, 0.026, 0.002, 0.12, 0.0);
  fade_ends(s, rate, 0.002, 0.012);
  return s;
}
}  // namespace

SoundFormat sound_format(int n) { return kFormats[std::clamp(n, 0, kSoundCount - 1)]; }

std::vector<double> synthesise_sound(int n) {
  const SoundFormat format = sound_format(n);
  const double rate = format.rate;
  const std::size_t count = static_cast<std::size_t>(format.samples);
  switch (n) {
    case 0: return refused(rate, count);
    case 2: return burst(rate, count);
    case 3: return fall(rate, count);
    case 4: return collapse(rate, count);
    case 5: return undo(rate, count);
    default: return Samples(count, 0.0);  // the start-up sound is silence
  }
}

Bytes encode_wav8(int rate, const std::vector<double>& samples) {
  const std::uint32_t data_size = static_cast<std::uint32_t>(samples.size());
  Bytes out;
  put_tag(out, "RIFF");
  put_u32(out, 36 + data_size + (data_size & 1u));
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, 1);  // PCM
  put_u16(out, 1);  // one channel
  put_u32(out, static_cast<std::uint32_t>(rate));
  put_u32(out, static_cast<std::uint32_t>(rate));  // bytes per second
  put_u16(out, 1);                                 // block align
  put_u16(out, 8);                                 // bits per sample
  put_tag(out, "data");
  put_u32(out, data_size);
  for (double v : samples) put_u8(out, static_cast<unsigned>(std::lround(128.0 + 127.0 * std::clamp(v, -1.0, 1.0))));
  if (data_size & 1u) put_u8(out, 0);  // RIFF chunks end on an even offset
  return out;
}
