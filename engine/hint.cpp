// The hint search. Positions are judged by how scattered their stones are
// (engine/position.h: about 1 for a group whatever its size, 3 for a lone
// stone), and a colour down to a single stone, which can never go, counts
// 1000 more. Lower is better. The greedy line of a position tries every
// group at each step and goes on from the best-judged position, to the end
// of the game.
//
// Every group that can be taken now is a candidate. In the order of the
// positions they leave, best-judged first, each candidate is played out by
// the greedy line from there, and the one whose line leaves the fewest
// stones is the hint. That line is the greedy line of the position the hint
// leads to, which the next search plays again as its first candidate: a
// line found is not lost from one hint to the next, budget allowing. When
// every candidate is played out with moves to spare, beams of 2, 4, 8...
// lines run from the position: at each step all groups of every line are
// tried and the best-judged distinct positions go on. A line found this way
// that leaves fewer stones gives the hint instead.
//
// The work is counted in moves played, never above the budget, and the
// search draws on no generator: the same position gives the same hint on
// any machine. A judgement after a move is worked out from the one before
// it over the cells the move changed, not over the whole board.
#include "engine/hint.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int SINGLE_STONE_COLOUR = 1000;
constexpr int WIDEST_BEAM = 256;

// A position on a line of the search, with what judging it needs: the
// stones of each colour and their scatter. `first` is the group the line
// took first (column << 8 | level), or -1 at its start.
struct Line {
    Position position;
    int count[8];
    int scatter;
    int first;
};

int judgement(const Line& line) {
    int singles = 0;
    for (int c : line.count) singles += c == 1;
    return line.scatter + SINGLE_STONE_COLOUR * singles;
}

Line line_from(const Position& p) {
    Line line{p, {}, scatter(p), -1};
    for (int x = 0; x < p.columns; ++x)
        for (int l = 0; l < p.height[x]; ++l) ++line.count[p.stone[x][l]];
    return line;
}

// One way on from a line: the group taken and the judgement it leads to.
struct Step {
    int judged;
    int line;
    std::uint8_t column;
    std::uint8_t level;
};

bool step_before(const Step& a, const Step& b) {
    if (a.judged != b.judged) return a.judged < b.judged;
    if (a.line != b.line) return a.line < b.line;
    if (a.column != b.column) return a.column < b.column;
    return a.level < b.level;
}

std::uint64_t hash_of(const Position& p) {
    std::uint64_t h = 14695981039346656037ull ^ p.rng;
    for (int x = 0; x < p.columns; ++x) {
        h = (h ^ (0x100u | p.height[x])) * 1099511628211ull;
        for (int l = 0; l < p.height[x]; ++l) h = (h ^ p.stone[x][l]) * 1099511628211ull;
    }
    return h;
}

// The end of the best line a search reached: the stones left and the group
// that line took first; -1 stones while no line has ended.
struct End {
    int stones = -1;
    int first = -1;
    void offer(int left, int group) {
        if (stones < 0 || left < stones) {
            stones = left;
            first = group;
        }
    }
};

class Search {
  public:
    explicit Search(long budget) : budget_(budget) {}

    long moves() const { return moves_; }
    bool spent() const { return moves_ >= budget_; }

    // Takes the group at (column, level) of `from` into `to`, judging the
    // position anew over what the move changed; false, with nothing played,
    // once the budget is spent.
    bool play(const Line& from, Line& to, int column, int level) {
        if (spent()) return false;
        ++moves_;
        to = from;
        const std::uint8_t colour = from.position.stone[column][level];
        MoveSpan span;
        to.count[colour] -= take_group_at(to.position, column, level, span);
        to.scatter = scatter_after(from.position, from.scatter, to.position, span);
        if (to.first < 0) to.first = column << 8 | level;
        return true;
    }

    // Runs a beam of `width` lines from `start` until every line has ended,
    // offering each end to `end`. False when the budget ran out first. Sets
    // `narrow` when no step had more distinct positions than the beam holds:
    // a wider beam would then see nothing more.
    bool beam(const Line& start, int width, End& end, bool& narrow) {
        lines_.assign(1, start);
        narrow = true;
        while (!lines_.empty()) {
            steps_.clear();
            for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
                const Line& line = lines_[i];
                find_groups(line.position, groups_);
                if (groups_.count == 0) end.offer(stones_left(line.position), line.first);
                for (int g = 0; g < groups_.count; ++g) {
                    const PlayableGroup& group = groups_.groups[g];
                    if (!play(line, next_line_, group.column, group.level)) return false;
                    steps_.push_back(Step{judgement(next_line_), i, group.column, group.level});
                }
            }
            if (!keep_best(width, narrow)) return false;
        }
        return true;
    }

  private:
    // Replaces the lines by those of the `width` best steps, once each
    // position. False when the budget ran out.
    bool keep_best(int width, bool& narrow) {
        const std::size_t kept = std::min(steps_.size(), static_cast<std::size_t>(width));
        if (steps_.size() > kept) narrow = false;
        std::partial_sort(steps_.begin(), steps_.begin() + static_cast<long>(kept), steps_.end(), step_before);
        next_.clear();
        hashes_.clear();
        for (std::size_t s = 0; s < kept; ++s) {
            next_.emplace_back();
            if (!play(lines_[steps_[s].line], next_.back(), steps_[s].column, steps_[s].level)) return false;
            hashes_.push_back(Hashed{hash_of(next_.back().position), static_cast<int>(s)});
        }
        // Transposed moves reach the same position: it goes on once.
        std::sort(hashes_.begin(), hashes_.end());
        lines_.clear();
        for (std::size_t h = 0; h < hashes_.size(); ++h)
            if (h == 0 || hashes_[h].hash != hashes_[h - 1].hash) lines_.push_back(next_[hashes_[h].index]);
        return true;
    }

    struct Hashed {
        std::uint64_t hash;
        int index;
        bool operator<(const Hashed& other) const {
            return hash != other.hash ? hash < other.hash : index < other.index;
        }
    };

    long budget_;
    long moves_ = 0;
    GroupList groups_{};
    Line next_line_{};
    std::vector<Line> lines_, next_;
    std::vector<Step> steps_;
    std::vector<Hashed> hashes_;
};

struct Candidate {
    int judged;
    Line after;
};

}  // namespace

HintResult search_hint(const Position& position, long move_budget) {
    HintResult result{false, 0, 0, -1, 0};
    GroupList root;
    find_groups(position, root);
    if (root.count == 0) return result;

    Search search(move_budget);
    const Line start = line_from(position);
    std::vector<Candidate> candidates;
    for (int g = 0; g < root.count; ++g) {
        Candidate candidate{};
        if (!search.play(start, candidate.after, root.groups[g].column, root.groups[g].level)) break;
        candidate.judged = judgement(candidate.after);
        candidates.push_back(candidate);
    }
    // With no move to spend at all, the first group found.
    int chosen = root.groups[0].column << 8 | root.groups[0].level;
    End best;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.judged < b.judged; });
    if (!candidates.empty()) chosen = candidates[0].after.first;

    // Each candidate's greedy line, best-judged first.
    bool narrow = true;
    std::size_t played = 0;
    for (; played < candidates.size() && best.stones != 0; ++played)
        if (!search.beam(candidates[played].after, 1, best, narrow)) break;
    if (best.stones >= 0) chosen = best.first;

    // Moves to spare: wider beams from the position itself.
    if (played == candidates.size() && candidates.size() == static_cast<std::size_t>(root.count)) {
        narrow = false;
        for (int width = 2; width <= WIDEST_BEAM && best.stones != 0 && !narrow; width *= 2) {
            End wider;
            const bool ended = search.beam(start, width, wider, narrow);
            if (wider.stones >= 0 && wider.stones < best.stones) best = wider;
            if (!ended) break;
        }
        chosen = best.first;
    }

    result.found = true;
    result.column = chosen >> 8;
    result.level = chosen & 0xFF;
    result.stones_left = best.stones;
    result.moves = search.moves();
    return result;
}

namespace {

// The last hint searched on the game's position, with that position.
struct KeptHint {
    bool kept;
    Position position;
    HintResult hint;
};
KeptHint kept_hint;

}  // namespace

bool hint_kept() { return kept_hint.kept && same_position(kept_hint.position, position_of_board()); }

bool find_hint(int& column, int& row) {
    if (!hint_kept()) {
        const Position position = position_of_board();
        kept_hint = KeptHint{true, position, search_hint(position, HINT_MOVE_BUDGET)};
    }
    const HintResult& hint = kept_hint.hint;
    if (!hint.found) return false;
    column = hint.column + 1;
    row = board_row_of(kept_hint.position, hint.level);
    return true;
}

void forget_hint() { kept_hint.kept = false; }
