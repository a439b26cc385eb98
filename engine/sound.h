// The sound effects: every sound of the game goes through play_sound.
#pragma once

enum SoundNumber : int {
    SOUND_REFUSED = 0,
    SOUND_START = 1,
    SOUND_BURST = 2,
    SOUND_FALL = 3,
    SOUND_COLLAPSE = 4,
    SOUND_UNDO = 5,
};

// -1 until the first request made with sound on asks the system.
extern int wave_device_count;

void play_sound(int n);
