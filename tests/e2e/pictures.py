"""The pictures the game should show, drawn by the stone painter natively.

`glimmets_art picture FORM STONE_SIZE SIDE FILE [symbols]` (the native
build's tool, E2E_ART) writes the strip of the eleven pictures the program
draws for a board: slot 0 the blank, 1 to 6 the stones of colours 1 to 6
(with their symbols when asked), 7 to 10 the burst frames. A cell of the screen is drawn sharp at its side when its pixels
are exactly one of these pictures.

    strip = expected_strip(round=True, stone_size=24, side=36)
    image = game.capture()
    assert cell_slot(image, strip, column=3, row=5) in STONE_SLOTS
"""
import os
import subprocess
import tempfile

from harness import Image

ART = os.environ.get("E2E_ART", "")
BLANK_SLOT = 0
STONE_SLOTS = range(1, 7)
BURST_SLOTS = range(7, 11)
SLOTS = 11


class Strip:
    """The eleven pictures of one look; cell(slot) is a picture's RGB bytes,
    row after row, as Image.block() gives a square of the screen."""

    def __init__(self, image, side):
        self.side = side
        self._cells = [image.block(slot * side, 0, side) for slot in range(SLOTS)]

    def cell(self, slot):
        return self._cells[slot]


_strips = {}


def expected_strip(round, stone_size, side, symbols=False):
    """The strip the painter draws for that form, chosen stone size and side
    (and with the stones' symbols)."""
    key = (bool(round), stone_size, side, symbols)
    if key not in _strips:
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "strip.ppm")
            subprocess.run([ART, "picture", "round" if round else "square", str(stone_size), str(side), path,
                            *(["symbols"] if symbols else [])], check=True, timeout=60)
            _strips[key] = Strip(Image(path), side)
    return _strips[key]


def cell_slot(image, strip, column, row):
    """The slot whose picture the cell (1-based) of a client-area capture
    shows exactly, or None when it matches none of them."""
    side = strip.side
    shown = image.block((column - 1) * side, (row - 1) * side, side)
    for slot in range(SLOTS):
        if strip.cell(slot) == shown:
            return slot
    return None


def unmatched_cells(image, strip, columns, rows, allowed=range(SLOTS)):
    """The cells (column, row) whose pixels are not exactly one of the
    allowed pictures."""
    return [(column, row) for column in range(1, columns + 1) for row in range(1, rows + 1)
            if cell_slot(image, strip, column, row) not in allowed]
