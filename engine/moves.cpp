// One move on the Board, after the controller has accepted the click: the
// group is marked and zeroed, bursts in four frames, the stones above fall
// into the gaps and emptied columns close up towards column 1. Each visible
// step is drawn at once, because no window message is handled until the move
// is over; the frames are paced by busy waits on the tick counter.
#include "engine/moves.h"

#include "engine/sound.h"
#include "engine/board.h"
#include "platform/platform.h"
#include "storage/game_settings.h"

namespace {

constexpr std::uint32_t BURST_FRAME_MS = 50;
constexpr std::uint8_t BURST_FRAMES[] = {CELL_BURST_1, CELL_BURST_2, CELL_BURST_3, CELL_BURST_4};

struct StackCell {
    std::uint8_t column;
    std::uint8_t row;
};

// Every cell is pushed at most once (it is zeroed when pushed), so the
// largest group, the whole 31 x 31 grid, fits.
StackCell fill_stack[(BOARD_SPAN - 2) * (BOARD_SPAN - 2)];

void write_marked(std::uint8_t code) {
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y)
            if (board.marks[x][y] != 0) board.cells[x][y] = code;
}

std::uint8_t shifted_in(std::uint8_t code) { return code == CELL_BORDER ? CELL_EMPTY : code; }

}  // namespace

// A depth-first fill with an explicit stack instead of recursion: the group
// can hold every cell of the grid, and the result does not depend on the
// order in which the cells are visited.
void mark_group(std::uint8_t code, int column, int row) {
    if (board.cells[column][row] != code) return;
    int depth = 0;
    auto take = [&](int x, int y) {
        board.marks[x][y] = 1;
        board.cells[x][y] = CELL_REMOVED;
        fill_stack[depth++] = StackCell{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    };
    take(column, row);
    while (depth > 0) {
        const StackCell c = fill_stack[--depth];
        const int x = c.column;
        const int y = c.row;
        if (x > 1 && board.cells[x - 1][y] == code) take(x - 1, y);
        if (y > 1 && board.cells[x][y - 1] == code) take(x, y - 1);
        if (x < settings.columns && board.cells[x + 1][y] == code) take(x + 1, y);
        if (y < settings.rows && board.cells[x][y + 1] == code) take(x, y + 1);
    }
}

void burst_marked() {
    play_sound(SOUND_BURST);
    for (std::uint8_t frame : BURST_FRAMES) {
        write_marked(frame);
        platform_draw_board();
        wait_ms(BURST_FRAME_MS);
    }
    write_marked(CELL_REMOVED);
    platform_draw_board();
}

// Unsigned differences stay right when the counter wraps around mid-wait.
void wait_ms(std::uint32_t milliseconds) {
    const std::uint32_t start = platform_tick_count();
    while (platform_tick_count() - start < milliseconds) {
    }
}

// Columns are scanned from the right so that several neighbouring empty
// columns close up in one pass; rows from the bottom, and a column's scan ends
// at its first empty cell since nothing lies above it.
void settle_board() {
    for (int x = settings.columns; x >= 1; --x)
        for (int y = settings.rows; y >= 1; --y) {
            if (board.cells[x][y] == CELL_REMOVED) {
                play_sound(SOUND_FALL);
                fill_gap(x, y);
            }
            if (board.cells[x][y] == CELL_EMPTY) break;
        }
    for (int x = settings.columns; x >= 1; --x)
        if (board.cells[x][settings.rows] == CELL_EMPTY) {
            play_sound(SOUND_COLLAPSE);
            close_column(x);
        }
    platform_draw_board();
}

// Moves the cells above (column, row) down one row at a time until the cell
// holds something other than a removed stone; the top border feeds empty cells.
void fill_gap(int column, int row) {
    std::uint8_t* cells = board.cells[column];
    while (cells[row] == CELL_REMOVED)
        for (int r = row; r >= 1; --r) cells[r] = shifted_in(cells[r - 1]);
}

// Columns right of `column` move one step left; the border column feeds an
// empty column in at C without itself changing.
void close_column(int column) {
    for (int a = column; a <= settings.columns; ++a)
        for (int r = 1; r <= settings.rows; ++r) board.cells[a][r] = shifted_in(board.cells[a + 1][r]);
}
