// The Board and everything that deals or counts it: the random generator,
// a new game (dimensions, borders, the dealt stones) and the three counts the
// status bar shows. The border cells let the move rules look at any
// neighbour without testing the edges: row 0 and column C + 1 hold 127,
// column 0 and row R + 1 hold 0, and none of them is empty or a colour.
#include "engine/board.h"

#include "engine/undo.h"
#include "platform/platform.h"
#include "storage/game_settings.h"

Board board;
PendingDimensions pending_dimensions;
Deal current_deal;

namespace {

std::uint32_t generator;

bool fits_board(int side) { return side >= 1 && side <= BOARD_SPAN - 2; }

// The dialog keeps pending counts in 10..31; a pair the Board cannot hold is
// ignored like an incomplete one rather than trusted.
void apply_pending_dimensions() {
    if (pending_dimensions.columns == 0 || pending_dimensions.rows == 0) return;
    if (!fits_board(pending_dimensions.columns) || !fits_board(pending_dimensions.rows)) return;
    settings.columns = pending_dimensions.columns;
    settings.rows = pending_dimensions.rows;
    release_undo_store();
}

// Settings arrive clamped from the file and the dialog; this keeps the planes
// safe even if they did not.
void keep_dimensions_on_board() {
    if (!fits_board(settings.columns)) settings.columns = settings.columns < 1 ? 1 : BOARD_SPAN - 2;
    if (!fits_board(settings.rows)) settings.rows = settings.rows < 1 ? 1 : BOARD_SPAN - 2;
}

int dealt_colours() {
    if (settings.colours < CELL_FIRST_COLOUR) return CELL_FIRST_COLOUR;
    if (settings.colours > CELL_LAST_COLOUR) return CELL_LAST_COLOUR;
    return settings.colours;
}

void deal_stones(int colours) {
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y)
            board.cells[x][y] = static_cast<std::uint8_t>(rng_next() % colours + 1);
}

void draw_borders() {
    for (int x = 0; x <= settings.columns; ++x) board.cells[x][0] = CELL_BORDER;
    for (int y = 0; y <= settings.rows; ++y) board.cells[settings.columns + 1][y] = CELL_BORDER;
}

bool matches_a_neighbour(int x, int y) {
    const std::uint8_t code = board.cells[x][y];
    return board.cells[x - 1][y] == code || board.cells[x][y - 1] == code ||
           board.cells[x + 1][y] == code || board.cells[x][y + 1] == code;
}

}  // namespace

void rng_seed(std::uint32_t seed) { generator = seed; }

int rng_next() {
    generator = generator * 22695477u + 1u;
    return static_cast<int>((generator >> 16) & 0x7FFFu);
}

std::uint32_t rng_state() { return generator; }

void new_game() {
    // The calendar time is only a seed: its low 32 bits are all that matter.
    new_game_with_seed(static_cast<std::uint32_t>(platform_calendar_time()));
}

void new_game_with_seed(std::uint32_t seed) {
    apply_pending_dimensions();
    keep_dimensions_on_board();
    current_deal = Deal{seed, settings.columns, settings.rows, dealt_colours()};
    deal_again();
}

// The columns and rows of a deal are those of the board in play: they only
// change in new_game_with_seed, which records them.
void deal_again() {
    undo_store.count = 0;
    undo_store.staged = false;
    clear_cells();
    clear_marks();
    rng_seed(current_deal.seed);
    deal_stones(current_deal.colours);
    draw_borders();
}

void clear_cells() {
    for (int x = 0; x <= settings.columns + 1; ++x)
        for (int y = 0; y <= settings.rows + 1; ++y) board.cells[x][y] = CELL_REMOVED;
}

void clear_marks() {
    for (int x = 0; x <= settings.columns + 1; ++x)
        for (int y = 0; y <= settings.rows + 1; ++y) board.marks[x][y] = 0;
}

// Every stone counts, also those of colours above a number of colours that
// was lowered during the game: they are still on the board and still play.
int count_remaining() {
    int n = 0;
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y)
            if (is_colour(board.cells[x][y])) ++n;
    return n;
}

int count_playable() {
    int n = 0;
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) {
            const std::uint8_t code = board.cells[x][y];
            if (code == CELL_REMOVED || code == CELL_EMPTY || code == CELL_BORDER) continue;
            if (matches_a_neighbour(x, y)) ++n;
        }
    return n;
}

int count_marks() {
    int n = 0;
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) n += board.marks[x][y];
    return n;
}
