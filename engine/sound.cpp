// The sound effects. Every sound of the game is asked for here by number;
// with a wave device the program's own recording 3030 + n plays in the
// background, without one the system beeps with type n x 16. The system is
// asked for its wave devices once, at the first request made with sound on.
#include "engine/sound.h"

#include <climits>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"

int wave_device_count = -1;

namespace {

constexpr unsigned BEEP_TYPE_STEP = 16;

int ask_wave_devices() {
    const unsigned devices = platform_wave_device_count();
    return devices > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(devices);
}

}  // namespace

void play_sound(int n) {
    if (settings.sound == 0) return;
    if (n < SOUND_REFUSED || n > SOUND_UNDO) return;
    if (wave_device_count == -1) wave_device_count = ask_wave_devices();
    if (wave_device_count != 0)
        platform_play_wave(IDW_SOUND_BASE + n);
    else
        platform_beep(static_cast<unsigned>(n) * BEEP_TYPE_STEP);
}
