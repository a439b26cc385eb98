// Properties over thousands of random games: random sizes, colours and
// forms, random presses and undos. After every move the board must hold the
// invariant, the controller's counts must match a plain recount, and undo
// must give back the exact earlier board. The fills and the rolling are also
// compared with straightforward reference versions. Every case prints its
// seed, so a failure can be replayed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "control/game.h"
#include "engine/board.h"
#include "engine/moves.h"
#include "engine/undo.h"
#include "tests/unit/board_fixtures.h"

namespace {

using Rows = std::vector<std::string>;

// The whole cell plane: cheaper to copy and compare than rows of text.
struct Cells {
    std::uint8_t cells[BOARD_SPAN][BOARD_SPAN];
    bool operator==(const Cells& o) const { return std::memcmp(cells, o.cells, sizeof cells) == 0; }
    bool operator!=(const Cells& o) const { return !(*this == o); }
};

Cells current_cells() {
    Cells c;
    std::memcpy(c.cells, board.cells, sizeof c.cells);
    return c;
}

int random_in(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Settled columns, only dealt colours and empty cells, empty columns only
// at the right, and borders as a new game left them.
::testing::AssertionResult holds_invariant() {
    const int c = settings.columns;
    const int r = settings.rows;
    bool seen_empty_column = false;
    for (int x = 1; x <= c; ++x) {
        bool seen_stone = false;
        for (int y = 1; y <= r; ++y) {
            const std::uint8_t code = board.cells[x][y];
            if (code == CELL_EMPTY) {
                if (seen_stone) return ::testing::AssertionFailure() << "hole under a stone at " << x << "," << y;
            } else if (code >= 1 && code <= settings.colours) {
                seen_stone = true;
            } else {
                return ::testing::AssertionFailure() << "code " << int(code) << " at " << x << "," << y;
            }
        }
        if (seen_stone && seen_empty_column) return ::testing::AssertionFailure() << "empty column left of " << x;
        if (!seen_stone) seen_empty_column = true;
    }
    for (int x = 0; x <= c; ++x)
        if (board.cells[x][0] != CELL_BORDER) return ::testing::AssertionFailure() << "top border " << x;
    for (int y = 0; y <= r; ++y)
        if (board.cells[c + 1][y] != CELL_BORDER) return ::testing::AssertionFailure() << "right border " << y;
    for (int y = 1; y <= r + 1; ++y)
        if (board.cells[0][y] != 0) return ::testing::AssertionFailure() << "column 0 at " << y;
    for (int x = 0; x <= c + 1; ++x)
        if (board.cells[x][r + 1] != 0) return ::testing::AssertionFailure() << "sentinel row at " << x;
    return ::testing::AssertionSuccess();
}

int stones_on_board() {
    int n = 0;
    for (int x = 1; x <= settings.columns; ++x) n += column_height(x);
    return n;
}

int brute_playable() {
    int n = 0;
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) {
            const int code = board.cells[x][y];
            if (code == CELL_EMPTY) continue;
            const bool pair = (x > 1 && board.cells[x - 1][y] == code) || (y > 1 && board.cells[x][y - 1] == code) ||
                              (x < settings.columns && board.cells[x + 1][y] == code) ||
                              (y < settings.rows && board.cells[x][y + 1] == code);
            if (pair) ++n;
        }
    return n;
}

::testing::AssertionResult neighbours_within_one() {
    for (int x = 1; x < settings.columns; ++x)
        if (std::abs(column_height(x) - column_height(x + 1)) > 1)
            return ::testing::AssertionFailure() << "columns " << x << " and " << x + 1 << " differ by more than one";
    return ::testing::AssertionSuccess();
}

void start_random_game(std::mt19937& rng, std::uint32_t seed) {
    // Mostly small boards, where games end and columns empty, but every size up to 31 x 31.
    const int c = random_in(rng, 0, 3) == 0 ? random_in(rng, 10, 31) : random_in(rng, 2, 12);
    const int r = random_in(rng, 0, 3) == 0 ? random_in(rng, 10, 31) : random_in(rng, 2, 12);
    start_fixture(c, r, random_in(rng, 2, 6), random_in(rng, 0, 1));
    new_game_with_seed(seed);
    show_new_game_status();
}

void press_somewhere(std::mt19937& rng) {
    const int column = random_in(rng, 1, settings.columns + (random_in(rng, 0, 9) == 0 ? 2 : 0));
    const int row = random_in(rng, 1, settings.rows + (random_in(rng, 0, 9) == 0 ? 2 : 0));
    click_cell(column, row);
}

}  // namespace

TEST(Property, RandomGamesKeepTheBoardAndTheCountsRight) {
    constexpr int GAMES = 1000;
    for (int g = 0; g < GAMES; ++g) {
        const std::uint32_t seed = 1000u + static_cast<std::uint32_t>(g);
        SCOPED_TRACE("game seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        start_random_game(rng, seed);
        std::deque<Cells> history;  // boards before the accepted moves, newest last
        for (int step = 0; step < 30 && game.state != GAME_OVER; ++step) {
            fake.clear_events();
            if (!history.empty() && random_in(rng, 0, 7) == 0) {
                const int k = random_in(rng, 1, static_cast<int>(history.size()));
                for (int i = 0; i < k; ++i) {
                    on_undo();
                    ASSERT_TRUE(current_cells() == history.back()) << "undo " << i + 1 << " of " << k;
                    history.pop_back();
                }
            } else {
                const Cells before = current_cells();
                press_somewhere(rng);
                if (current_cells() != before) {
                    history.push_back(before);
                    if (history.size() > UNDO_MAX_HELD) history.pop_front();
                } else {
                    ASSERT_EQ(fake.count("draw"), 0) << "a refused press drew the board";
                }
            }
            ASSERT_TRUE(holds_invariant());
            // A cleared board is scored as one stone left, and the count keeps that 1.
            const bool cleared = game.state == GAME_OVER && stones_on_board() == 0;
            ASSERT_EQ(game.remaining, cleared ? 1 : stones_on_board());
            ASSERT_EQ(count_remaining(), stones_on_board());
            ASSERT_EQ(count_playable(), brute_playable());
            ASSERT_EQ(undo_store.count, static_cast<int>(history.size()));
            if (settings.form != 0) {
                ASSERT_TRUE(neighbours_within_one());
            }
        }
        if (game.state == GAME_OVER) {
            ASSERT_EQ(brute_playable(), 0);
        }
    }
}

namespace {

int recursive_marks;
int draws_seen;

void reference_fill(std::uint8_t code, int x, int y, std::uint8_t (&seen)[BOARD_SPAN][BOARD_SPAN]) {
    if (x < 1 || y < 1 || x > settings.columns || y > settings.rows) return;
    if (seen[x][y] != 0 || board.cells[x][y] != code) return;
    seen[x][y] = 1;
    ++recursive_marks;
    reference_fill(code, x - 1, y, seen);
    reference_fill(code, x, y - 1, seen);
    reference_fill(code, x + 1, y, seen);
    reference_fill(code, x, y + 1, seen);
}

// The rolling as first described: every roll restarts the scan at (1, 1).
void reference_roll() {
    for (bool rolled = true; rolled;) {
        rolled = false;
        for (int x = 1; x <= settings.columns && !rolled; ++x)
            for (int y = 1; y <= settings.rows && !rolled; ++y) {
                const std::uint8_t k = board.cells[x][y];
                if (k == CELL_EMPTY) continue;
                const bool left = board.cells[x - 1][y] == CELL_EMPTY && board.cells[x - 1][y + 1] == CELL_EMPTY;
                const bool right = board.cells[x + 1][y] == CELL_EMPTY && board.cells[x + 1][y + 1] == CELL_EMPTY;
                if (!left && !right) continue;
                board.cells[x][y] = CELL_EMPTY;
                const bool to_right = left && right ? (rng_next() & 1) != 0 : right;
                land_stone(k, to_right ? x + 1 : x - 1);
                rolled = true;
            }
    }
}

// Random settled columns of random heights (some empty), not necessarily a
// position a game could reach.
void random_settled_board(std::mt19937& rng) {
    const int c = random_in(rng, 1, 31);
    const int r = random_in(rng, 1, 31);
    start_fixture(c, r, random_in(rng, 1, 6), 1);
    Rows rows(static_cast<std::size_t>(r), std::string(static_cast<std::size_t>(c), '.'));
    for (int x = 0; x < c; ++x) {
        const int height = random_in(rng, 0, r);
        for (int y = r - height; y < r; ++y)
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] =
                static_cast<char>('0' + random_in(rng, 1, settings.colours));
    }
    set_board(rows);
}

}  // namespace

TEST(Property, FillMarksTheSameGroupAsARecursiveFill) {
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        random_settled_board(rng);
        const int x = random_in(rng, 1, settings.columns);
        const int y = random_in(rng, 1, settings.rows);
        const std::uint8_t code = board.cells[x][y];
        if (!is_colour(code)) continue;
        std::uint8_t seen[BOARD_SPAN][BOARD_SPAN] = {};
        recursive_marks = 0;
        reference_fill(code, x, y, seen);
        clear_marks();
        mark_group(code, x, y);
        ASSERT_EQ(count_marks(), recursive_marks);
        for (int i = 1; i <= settings.columns; ++i)
            for (int j = 1; j <= settings.rows; ++j) {
                ASSERT_EQ(board.marks[i][j], seen[i][j]);
                if (seen[i][j] != 0) {
                    ASSERT_EQ(board.cells[i][j], CELL_REMOVED);
                }
            }
    }
}

TEST(Property, RollingMatchesARestartFromTheTopLeftEveryTime) {
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        random_settled_board(rng);
        settings.sound = 0;
        fake.on_draw = [] { ++draws_seen; };
        const Board start = board;
        rng_seed(seed);
        draws_seen = 0;
        roll_stones();
        const Cells rolled = current_cells();
        const int draws = draws_seen;
        ASSERT_TRUE(neighbours_within_one());

        board = start;
        rng_seed(seed);
        draws_seen = 0;
        reference_roll();
        ASSERT_TRUE(rolled == current_cells());
        ASSERT_EQ(draws, draws_seen);
    }
}
