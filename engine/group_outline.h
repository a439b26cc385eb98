// The group that a stone belongs to, found without touching the Board, and
// the outline drawn round it: for each cell of the group, the sides where the
// outline passes (the neighbour across that side is not in the group) and the
// inner corners it turns round, so that the view draws the group as one shape.
#pragma once

#include <cstdint>

#include "engine/board.h"

// The stones of one group: `member` is 1 for each cell of it.
struct Group {
    int size;  // 0 when the cell holds no stone
    std::uint8_t member[BOARD_SPAN][BOARD_SPAN];
};

// Parts of the outline in one cell, as bits.
enum OutlinePart : std::uint16_t {
    OUTLINE_LEFT = 1u << 0,
    OUTLINE_TOP = 1u << 1,
    OUTLINE_RIGHT = 1u << 2,
    OUTLINE_BOTTOM = 1u << 3,
    // An inner corner: the neighbours on both its sides are in the group and
    // the diagonal one is not, so the outline turns round that corner of the cell.
    OUTLINE_TOP_LEFT = 1u << 4,
    OUTLINE_TOP_RIGHT = 1u << 5,
    OUTLINE_BOTTOM_LEFT = 1u << 6,
    OUTLINE_BOTTOM_RIGHT = 1u << 7,
    OUTLINE_INSIDE = 1u << 8,  // the cell is part of an outlined group
};

// One bit set of OutlinePart (and of the view's own bits) per cell.
struct CellPlane {
    std::uint16_t cells[BOARD_SPAN][BOARD_SPAN];
};

// The group of the stone at (column, row) within the playing area: the stones
// of its colour connected to it by their sides. A cell outside the grid or
// holding no stone (empty, removed, bursting) gives an empty group.
void find_group(int column, int row, Group& group);

// Adds the outline of `group` to `plane`.
void add_outline(const Group& group, CellPlane& plane);
