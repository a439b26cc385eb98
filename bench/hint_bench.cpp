// The hint's quality and cost on numbered boards. Each board is dealt by the
// game's own dealer and played to its end by several rules: always taking
// the hint, always taking the hint of the previous search (kept below as it
// was, with its budget), always taking the hint searched with ten times the
// budget (on the first boards only: it is slow), always taking the largest
// group (the first found when several are as large), and taking a group at
// random. Prints, per board size, the mean and spread of the stones left by
// each rule with the boards cleared, and the hint's time per move (median
// and worst) in processor time of its one thread, which other programs on a
// shared machine do not swell.
//
//   hint_bench [boards] [boards of 31 x 31] [form: 1 round, 0 square]
//              [boards at ten times the budget] [of them 31 x 31]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
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

// The previous search, as the program had it: every group a candidate,
// judged by the fewest stones left by random games from it that keep the
// most common colour for last; the budget shared in rounds, the better half
// going on. Its budget was not a hard bound.
namespace previous {

constexpr long BUDGET = 120000;

struct Random {
    std::uint32_t state = 0x9E3779B9u;
    int below(int n) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state % static_cast<std::uint32_t>(n));
    }
};

int most_common_colour(const Position& p) {
    int count[8] = {};
    for (int x = 0; x < p.columns; ++x)
        for (int l = 0; l < p.height[x]; ++l) ++count[p.stone[x][l]];
    return static_cast<int>(std::max_element(count + 1, count + 8) - count);
}

bool has_partner(const Position& p, int x, int l) {
    const std::uint8_t c = p.stone[x][l];
    return (l > 0 && p.stone[x][l - 1] == c) || (l + 1 < p.height[x] && p.stone[x][l + 1] == c) ||
           (x > 0 && l < p.height[x - 1] && p.stone[x - 1][l] == c) ||
           (x + 1 < p.columns && l < p.height[x + 1] && p.stone[x + 1][l] == c);
}

// From a random stone on, column by column, the first stone of another
// colour than the kept one with a neighbour of its colour.
bool other_colour(const Position& p, int kept, Random& random, int& column, int& level) {
    int used = 0;
    while (used < p.columns && p.height[used] > 0) ++used;
    if (used == 0) return false;
    const int start = random.below(used);
    const int start_level = random.below(p.height[start]);
    for (int i = 0; i <= used; ++i) {
        const int x = (start + i) % used;
        const int to = i == used ? start_level : p.height[x];
        for (int l = i == 0 ? start_level : 0; l < to; ++l)
            if (p.stone[x][l] != kept && has_partner(p, x, l)) {
                column = x;
                level = l;
                return true;
            }
    }
    return false;
}

int playout(Position p, int kept, Random& random, long& moves, GroupList& list) {
    for (;;) {
        ++moves;
        int column = 0, level = 0;
        if (other_colour(p, kept, random, column, level)) {
            take_group_at(p, column, level);
            continue;
        }
        find_groups(p, list);
        if (list.count == 0) return stones_left(p);
        take_group(p, list, largest_group(list));
    }
}

struct Candidate {
    int group;
    Position after;
    int best;
};

// The group's index in `root` (found on `position`), or -1 when none can be taken.
int hint(const Position& position, GroupList& root, GroupList& scratch) {
    find_groups(position, root);
    if (root.count == 0) return -1;
    std::vector<Candidate> candidates;
    long moves = 0;
    for (int i = 0; i < root.count; ++i) {
        Candidate c{i, position, 0};
        take_group(c.after, root, i);
        c.best = stones_left(c.after) + 1;
        candidates.push_back(c);
    }
    Random random;
    const int kept = most_common_colour(position);
    int rounds = 1;
    for (std::size_t n = candidates.size(); n > 1; n = (n + 1) / 2) ++rounds;
    std::size_t alive = candidates.size();
    for (int round = 0; round < rounds; ++round) {
        const long share = std::max(1L, BUDGET / rounds / static_cast<long>(alive));
        for (std::size_t c = 0; c < alive; ++c) {
            const long start = moves;
            do {
                candidates[c].best = std::min(candidates[c].best, playout(candidates[c].after, kept, random, moves, scratch));
            } while (moves - start < share && candidates[c].best > 0);
        }
        std::stable_sort(candidates.begin(), candidates.begin() + static_cast<long>(alive),
                         [](const Candidate& a, const Candidate& b) { return a.best < b.best; });
        if (alive == 1 || candidates[0].best == 0) break;
        alive = (alive + 1) / 2;
    }
    return candidates[0].group;
}

}  // namespace previous

Position dealt(const Size& size, int form, std::uint32_t number) {
    reset_program_state();
    settings = GameSettings{size.columns, size.rows, form, 21, LANGUAGE_ENGLISH, size.colours, 0};
    new_game_with_seed(number);
    return position_of_board();
}

int play_by_hint(Position p, long budget, std::vector<double>* times_ms) {
    GroupList list;
    for (;;) {
        const std::clock_t start = std::clock();
        const HintResult hint = search_hint(p, budget);
        const std::clock_t end = std::clock();
        if (!hint.found) return stones_left(p);
        if (times_ms != nullptr) times_ms->push_back(1000.0 * static_cast<double>(end - start) / CLOCKS_PER_SEC);
        find_groups(p, list);
        take_group(p, list, list.label[hint.column][hint.level]);
    }
}

int play_by_previous_hint(Position p) {
    static GroupList root, scratch;
    for (int group = previous::hint(p, root, scratch); group >= 0; group = previous::hint(p, root, scratch))
        take_group(p, root, group);
    return stones_left(p);
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

// "mean ± deviation (cleared)" of the stones left on each board.
std::string spread_of(const std::vector<int>& values) {
    if (values.empty()) return "–";
    double sum = 0;
    int cleared = 0;
    for (int v : values) {
        sum += v;
        cleared += v == 0;
    }
    const double mean = sum / static_cast<double>(values.size());
    double squares = 0;
    for (int v : values) squares += (v - mean) * (v - mean);
    char text[64];
    std::snprintf(text, sizeof text, "%.1f ± %.1f (%d)", mean, std::sqrt(squares / static_cast<double>(values.size())),
                  cleared);
    return text;
}

void run_size(const Size& size, int form, int boards, int tenfold_boards) {
    if (boards <= 0) return;
    std::vector<int> hinted, before, tenfold, largest, random;
    std::vector<double> times_ms;
    for (int b = 0; b < boards; ++b) {
        const std::uint32_t number = FIRST_BOARD + static_cast<std::uint32_t>(b);
        const Position p = dealt(size, form, number);
        hinted.push_back(play_by_hint(p, HINT_MOVE_BUDGET, &times_ms));
        before.push_back(play_by_previous_hint(p));
        if (b < tenfold_boards) tenfold.push_back(play_by_hint(p, 10 * HINT_MOVE_BUDGET, nullptr));
        largest.push_back(play_largest(p));
        random.push_back(play_random(p, number));
    }
    std::sort(times_ms.begin(), times_ms.end());
    std::printf("| %d × %d, %d colours | %d | %s | %s | %s | %d | %s | %s | %.1f ms | %.1f ms |\n", size.columns,
                size.rows, size.colours, boards, spread_of(before).c_str(), spread_of(hinted).c_str(),
                spread_of(tenfold).c_str(), static_cast<int>(tenfold.size()), spread_of(largest).c_str(),
                spread_of(random).c_str(), times_ms[times_ms.size() / 2], times_ms.back());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int boards = argc > 1 ? std::atoi(argv[1]) : 100;
    const int largest_boards = argc > 2 ? std::atoi(argv[2]) : boards;
    const int form = argc > 3 ? std::atoi(argv[3]) : 1;
    const int tenfold_boards = argc > 4 ? std::atoi(argv[4]) : 0;
    const int tenfold_largest = argc > 5 ? std::atoi(argv[5]) : tenfold_boards;
    std::printf("%s stones, boards %u.., hint budget %ld moves (previous search %ld)\n\n",
                form != 0 ? "round" : "square", FIRST_BOARD, HINT_MOVE_BUDGET, previous::BUDGET);
    std::printf("| board | boards | stones left (cleared): previous search | hint | hint, ten times the budget | "
                "boards | largest group | random group | hint per move, median | worst |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Size& size : SIZES) {
        const bool largest_size = size.columns == 31;
        const int n = largest_size ? largest_boards : boards;
        run_size(size, form, n, std::min(n, largest_size ? tenfold_largest : tenfold_boards));
    }
    return 0;
}
