// Positions for the hint search: the game's Board read into columns of
// stones, the groups found in one pass, and a move played as the game plays
// it. The rolls follow the game's scan (engine/roll.cpp): the first column
// from the left whose top stone stands two or more above a neighbour column
// rolls it, a draw of the generator choosing the side only when both sides
// are free, and the scan resumes one column left of the two that changed.
#include "engine/position.h"

#include <algorithm>
#include <cstring>

#include "engine/board.h"
#include "storage/game_settings.h"

namespace {

struct StackCell {
    std::uint8_t column;
    std::uint8_t level;
};

// A fill from (column, level) through the sides of the stones: `claim` is
// asked about each stone reached and returns true when it takes it, having
// made sure it will not take it twice. Returns the stones taken.
template <typename Claim>
int fill_from(const Position& p, int column, int level, Claim claim) {
    StackCell stack[POSITION_SIDE * POSITION_SIDE];
    int depth = 0, taken = 0;
    auto visit = [&](int x, int l) {
        if (x < 0 || x >= p.columns || l < 0 || l >= p.height[x] || !claim(x, l)) return;
        stack[depth++] = StackCell{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(l)};
        ++taken;
    };
    visit(column, level);
    while (depth > 0) {
        const StackCell c = stack[--depth];
        visit(c.column - 1, c.level);
        visit(c.column + 1, c.level);
        visit(c.column, c.level - 1);
        visit(c.column, c.level + 1);
    }
    return taken;
}

int rng_draw(std::uint32_t& state) {
    state = state * 22695477u + 1u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

// Widens the span to every cell a roll changed.
void roll(Position& p, MoveSpan& span) {
    int x = 0;
    while (x < p.columns) {
        const int h = p.height[x];
        const bool left = x > 0 && p.height[x - 1] + 2 <= h;
        const bool right = x + 1 < p.columns && p.height[x + 1] + 2 <= h;
        if (!left && !right) {
            ++x;
            continue;
        }
        const bool to_right = left && right ? (rng_draw(p.rng) & 1) != 0 : right;
        const int target = to_right ? x + 1 : x - 1;
        const int landing = p.height[target];
        p.stone[target][p.height[target]++] = p.stone[x][--p.height[x]];
        const int changed = to_right ? x : x - 1;
        if (changed < span.first) span.first = changed;
        if (changed + 1 > span.last) span.last = changed + 1;
        if (landing < span.level) span.level = landing;
        x = changed > 0 ? changed - 1 : 0;
    }
}

// Columns left with no stone go to the right end, the others keep their order.
void close_columns(Position& p, int first) {
    int to = first;
    for (int x = first; x < p.columns; ++x) {
        if (p.height[x] == 0) continue;
        if (to != x) {
            p.height[to] = p.height[x];
            for (int l = 0; l < p.height[x]; ++l) p.stone[to][l] = p.stone[x][l];
        }
        ++to;
    }
    for (; to < p.columns; ++to) p.height[to] = 0;
}

}  // namespace

Position position_of_board() {
    Position p{};
    p.columns = settings.columns;
    p.rows = settings.rows;
    p.round = settings.form != 0;
    p.rng = rng_state();
    for (int x = 0; x < p.columns; ++x) {
        int h = 0;
        for (int y = p.rows; y >= 1; --y) {
            const std::uint8_t code = board.cells[x + 1][y];
            if (!is_colour(code)) break;
            p.stone[x][h++] = code;
        }
        p.height[x] = static_cast<std::uint8_t>(h);
    }
    return p;
}

void find_groups(const Position& p, GroupList& list) {
    list.count = 0;
    for (int x = 0; x < p.columns; ++x)
        for (int l = 0; l < p.rows; ++l) list.label[x][l] = GroupList::NO_GROUP;
    // Cells already visited in a lone stone's search are left unlabelled;
    // `seen` keeps them from being searched again.
    bool seen[POSITION_SIDE][POSITION_SIDE] = {};
    for (int x = 0; x < p.columns; ++x)
        for (int l = 0; l < p.height[x]; ++l) {
            if (seen[x][l]) continue;
            const std::uint8_t colour = p.stone[x][l];
            const auto index = static_cast<std::uint16_t>(list.count);
            const int size = fill_from(p, x, l, [&](int cx, int cl) {
                if (seen[cx][cl] || p.stone[cx][cl] != colour) return false;
                seen[cx][cl] = true;
                list.label[cx][cl] = index;
                return true;
            });
            if (size == 1) {
                list.label[x][l] = GroupList::NO_GROUP;
                continue;
            }
            list.groups[list.count++] = PlayableGroup{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(l),
                                                      colour, static_cast<std::uint16_t>(size)};
        }
}

namespace {

// Compacts the columns first..last, whose taken stones hold 0, then closes
// up those left empty and lets the stones roll.
MoveSpan settle(Position& p, int first, int last, int level) {
    int first_emptied = p.columns, emptied = 0;
    for (int x = first; x <= last; ++x) {
        int kept = 0;
        const int h = p.height[x];
        for (int l = 0; l < h; ++l)
            if (p.stone[x][l] != 0) p.stone[x][kept++] = p.stone[x][l];
        p.height[x] = static_cast<std::uint8_t>(kept);
        if (kept == 0) {
            ++emptied;
            if (x < first_emptied) first_emptied = x;
        }
    }
    if (first_emptied < p.columns) close_columns(p, first_emptied);
    MoveSpan span{first, last - emptied, emptied, emptied > 0 ? 0 : level};
    if (p.round) roll(p, span);
    return span;
}

}  // namespace

int take_group(Position& p, const GroupList& list, int index) {
    const PlayableGroup& g = list.groups[index];
    return take_group_at(p, g.column, g.level);
}

int take_group_at(Position& p, int column, int level) {
    MoveSpan span;
    return take_group_at(p, column, level, span);
}

int take_group_at(Position& p, int column, int level, MoveSpan& span) {
    const std::uint8_t colour = p.stone[column][level];
    int first = column, last = column, lowest = level;
    const int taken = fill_from(p, column, level, [&](int x, int l) {
        if (p.stone[x][l] != colour) return false;
        p.stone[x][l] = 0;
        if (x < first) first = x;
        if (x > last) last = x;
        if (l < lowest) lowest = l;
        return true;
    });
    span = settle(p, first, last, lowest);
    return taken;
}

int largest_group(const GroupList& list) {
    int largest = 0;
    for (int i = 1; i < list.count; ++i)
        if (list.groups[i].size > list.groups[largest].size) largest = i;
    return largest;
}

int stones_left(const Position& p) {
    int n = 0;
    for (int x = 0; x < p.columns; ++x) n += p.height[x];
    return n;
}

namespace {

constexpr int LONE_STONE = 2;

// The scatter's terms of the stones in columns lo..hi from level `from` up,
// and of the pairs with both stones among them; stones outside are only
// looked at as neighbours.
int scatter_terms(const Position& p, int lo, int hi, int from) {
    lo = std::max(lo, 0);
    hi = std::min(hi, p.columns - 1);
    int sum = 0;
    for (int x = lo; x <= hi; ++x) {
        const std::uint8_t* stones = p.stone[x];
        const std::uint8_t* left = x > 0 ? p.stone[x - 1] : stones;
        const std::uint8_t* right = x < p.columns - 1 ? p.stone[x + 1] : stones;
        const int height = p.height[x];
        const int left_height = x > 0 ? p.height[x - 1] : 0;
        const int right_height = x < p.columns - 1 ? p.height[x + 1] : 0;
        bool below = from > 0 && from < height && stones[from - 1] == stones[from];
        for (int l = from; l < height; ++l) {
            const std::uint8_t c = stones[l];
            const bool above = l + 1 < height && stones[l + 1] == c;
            const bool beside_right = l < right_height && right[l] == c;
            const bool beside_left = l < left_height && left[l] == c;
            sum += 1 - above - (beside_right && x < hi);
            if (!(above || below || beside_right || beside_left)) sum += LONE_STONE;
            below = above;
        }
    }
    return sum;
}

}  // namespace

int scatter(const Position& p) { return scatter_terms(p, 0, p.columns - 1, 0); }

// Outside the span's columns and the one beside each, and below the row
// under its level, neither a stone nor a neighbour changed: those terms stay.
int scatter_after(const Position& before, int scatter_before, const Position& after, const MoveSpan& span) {
    const int from = std::max(span.level - 1, 0);
    return scatter_before + scatter_terms(after, span.first - 1, span.last + 1, from) -
           scatter_terms(before, span.first - 1, span.last + 1 + span.closed, from);
}

bool same_position(const Position& a, const Position& b) {
    if (a.columns != b.columns || a.rows != b.rows || a.round != b.round || a.rng != b.rng) return false;
    for (int x = 0; x < a.columns; ++x)
        if (a.height[x] != b.height[x] || std::memcmp(a.stone[x], b.stone[x], a.height[x]) != 0) return false;
    return true;
}

int board_row_of(const Position& p, int level) { return p.rows - level; }
