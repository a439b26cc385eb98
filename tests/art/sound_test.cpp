// The six sounds as the system will play them: complete RIFF/WAVE files of
// 8-bit unsigned mono PCM with the rates and lengths the game counts on
// (a sound still playing refuses the next one), sound 1 silent, the others
// audible without clipping, and every one starting and ending at silence
// so that no click is heard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "resources/resource_ids.h"
#include "tests/art/art_files.h"

namespace {
struct ExpectedSound {
  int id;
  std::uint32_t rate;
  std::size_t samples;
};

const ExpectedSound kSounds[] = {
    {IDW_SOUND_REFUSED, 11025, 2384}, {IDW_SOUND_START, 6000, 5},      {IDW_SOUND_BURST, 11025, 361},
    {IDW_SOUND_FALL, 11025, 367},     {IDW_SOUND_COLLAPSE, 11025, 1444}, {IDW_SOUND_UNDO, 11025, 704},
};

struct LoadedSound {
  Wave wave;
  std::size_t file_size = 0;
};

LoadedSound load_sound(int id) {
  static const ResourceScript script = read_resource_script();
  const auto found = script.entries.find(id);
  if (found == script.entries.end() || found->second.type != "WAVE") return {};
  const Bytes file = read_bytes(generated_path(found->second.file));
  return {read_wave(file), file.size()};
}

int peak_deviation(const std::vector<int>& samples) {
  int peak = 0;
  for (int s : samples) peak = std::max(peak, std::abs(s - 128));
  return peak;
}
}  // namespace

TEST(Sounds, EachIsEightBitMonoPcmWithItsRateAndLength) {
  for (const ExpectedSound& expected : kSounds) {
    const LoadedSound sound = load_sound(expected.id);
    ASSERT_TRUE(sound.wave.valid) << "sound " << expected.id << ": " << sound.wave.problem;
    EXPECT_EQ(sound.wave.format, 1u) << expected.id;
    EXPECT_EQ(sound.wave.channels, 1u) << expected.id;
    EXPECT_EQ(sound.wave.bits, 8u) << expected.id;
    EXPECT_EQ(sound.wave.block_align, 1u) << expected.id;
    EXPECT_EQ(sound.wave.rate, expected.rate) << expected.id;
    EXPECT_EQ(sound.wave.byte_rate, expected.rate) << expected.id;
    EXPECT_EQ(sound.wave.samples.size(), expected.samples) << expected.id;
    // Headers of 44 bytes, and a pad byte after an odd-sized data chunk.
    EXPECT_EQ(sound.file_size, 44 + expected.samples + expected.samples % 2) << expected.id;
  }
}

TEST(Sounds, StartSoundIsSilenceAndTheOthersAreAudibleWithoutClipping) {
  for (const ExpectedSound& expected : kSounds) {
    const LoadedSound sound = load_sound(expected.id);
    ASSERT_TRUE(sound.wave.valid) << sound.wave.problem;
    const int peak = peak_deviation(sound.wave.samples);
    if (expected.id == IDW_SOUND_START) {
      EXPECT_EQ(peak, 0);
    } else {
      EXPECT_GE(peak, 20) << "sound " << expected.id << " is too quiet";
      EXPECT_LE(peak, 100) << "sound " << expected.id << " is too loud";
    }
  }
}

TEST(Sounds, EveryOneStartsAndEndsAtSilence) {
  for (const ExpectedSound& expected : kSounds) {
    const LoadedSound sound = load_sound(expected.id);
    ASSERT_TRUE(sound.wave.valid && !sound.wave.samples.empty()) << sound.wave.problem;
    EXPECT_NEAR(sound.wave.samples.front(), 128, 2) << "sound " << expected.id << " starts with a click";
    EXPECT_NEAR(sound.wave.samples.back(), 128, 2) << "sound " << expected.id << " ends with a click";
  }
}
