// The Board: the grid of cell codes and the plane of removal marks, the
// random generator, the dealing of a new game and the counts the controller
// shows. Column 1 is at the left, row 1 at the top; stones fall towards row R.
#pragma once

#include <cstdint>

constexpr int BOARD_SPAN = 33;  // 31 columns or rows plus a border on each side

// Cell codes
constexpr std::uint8_t CELL_REMOVED = 0;    // a stone of the group being removed; also column 0 and row R + 1
constexpr std::uint8_t CELL_EMPTY = 126;    // '~'
constexpr std::uint8_t CELL_BORDER = 127;   // row 0 and column C + 1
constexpr std::uint8_t CELL_BURST_1 = 255;  // the four frames of the burst, in order
constexpr std::uint8_t CELL_BURST_2 = 254;
constexpr std::uint8_t CELL_BURST_3 = 253;
constexpr std::uint8_t CELL_BURST_4 = 252;
constexpr std::uint8_t CELL_FIRST_COLOUR = 1;  // a game uses the colours 1..colours
constexpr std::uint8_t CELL_LAST_COLOUR = 6;

constexpr bool is_colour(std::uint8_t code) {
    return code >= CELL_FIRST_COLOUR && code <= CELL_LAST_COLOUR;
}

// Both planes are stored column by column: the rows of one column are adjacent.
struct Board {
    std::uint8_t cells[BOARD_SPAN][BOARD_SPAN];  // [column][row]
    std::uint8_t marks[BOARD_SPAN][BOARD_SPAN];  // [column][row], 0 or 1
};

extern Board board;

// Columns and rows asked for by the settings dialog, applied by the next
// new game when both are non-zero; never cleared.
struct PendingDimensions {
    int columns;
    int rows;
};
extern PendingDimensions pending_dimensions;

void rng_seed(std::uint32_t seed);
int rng_next();  // 0..32767
// The generator's state, which the next rng_next goes on from: a search
// rolls from a copy of it, leaving the game's own rolls as they were.
std::uint32_t rng_state();

// What a board was dealt from: its number (the seed), its columns, rows and
// colours. The same four give the same board on every system, and the same
// moves then give the same rolls.
struct Deal {
    std::uint32_t seed;
    int columns;
    int rows;
    int colours;
};
extern Deal current_deal;

// Deals a new board from the calendar time; see board.cpp for the steps.
void new_game();
// Deals a new board from a given seed (new_game's steps with the seed chosen
// by the caller): a board by its number, with the current settings.
void new_game_with_seed(std::uint32_t seed);
// Deals the current board again, with its own columns, rows and colours
// whatever the settings now ask for; the undo history starts over.
void deal_again();

void clear_cells();
void clear_marks();
int count_remaining();
int count_playable();
int count_marks();
