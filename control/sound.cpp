// Placeholder until the sound effects land.
#include "control/sound.h"
int wave_device_count = -1;
void play_sound(int) {}
