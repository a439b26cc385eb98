// Round stones roll: a stone beside a drop at least two cells deep rolls
// into the neighbouring column. Only the topmost stone of a column can
// roll and a stone in the last row never does (the sentinel row below holds
// 0), so rolling never empties a column and always ends.
#include "engine/board.h"
#include "engine/moves.h"

#include "engine/sound.h"
#include "platform/platform.h"
#include "storage/game_settings.h"

namespace {

bool side_free(int column, int row) {
    return board.cells[column][row] == CELL_EMPTY && board.cells[column][row + 1] == CELL_EMPTY;
}

constexpr int NO_ROLL = 0;

// The first stone, left to right and top to bottom from `first_column`, that
// can roll is moved. Returns the leftmost column the roll changed, or NO_ROLL.
int roll_one_stone(int first_column) {
    for (int x = first_column; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) {
            const std::uint8_t code = board.cells[x][y];
            if (code == CELL_EMPTY) continue;
            const bool left = side_free(x - 1, y);
            const bool right = side_free(x + 1, y);
            if (!left && !right) continue;
            board.cells[x][y] = CELL_EMPTY;
            // Only a real choice draws from the generator, so replays match.
            const bool to_right = left && right ? (rng_next() & 1) != 0 : right;
            land_stone(code, to_right ? x + 1 : x - 1);
            return to_right ? x : x - 1;
        }
    return NO_ROLL;
}

}  // namespace

// Each roll starts the scan again from the top left. Only the two columns of
// a roll change, so no stone further left than the column beside them can
// have become free: the scan resumes there and finds the same stone a full
// restart would.
void roll_stones() {
    int changed = roll_one_stone(1);
    while (changed != NO_ROLL) {
        const int resume = changed > 1 ? changed - 1 : 1;
        changed = roll_one_stone(resume);
    }
}

void land_stone(std::uint8_t code, int column) {
    play_sound(SOUND_FALL);
    for (int r = settings.rows; r >= 1; --r)
        if (board.cells[column][r] == CELL_EMPTY) {
            board.cells[column][r] = code;
            break;
        }
    platform_draw_board();
}
