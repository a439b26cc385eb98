// Timings of the core on the largest board, linked with the fake door: a
// whole move with square and with round stones (the burst's waits end at
// once on the fake tick counter), dealing a new game, and one undo
// snapshot saved and restored. Each move starts from the same dealt board,
// restored by a plain copy that is part of the timing, and clicks the next of
// its playable stones in turn, so the figures are averages over all of them.
#include <benchmark/benchmark.h>

#include <vector>

#include "control/game.h"
#include "engine/board.h"
#include "engine/moves.h"
#include "engine/undo.h"
#include "storage/game_settings.h"
#include "tests/unit/fake_platform.h"

namespace {

struct Target {
    int column;
    int row;
};

void largest_board(int form) {
    reset_program_state();
    settings = GameSettings{31, 31, form, 21, LANGUAGE_ENGLISH, 6, 0};
    fake.tick_step = 50;  // every 50 ms wait ends after two reads
    fake.events.reserve(4096);
    new_game_with_seed(20240601);
}

std::vector<Target> playable_stones() {
    std::vector<Target> out;
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) {
            const std::uint8_t c = board.cells[x][y];
            if (board.cells[x - 1][y] == c || board.cells[x][y - 1] == c || board.cells[x + 1][y] == c ||
                board.cells[x][y + 1] == c)
                out.push_back(Target{x, y});
        }
    return out;
}

void one_move(benchmark::State& state, int form) {
    largest_board(form);
    const Board dealt = board;
    const std::vector<Target> targets = playable_stones();
    std::size_t next = 0;
    for (auto _ : state) {
        board = dealt;
        fake.events.clear();
        const Target t = targets[next];
        next = (next + 1) % targets.size();
        clear_marks();
        mark_group(board.cells[t.column][t.row], t.column, t.row);
        burst_marked();
        settle_board();
        if (form != 0) roll_stones();
        benchmark::DoNotOptimize(board.cells[1][settings.rows]);
    }
}

void BM_SquareMove(benchmark::State& state) { one_move(state, 0); }
void BM_RoundMove(benchmark::State& state) { one_move(state, 1); }

void BM_NewGame(benchmark::State& state) {
    largest_board(0);
    for (auto _ : state) {
        ++fake.calendar_time;
        new_game();
        benchmark::DoNotOptimize(board.cells[31][31]);
    }
}

void BM_SaveAndRestoreSnapshot(benchmark::State& state) {
    largest_board(0);
    save_snapshot();
    restore_snapshot();  // the store is created once, outside the timing
    for (auto _ : state) {
        save_snapshot();
        restore_snapshot();
        benchmark::DoNotOptimize(board.cells[31][31]);
    }
}

}  // namespace

BENCHMARK(BM_SquareMove);
BENCHMARK(BM_RoundMove);
BENCHMARK(BM_NewGame);
BENCHMARK(BM_SaveAndRestoreSnapshot);
