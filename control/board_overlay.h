// What is drawn over the stones, and the keys and pointer moves that change
// it: the keyboard cursor, the outline of the group under the pointer or the
// cursor while "Show groups" is on (its size in status field 4), and a group
// marked for the player (a hint), outlined the same way until the next move.
#pragma once

#include <cstdint>

#include "control/game.h"
#include "engine/group_outline.h"

// The cursor's bit in the overlay, beside the outline parts.
constexpr std::uint16_t OVERLAY_CURSOR = 1u << 9;

enum CursorKey : int {
    CURSOR_LEFT,
    CURSOR_RIGHT,
    CURSOR_UP,
    CURSOR_DOWN,
    CURSOR_FIRST_COLUMN,  // Home
    CURSOR_LAST_COLUMN,   // End
    CURSOR_TOP_ROW,       // Page Up
    CURSOR_BOTTOM_ROW,    // Page Down
};

struct KeyboardCursor {
    Cell cell;   // column 0 until the first key shows the cursor
    bool shown;  // hidden by the pointer; the next key shows it where it was
};

extern KeyboardCursor cursor;
// The overlay as last worked out: OutlinePart bits and OVERLAY_CURSOR per cell.
extern CellPlane overlay;

// Where a key takes the cursor on a grid of columns x rows: one cell, or to
// the first or last column or row, never off the grid.
Cell cursor_moved(Cell at, CursorKey key, int columns, int rows);

// A cursor key: the first one shows the cursor on the bottom-left cell, one
// after the pointer hid it shows it where it was, any other moves it.
void on_cursor_key(CursorKey key);
// Space or Enter: a press on the cursor's cell, as a click there; while the
// cursor is hidden it is only shown, so no stone is taken unseen.
void on_cursor_press();
// The pointer over the client area at (x, y) after a real move: the cursor
// hides. The system also reports the pointer where it stands still (a window
// appeared under it): the shell passes that to on_pointer_over, which only
// notes the cell under it. on_pointer_left: it went off the client area.
void on_pointer_moved(std::uint16_t x, std::uint16_t y);
void on_pointer_over(std::uint16_t x, std::uint16_t y);
void on_pointer_left();

// Outlines the group holding `cell` (two stones or more) until the next
// accepted move, undo or new game; a hint shows its group through it.
void mark_group_at(Cell cell);
void clear_marked_group();
// The same without a draw, for the controller when the whole board is drawn next.
void forget_marked_group();

// The two options of the Options menu: each flips, its check mark follows.
void toggle_show_groups();
void toggle_symbols();

// Works the overlay out afresh from the board, the cursor, the pointer and
// the marked group, and writes the group's size into status field 4 when it
// changed. True when the overlay changed. The shell calls it before drawing.
bool refresh_overlay();
// The status bar was made anew: the group field is written again at the next refresh.
void forget_group_field();

// Back to the state of start-up (no cursor, no pointer, no mark).
void reset_board_overlay();
