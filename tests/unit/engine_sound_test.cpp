// The sound rule: nothing with sound off, the wave devices asked once, the
// recording 3030 + n with a device and the beep n x 16 without one.
#include <gtest/gtest.h>

#include "engine/sound.h"
#include "tests/unit/board_fixtures.h"

TEST(PlaySound, SoundOffAsksTheSystemNothing) {
    start_fixture(10, 10, 2);
    settings.sound = 0;
    for (int n = 0; n <= 5; ++n) play_sound(n);
    EXPECT_TRUE(fake.events.empty());
    EXPECT_EQ(fake.wave_device_queries, 0);
    EXPECT_EQ(wave_device_count, -1);
    settings.sound = 1;
    play_sound(SOUND_START);
    EXPECT_EQ(fake.wave_device_queries, 1);
    EXPECT_EQ(wave_device_count, 1);
}

TEST(PlaySound, WaveDevicesAreAskedOnceAndNeverAgain) {
    start_fixture(10, 10, 2);
    for (int n = 0; n <= 5; ++n) play_sound(n);
    fake.wave_devices = 0;  // a device removed later is not noticed
    play_sound(SOUND_FALL);
    EXPECT_EQ(fake.wave_device_queries, 1);
    EXPECT_EQ(fake.events, (std::vector<std::string>{"wave 3030", "wave 3031", "wave 3032", "wave 3033",
                                                     "wave 3034", "wave 3035", "wave 3033"}));
}

TEST(PlaySound, WithoutAWaveDeviceEachSoundBeepsItsType) {
    start_fixture(10, 10, 2);
    fake.wave_devices = 0;
    for (int n = 0; n <= 5; ++n) play_sound(n);
    EXPECT_EQ(fake.events,
              (std::vector<std::string>{"beep 0", "beep 16", "beep 32", "beep 48", "beep 64", "beep 80"}));
    EXPECT_EQ(fake.wave_device_queries, 1);
}

TEST(PlaySound, NumbersOutsideTheSixSoundsAreIgnored) {
    start_fixture(10, 10, 2);
    play_sound(-1);
    play_sound(6);
    EXPECT_TRUE(fake.events.empty());
}
