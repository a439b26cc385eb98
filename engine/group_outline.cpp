// Finding a group for the view and tracing its outline. Unlike mark_group,
// which takes the group off the board, this only reads the Board: it runs
// between moves and while a move is drawn.
#include "engine/group_outline.h"

#include "storage/game_settings.h"

namespace {

struct StackCell {
    std::uint8_t column;
    std::uint8_t row;
};

StackCell group_stack[(BOARD_SPAN - 2) * (BOARD_SPAN - 2)];

bool on_grid(int column, int row) {
    return column >= 1 && column <= settings.columns && row >= 1 && row <= settings.rows &&
           settings.columns < BOARD_SPAN - 1 && settings.rows < BOARD_SPAN - 1;
}

// Cells of the border ring count as outside every group.
bool in_group(const Group& group, int column, int row) { return group.member[column][row] != 0; }

}  // namespace

void find_group(int column, int row, Group& group) {
    group = Group{};
    if (!on_grid(column, row) || !is_colour(board.cells[column][row])) return;
    const std::uint8_t code = board.cells[column][row];
    int depth = 0;
    auto take = [&](int x, int y) {
        if (!on_grid(x, y) || group.member[x][y] != 0 || board.cells[x][y] != code) return;
        group.member[x][y] = 1;
        ++group.size;
        group_stack[depth++] = StackCell{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    };
    take(column, row);
    while (depth > 0) {
        const StackCell c = group_stack[--depth];
        take(c.column - 1, c.row);
        take(c.column, c.row - 1);
        take(c.column + 1, c.row);
        take(c.column, c.row + 1);
    }
}

void add_outline(const Group& group, CellPlane& plane) {
    for (int x = 1; x < BOARD_SPAN - 1; ++x)
        for (int y = 1; y < BOARD_SPAN - 1; ++y) {
            if (!in_group(group, x, y)) continue;
            const bool left = in_group(group, x - 1, y), right = in_group(group, x + 1, y);
            const bool up = in_group(group, x, y - 1), down = in_group(group, x, y + 1);
            std::uint16_t parts = OUTLINE_INSIDE;
            if (!left) parts |= OUTLINE_LEFT;
            if (!up) parts |= OUTLINE_TOP;
            if (!right) parts |= OUTLINE_RIGHT;
            if (!down) parts |= OUTLINE_BOTTOM;
            if (left && up && !in_group(group, x - 1, y - 1)) parts |= OUTLINE_TOP_LEFT;
            if (right && up && !in_group(group, x + 1, y - 1)) parts |= OUTLINE_TOP_RIGHT;
            if (left && down && !in_group(group, x - 1, y + 1)) parts |= OUTLINE_BOTTOM_LEFT;
            if (right && down && !in_group(group, x + 1, y + 1)) parts |= OUTLINE_BOTTOM_RIGHT;
            plane.cells[x][y] |= parts;
        }
}
