// The texts of the status fields: plain decimal numbers and the clock.
#include "control/game_status.h"


#include "platform/platform.h"
#include "storage/format_text.h"

namespace {
constexpr int SECONDS_PER_MINUTE = 60;
}

void show_status_number(StatusField field, int value) {
    char text[16];
    format_text(text, sizeof text, "%d", value);
    platform_set_status(field, text);
}

void show_status_clock(int seconds) {
    char text[32];
    format_text(text, sizeof text, "%d'%02d", seconds / SECONDS_PER_MINUTE, seconds % SECONDS_PER_MINUTE);
    platform_set_status(STATUS_CLOCK, text);
}
