// Placeholder until the controller lands.
#include "control/game.h"
CurrentGame game;
void on_new_game() {}
void on_undo() {}
void on_board_click(std::uint16_t, std::uint16_t) {}
void on_clock_tick() {}
Cell hit_test(std::uint16_t, std::uint16_t) { return Cell{0, 0}; }
void show_new_game_status() {}
int compute_score() { return 0; }
void end_game() {}
