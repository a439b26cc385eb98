// The hint's quality and cost on numbered boards. Each board is dealt by the
// game's own dealer and played to its end three times: always taking the
// hint, always taking the largest group (the first found when several are
// as large), and taking a group at random. Prints, per board size, the mean
// and spread of the stones left by each rule, how often the hint cleared the
// board, and the hint's time per move (median and worst) in processor time
// of its one thread, which other programs on a shared machine do not swell.
//
//   hint_bench [boards] [boards of 31 x 31] [form: 1 round, 0 square]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "engine/board.h"
#include "engine/hint.h"
#include "engine/position.h"
#include "storage/game_settings.h"
#include "tests/unit/fake_platform.h"

namespace {

struct Size {
    int columns;
    int rows;
    int colours;
};

constexpr Size SIZES[] = {{10, 10, 3}, {15, 10, 6}, {20, 20, 4}, {31, 31, 6}};
constexpr std::uint32_t FIRST_BOARD = 1000;

Position dealt(const Size& size, int form, std::uint32_t number) {
    reset_program_state();
    settings = GameSettings{size.columns, size.rows, form, 21, LANGUAGE_ENGLISH, size.colours, 0};
    new_game_with_seed(number);
    return position_of_board();
}

int index_of_cell(const GroupList& list, int column, int level) { return list.label[column][level]; }

int play_by_hint(Position p, std::vector<double>& times_ms) {
    GroupList list;
    for (;;) {
        const std::clock_t start = std::clock();
        const HintResult hint = search_hint(p, HINT_MOVE_BUDGET);
        const std::clock_t end = std::clock();
        if (!hint.found) return stones_left(p);
        times_ms.push_back(1000.0 * static_cast<double>(end - start) / CLOCKS_PER_SEC);
        find_groups(p, list);
        take_group(p, list, index_of_cell(list, hint.column, hint.level));
    }
}

int play_largest(Position p) {
    GroupList list;
    for (;;) {
        find_groups(p, list);
        if (list.count == 0) return stones_left(p);
        take_group(p, list, largest_group(list));
    }
}

int play_random(Position p, std::uint32_t seed) {
    GroupList list;
    std::uint32_t state = seed * 2654435761u + 1u;
    for (;;) {
        find_groups(p, list);
        if (list.count == 0) return stones_left(p);
        state = state * 1664525u + 1013904223u;
        take_group(p, list, static_cast<int>((state >> 8) % static_cast<std::uint32_t>(list.count)));
    }
}

struct Spread {
    double mean;
    double deviation;
};

Spread spread_of(const std::vector<int>& values) {
    double sum = 0;
    for (int v : values) sum += v;
    const double mean = sum / static_cast<double>(values.size());
    double squares = 0;
    for (int v : values) squares += (v - mean) * (v - mean);
    return Spread{mean, std::sqrt(squares / static_cast<double>(values.size()))};
}

void run_size(const Size& size, int form, int boards) {
    if (boards <= 0) return;
    std::vector<int> hinted, largest, random;
    std::vector<double> times_ms;
    int cleared = 0;
    for (int b = 0; b < boards; ++b) {
        const std::uint32_t number = FIRST_BOARD + static_cast<std::uint32_t>(b);
        const Position p = dealt(size, form, number);
        hinted.push_back(play_by_hint(p, times_ms));
        cleared += hinted.back() == 0;
        largest.push_back(play_largest(p));
        random.push_back(play_random(p, number));
    }
    std::sort(times_ms.begin(), times_ms.end());
    const Spread h = spread_of(hinted), l = spread_of(largest), r = spread_of(random);
    std::printf("| %d x %d, %d colours | %d | %.1f ± %.1f (%d cleared) | %.1f ± %.1f | %.1f ± %.1f | %.1f ms | %.1f ms |\n",
                size.columns, size.rows, size.colours, boards, h.mean, h.deviation, cleared, l.mean, l.deviation,
                r.mean, r.deviation, times_ms[times_ms.size() / 2], times_ms.back());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int boards = argc > 1 ? std::atoi(argv[1]) : 100;
    const int largest_boards = argc > 2 ? std::atoi(argv[2]) : boards;
    const int form = argc > 3 ? std::atoi(argv[3]) : 1;
    std::printf("%s stones, boards %u.., hint budget %ld moves\n\n", form != 0 ? "round" : "square", FIRST_BOARD,
                HINT_MOVE_BUDGET);
    std::printf("| board | boards | stones left, hint | largest group | random group | hint per move, median | worst |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Size& size : SIZES) run_size(size, form, size.columns == 31 ? largest_boards : boards);
    return 0;
}
