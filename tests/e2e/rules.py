"""The rules of a move for square stones, re-implemented for the end-to-end
tests from the game's description, so the board on the screen after a click
can be checked against the board before it. A grid is a list of columns,
each a list of colour names from the top row down; "blank" is an empty cell.
"""
BLANK = "blank"


def group_at(grid, column, row):
    """The cells (0-based) connected to (column, row) in its colour."""
    colour = grid[column][row]
    if colour in (BLANK, None):
        return set()
    seen, todo = {(column, row)}, [(column, row)]
    while todo:
        c, r = todo.pop()
        for nc, nr in ((c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)):
            if 0 <= nc < len(grid) and 0 <= nr < len(grid[nc]) and (nc, nr) not in seen \
                    and grid[nc][nr] == colour:
                seen.add((nc, nr))
                todo.append((nc, nr))
    return seen


def apply_click(grid, column, row):
    """The grid after a press on (column, row), 0-based: the group of two or
    more goes, the stones above fall, empty columns close up to the left.
    A lone stone or an empty cell leaves the grid as it is."""
    group = group_at(grid, column, row)
    if len(group) < 2:
        return [list(col) for col in grid]
    rows = len(grid[0])
    columns = []
    for c, col in enumerate(grid):
        stones = [v for r, v in enumerate(col) if (c, r) not in group and v != BLANK]
        columns.append([BLANK] * (rows - len(stones)) + stones)
    kept = [col for col in columns if col[-1] != BLANK]
    return kept + [[BLANK] * rows for _ in range(len(grid) - len(kept))]


def remaining(grid):
    return sum(v != BLANK for col in grid for v in col)


def playable(grid):
    """Stones that have a neighbour of their own colour."""
    return sum(len(group_at(grid, c, r)) >= 2
               for c in range(len(grid)) for r in range(len(grid[c])) if grid[c][r] != BLANK)


def groups(grid):
    """Every group, largest first, each as a sorted list of cells."""
    seen, found = set(), []
    for c in range(len(grid)):
        for r in range(len(grid[c])):
            if (c, r) not in seen and grid[c][r] != BLANK:
                group = group_at(grid, c, r)
                seen |= group
                found.append(sorted(group))
    found.sort(key=lambda g: (-len(g), g))
    return found
