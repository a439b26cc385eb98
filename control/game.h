// The game controller: the state of the current game, the clock, the status
// fields, and what a press, an undo and a new game do.
#pragma once

#include <cstdint>

enum GameState : std::int32_t {
    GAME_NOT_STARTED = -2,
    GAME_RUNNING = 0,
    GAME_OVER = 1,
};

struct CurrentGame {
    std::int32_t state;       // a GameState, tested by sign
    std::int32_t seconds;     // clock ticks counted while running
    std::int32_t remaining;   // stones left
    std::int32_t total;       // stones at the start
    std::int32_t last_score;  // score of the last finished game
    std::uintptr_t clock_timer;
};

extern CurrentGame game;

struct Cell {
    int column;
    int row;
};

void on_new_game();
// Restart this board (F5): the current board dealt again with its own
// columns, rows and colours; the clock and the undo history start over.
void on_restart();
// The board of that number with the current settings, as a new game deals it.
void on_board_number(std::uint32_t number);
// Hint (H): outlines the group the search finds best until the next move;
// the refused sound when no group can be taken.
void on_hint();
void on_undo();
void on_board_click(std::uint16_t x, std::uint16_t y);
// A press on a cell, by the mouse or by the keyboard: everything a click does.
void on_cell_press(Cell cell);
void on_clock_tick();
Cell hit_test(std::uint16_t x, std::uint16_t y);
void show_new_game_status();
int compute_score();
void end_game();
