// The hint search. Every group that can be taken now is a candidate; each
// is judged by playing games on from the position it leaves, and the fewest
// stones left at the end of any of them is its worth. The games are played
// by a simple rule that works well here: keep the colour that has the most
// stones for last (its stones gather into large groups as the others go)
// and take one of the other colours' groups at random; only when no such
// group is left, take the largest of those left. The budget is shared out
// in rounds: all candidates get the same work in a round, and the better
// half goes on to the next, which gives each survivor twice as much.
#include "engine/hint.h"

#include <algorithm>
#include <vector>

namespace {

// A xorshift generator of the search's own, started from the same value
// for every search: its draws never touch the game's generator.
struct SearchRandom {
    std::uint32_t state = 0x9E3779B9u;
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

int most_common_colour(const Position& p) {
    int count[8] = {};
    for (int x = 0; x < p.columns; ++x)
        for (int l = 0; l < p.height[x]; ++l) ++count[p.stone[x][l]];
    int best = 1;
    for (int c = 2; c < 8; ++c)
        if (count[c] > count[best]) best = c;
    return best;
}

bool has_partner(const Position& p, int x, int l) {
    const std::uint8_t c = p.stone[x][l];
    return (l > 0 && p.stone[x][l - 1] == c) || (l + 1 < p.height[x] && p.stone[x][l + 1] == c) ||
           (x > 0 && l < p.height[x - 1] && p.stone[x - 1][l] == c) ||
           (x + 1 < p.columns && l < p.height[x + 1] && p.stone[x + 1][l] == c);
}

struct Playout {
    SearchRandom& random;
    int kept_colour;
    long& moves;
    GroupList& list;

    // From a random stone on, column by column, the first stone of another
    // colour than the kept one that has a neighbour of its colour: a group
    // found without labelling the whole board, as most moves of a game are
    // made while many groups stand. False when there is none.
    bool other_colour(const Position& p, int& column, int& level) const {
        int used = 0;
        while (used < p.columns && p.height[used] > 0) ++used;
        if (used == 0) return false;
        const int start = random.below(used);
        const int start_level = random.below(p.height[start]);
        // The start column's stones below the random one come last.
        for (int i = 0; i <= used; ++i) {
            const int x = (start + i) % used;
            const int from = i == 0 ? start_level : 0;
            const int to = i == used ? start_level : p.height[x];
            for (int l = from; l < to; ++l) {
                if (p.stone[x][l] == kept_colour || !has_partner(p, x, l)) continue;
                column = x;
                level = l;
                return true;
            }
        }
        return false;
    }

    // Plays `p` to its end; the stones left.
    int run(Position p) const {
        for (;;) {
            ++moves;
            int column = 0, level = 0;
            if (other_colour(p, column, level)) {
                take_group_at(p, column, level);
                continue;
            }
            find_groups(p, list);
            if (list.count == 0) return stones_left(p);
            take_group(p, list, largest_group(list));
        }
    }
};

struct Candidate {
    int group;
    Position after;
    int best;  // fewest stones left seen so far
};

}  // namespace

HintResult search_hint(const Position& position, long move_budget) {
    HintResult result{false, 0, 0, 0, 0};
    GroupList root;
    GroupList scratch;
    find_groups(position, root);
    if (root.count == 0) return result;

    std::vector<Candidate> candidates;
    candidates.reserve(static_cast<std::size_t>(root.count));
    for (int i = 0; i < root.count; ++i) {
        Position after = position;
        take_group(after, root, i);
        candidates.push_back(Candidate{i, after, stones_left(after) + 1});
        ++result.moves;
    }

    SearchRandom random;
    Playout playout{random, most_common_colour(position), result.moves, scratch};
    int rounds = 1;
    for (std::size_t n = candidates.size(); n > 1; n = (n + 1) / 2) ++rounds;
    const long per_round = move_budget / rounds;

    std::size_t alive = candidates.size();
    for (int round = 0; round < rounds; ++round) {
        const long share = std::max(1L, per_round / static_cast<long>(alive));
        for (std::size_t c = 0; c < alive; ++c) {
            Candidate& candidate = candidates[c];
            const long start = result.moves;
            do {
                candidate.best = std::min(candidate.best, playout.run(candidate.after));
            } while (result.moves - start < share && candidate.best > 0);
        }
        // The better half goes on; among equals the earlier group stays first.
        std::stable_sort(candidates.begin(), candidates.begin() + static_cast<long>(alive),
                         [](const Candidate& a, const Candidate& b) { return a.best < b.best; });
        if (alive == 1 || candidates[0].best == 0) break;
        alive = (alive + 1) / 2;
    }

    const PlayableGroup& chosen = root.groups[candidates[0].group];
    result.found = true;
    result.column = chosen.column;
    result.level = chosen.level;
    result.stones_left = candidates[0].best;
    return result;
}

bool find_hint(int& column, int& row) {
    const Position position = position_of_board();
    const HintResult hint = search_hint(position, HINT_MOVE_BUDGET);
    if (!hint.found) return false;
    column = hint.column + 1;
    row = board_row_of(position, hint.level);
    return true;
}
