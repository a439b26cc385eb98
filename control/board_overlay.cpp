// The overlay over the stones: the keyboard cursor, the outlines and the
// size of the group shown. Everything here is worked out from the Board as it
// stands, so an outline follows every fall, roll and closing up: the view
// asks for the overlay again at each draw of a move.
#include "control/board_overlay.h"

#include <cstring>

#include "control/game_status.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/format_text.h"
#include "storage/game_settings.h"
#include "storage/settings_sync.h"
#include "storage/texts.h"

KeyboardCursor cursor;
CellPlane overlay;

namespace {

constexpr Cell NO_CELL{0, 0};
constexpr int FIELD_UNKNOWN = -1;  // the field's text is not known: write it

Cell pointer = NO_CELL;       // the cell under the pointer, if on the grid
Cell marked = NO_CELL;        // the cell of the marked group
int group_field = FIELD_UNKNOWN;  // the size the group field shows, 0 for none
Group scratch;                // one group at a time, kept off the stack

bool on_grid(Cell cell) {
    return cell.column >= 1 && cell.column <= settings.columns && cell.row >= 1 && cell.row <= settings.rows;
}

int clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// The grid may have shrunk under the cursor since it was last moved.
void keep_cursor_on_grid() {
    if (cursor.cell.column == 0) return;
    cursor.cell.column = clamp(cursor.cell.column, 1, settings.columns);
    cursor.cell.row = clamp(cursor.cell.row, 1, settings.rows);
}

// Outlines the group at `cell` when it holds two stones or more; its size.
int outline_group_at(Cell cell, CellPlane& plane) {
    if (!on_grid(cell)) return 0;
    find_group(cell.column, cell.row, scratch);
    if (scratch.size >= 2) add_outline(scratch, plane);
    return scratch.size;
}

void show_group_field(int size) {
    if (!view_options.show_groups || size == group_field) return;
    group_field = size;
    char text[TEXT_BUFFER_SIZE] = "";
    if (size > 0) format_text(text, sizeof text, get_text(TXT_GROUP_SIZE), size);
    platform_set_status(STATUS_GROUP, text);
}

void redraw_if_changed() {
    if (refresh_overlay()) platform_draw_overlay();
}

void show_cursor() {
    if (cursor.cell.column == 0) cursor.cell = Cell{1, settings.rows};
    cursor.shown = true;
}

}  // namespace

Cell cursor_moved(Cell at, CursorKey key, int columns, int rows) {
    switch (key) {
        case CURSOR_LEFT: --at.column; break;
        case CURSOR_RIGHT: ++at.column; break;
        case CURSOR_UP: --at.row; break;
        case CURSOR_DOWN: ++at.row; break;
        case CURSOR_FIRST_COLUMN: at.column = 1; break;
        case CURSOR_LAST_COLUMN: at.column = columns; break;
        case CURSOR_TOP_ROW: at.row = 1; break;
        case CURSOR_BOTTOM_ROW: at.row = rows; break;
    }
    return Cell{clamp(at.column, 1, columns), clamp(at.row, 1, rows)};
}

void on_cursor_key(CursorKey key) {
    keep_cursor_on_grid();
    if (cursor.shown)
        cursor.cell = cursor_moved(cursor.cell, key, settings.columns, settings.rows);
    else
        show_cursor();
    redraw_if_changed();
}

void on_cursor_press() {
    keep_cursor_on_grid();
    if (!cursor.shown) {
        show_cursor();
        redraw_if_changed();
        return;
    }
    on_cell_press(cursor.cell);
}

void on_pointer_moved(std::uint16_t x, std::uint16_t y) {
    cursor.shown = false;
    on_pointer_over(x, y);
}

void on_pointer_over(std::uint16_t x, std::uint16_t y) {
    const Cell cell = hit_test(x, y);
    pointer = on_grid(cell) ? cell : NO_CELL;
    redraw_if_changed();
}

void on_pointer_left() {
    pointer = NO_CELL;
    redraw_if_changed();
}

void mark_group_at(Cell cell) {
    marked = cell;
    redraw_if_changed();
}

void clear_marked_group() {
    marked = NO_CELL;
    redraw_if_changed();
}

void forget_marked_group() { marked = NO_CELL; }

void toggle_show_groups() {
    view_options.show_groups = !view_options.show_groups;
    platform_check_menu_item(CMD_SHOW_GROUPS, view_options.show_groups);
    platform_set_status_parts();
    forget_group_field();
    redraw_if_changed();  // writes the new field, empty when no group is shown
    save_settings();      // the file follows every change
}

void toggle_symbols() {
    view_options.symbols = !view_options.symbols;
    platform_check_menu_item(CMD_SYMBOLS, view_options.symbols);
    platform_reload_pictures();
    save_settings();
}

bool refresh_overlay() {
    keep_cursor_on_grid();
    CellPlane next{};
    outline_group_at(marked, next);
    const Cell focus = cursor.shown ? cursor.cell : pointer;
    int size = 0;
    if (view_options.show_groups) size = outline_group_at(focus, next);
    if (cursor.shown) next.cells[cursor.cell.column][cursor.cell.row] |= OVERLAY_CURSOR;
    show_group_field(size >= 2 ? size : 0);
    if (std::memcmp(&next, &overlay, sizeof next) == 0) return false;
    overlay = next;
    return true;
}

void forget_group_field() { group_field = FIELD_UNKNOWN; }

void reset_board_overlay() {
    cursor = KeyboardCursor{};
    overlay = CellPlane{};
    pointer = marked = NO_CELL;
    group_field = FIELD_UNKNOWN;
}
