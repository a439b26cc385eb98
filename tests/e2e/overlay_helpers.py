"""Reading what the game draws over its stones from a capture of the board:
the outline of a group (a white band along each side where the group ends)
and the keyboard cursor (yellow corner brackets inside its cell), and what
the rules say the outline of a group must be. Cells are 0-based (column,
row), as in rules.py."""
import subprocess

import rules

WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
SIDES = (("L", (-1, 0)), ("T", (0, -1)), ("R", (1, 0)), ("B", (0, 1)))


def band_width(size):
    """The outline's band, in pixels, at a stone side."""
    return size // 8 if size >= 24 else 2


def outline_sides(image, columns, rows, size):
    """{cell: sides} for every cell along whose sides a white band runs
    (the corners left out: they belong to two sides)."""
    t = band_width(size)
    found = {}
    for c in range(columns):
        for r in range(rows):
            x0, y0 = c * size, r * size
            edges = {"L": [(x0 + k, y0 + i) for i in range(t, size - t) for k in range(t)],
                     "T": [(x0 + i, y0 + k) for i in range(t, size - t) for k in range(t)],
                     "R": [(x0 + size - 1 - k, y0 + i) for i in range(t, size - t) for k in range(t)],
                     "B": [(x0 + i, y0 + size - 1 - k) for i in range(t, size - t) for k in range(t)]}
            sides = "".join(name for name, _ in SIDES if all(image.pixel(x, y) == WHITE for x, y in edges[name]))
            if sides:
                found[(c, r)] = sides
    return found


def expected_outline(grid, column, row):
    """The sides the outline of the group at (column, row) passes, by the
    rules; nothing for a lone stone or an empty cell."""
    group = rules.group_at(grid, column, row)
    if len(group) < 2:
        return {}
    out = {}
    for c, r in group:
        sides = "".join(name for name, (dc, dr) in SIDES if (c + dc, r + dr) not in group)
        if sides:
            out[(c, r)] = sides
    return out


def cursor_cells(image, columns, rows, size):
    """The cells that show the cursor's yellow."""
    return [(c, r) for c in range(columns) for r in range(rows)
            if any(image.pixel(c * size + x, r * size + y) == YELLOW for x in range(size) for y in range(size))]


def point_at(game, column, row):
    """Moves the pointer (a real move) to the middle of a cell."""
    ox, oy = game.rect()["client_origin"]
    size = game.stone_size()
    subprocess.run(["xdotool", "mousemove", str(ox + column * size + size // 2),
                    str(oy + row * size + size // 2)], check=True, timeout=20)


def point_away():
    """Moves the pointer to the screen's corner, off any board."""
    subprocess.run(["xdotool", "mousemove", "0", "0"], check=True, timeout=20)
