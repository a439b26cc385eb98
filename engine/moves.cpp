// Placeholder until the engine lands.
#include "engine/moves.h"
void mark_group(std::uint8_t, int, int) {}
void burst_marked() {}
void settle_board() {}
void roll_stones() {}
void wait_ms(std::uint32_t) {}
void fill_gap(int, int) {}
void close_column(int) {}
void land_stone(std::uint8_t, int) {}
