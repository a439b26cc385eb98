// Placeholder until the engine lands.
#include "engine/board.h"
Board board;
PendingDimensions pending_dimensions;
void rng_seed(std::uint32_t) {}
int rng_next() { return 0; }
void new_game() {}
void new_game_with_seed(std::uint32_t) {}
void clear_cells() {}
void clear_marks() {}
int count_remaining() { return 0; }
int count_playable() { return 0; }
int count_marks() { return 0; }
