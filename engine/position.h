// A position of the game as the hint search plays it: the stones held column
// by column from the bottom up, the form of the stones and the generator's
// state for the rolls. A move here gives the very board and the very rolls
// that the game's own move gives, without sounds, draws or waits, so that a
// search can try many moves without touching the game.
#pragma once

#include <cstdint>

constexpr int POSITION_SIDE = 31;

struct Position {
    int columns;
    int rows;
    bool round;              // round stones roll after each move
    std::uint32_t rng;       // the generator's state, as rng_next would go on from it
    std::uint8_t height[POSITION_SIDE];
    // [column][level]: level 0 is the bottom row, level height - 1 the top stone
    std::uint8_t stone[POSITION_SIDE][POSITION_SIDE];
};

// One group of two stones or more: a cell of it (0-based column and level),
// its colour and its size.
struct PlayableGroup {
    std::uint8_t column;
    std::uint8_t level;
    std::uint8_t colour;
    std::uint16_t size;
};

constexpr int MAX_GROUPS = POSITION_SIDE * POSITION_SIDE / 2;

// The groups of a position, each labelled once: `label` gives every cell the
// index of its group, or NO_GROUP for a lone stone or an empty cell.
struct GroupList {
    static constexpr std::uint16_t NO_GROUP = 0xFFFF;
    int count;
    PlayableGroup groups[MAX_GROUPS];
    std::uint16_t label[POSITION_SIDE][POSITION_SIDE];
};

// The position on the game's Board, with the game's settings and generator.
Position position_of_board();

// Finds every group of two stones or more, in the order of their first cell
// column by column from the left, each column from the bottom.
void find_groups(const Position& position, GroupList& list);

// Takes group `index` of `list` (found on this very position): the stones
// above fall, emptied columns close up to the left and, for round stones,
// stones roll off ledges as the game rolls them. Returns the stones taken.
int take_group(Position& position, const GroupList& list, int index);

// Takes the group of the stone at (column, level), which must have a
// neighbour of its colour, as take_group does. Returns the stones taken.
int take_group_at(Position& position, int column, int level);

// What a move changed, counted on the position after it: in the columns
// first..last (none when last < first) the cells from `level` up may hold
// other stones than before, and each column right of `last` holds what the
// column `closed` places further right held before the move.
struct MoveSpan {
    int first;
    int last;
    int closed;
    int level;
};
int take_group_at(Position& position, int column, int level, MoveSpan& span);

// How scattered the stones are, for judging positions: each stone counts 1
// and a lone stone (no neighbour of its colour) 2 more, and each pair of
// neighbours of one colour takes 1 off, so that a group counts about 1
// whatever its size.
int scatter(const Position& position);
// The scatter of `after`, which a move with this span made of `before`,
// worked out from the scatter of `before` over the cells the move changed.
int scatter_after(const Position& before, int scatter_before, const Position& after, const MoveSpan& span);

// The first of the largest groups of a list that holds at least one.
int largest_group(const GroupList& list);

int stones_left(const Position& position);

// The same grid, form, generator state and stones, whatever lies above the
// stones of each column.
bool same_position(const Position& a, const Position& b);

// Game coordinates (1-based, row 1 at the top) of a cell of the position.
int board_row_of(const Position& position, int level);
