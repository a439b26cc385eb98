// The board view: the stone pictures of the chosen form drawn at the side in
// use, the drawing of the grid onto the main window (all of it, or the part
// the system asks to be painted again). The window's size and place are the
// screen's business (screen.cpp).
//
// The eleven pictures of a board are drawn by the stone painter (art/) into
// one strip (picture k at x = k * side), a 32-bit DIB section selected once
// into a memory context kept for the whole run, so that a paint makes one
// plain copy per cell and no select. Under Wine a select costs 7 to 90 us
// while a copy costs under 1 us: a select per cell would make a 31 x 31 paint
// tens of milliseconds long.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>

#include "art/strip.h"
#include "control/board_overlay.h"
#include "control/game.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"

namespace {

HBITMAP stone_strip = nullptr;
int strip_side = 0;
// A memory context that holds the strip for the whole run.
HDC strip_context = nullptr;

// A top-down 32-bit DIB section holding the strip drawn for `look`, or null.
HBITMAP make_strip(const StoneLook& look) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = STRIP_SLOTS * look.side;
    info.bmiHeader.biHeight = -look.side;  // negative: top row first, as the painter writes
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip == nullptr || bits == nullptr || !draw_strip(look, static_cast<std::uint32_t*>(bits))) {
        if (strip != nullptr) DeleteObject(strip);
        return nullptr;
    }
    return strip;
}

int slot_of_code(std::uint8_t code) {
    if (code >= 1 && code <= 6) return code;
    switch (code) {
        case CELL_BURST_1: return SLOT_FIRST_BURST;
        case CELL_BURST_2: return SLOT_FIRST_BURST + 1;
        case CELL_BURST_3: return SLOT_FIRST_BURST + 2;
        case CELL_BURST_4: return SLOT_FIRST_BURST + 3;
        default: return SLOT_BLANK;  // removed and empty cells
    }
}

int clamp_count(int count) {
    return count < 0 ? 0 : (count > MAX_GRID_SIDE ? MAX_GRID_SIDE : count);
}

int clamp_to(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// One cell, with the overlay over it when it carries one.
void paint_cell(HDC dc, int column, int row, int size) {
    const int x = (column - 1) * size, y = (row - 1) * size;
    const int source = slot_of_code(board.cells[column][row]) * size;
    if (!draw_overlaid_cell(dc, x, y, size, strip_context, source, overlay.cells[column][row]))
        BitBlt(dc, x, y, size, size, strip_context, source, 0, SRCCOPY);
}

// The cells that meet `area` (client pixels), each one copy from the strip;
// then the part of `area` that the grid leaves uncovered (the window is
// larger than the grid, or the stones got smaller during a game) takes the
// blank's black, so no stone of an old size stays where it cannot be played.
// The cells themselves are drawn once, without flicker. The caller's context
// leaves the status bar out.
void draw_board(HWND window, HDC dc, const RECT& area) {
    const int side = strip_side;
    const int columns = clamp_count(settings.columns), rows = clamp_count(settings.rows);
    const int first_column = clamp_to(area.left / side + 1, 1, columns + 1);
    const int last_column = clamp_to((area.right - 1) / side + 1, 0, columns);
    const int first_row = clamp_to(area.top / side + 1, 1, rows + 1);
    const int last_row = clamp_to((area.bottom - 1) / side + 1, 0, rows);
    for (int column = first_column; column <= last_column; ++column)
        for (int row = first_row; row <= last_row; ++row) paint_cell(dc, column, row, side);
    RECT client{};
    GetClientRect(window, &client);
    const int grid_width = columns * side, grid_height = rows * side;
    HBRUSH background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));  // the blank cell's colour
    const RECT around[2] = {{grid_width, 0, client.right, grid_height}, {0, grid_height, client.right, client.bottom}};
    for (const RECT& part : around) {
        RECT fill{};
        if (IntersectRect(&fill, &part, &area)) FillRect(dc, &fill, background);
    }
}

}  // namespace

bool load_stone_pictures(int side) {
    if (side < SMALLEST_SIDE || side > LARGEST_SIDE) return false;  // keep the set in use
    const StoneLook look{settings.form != 0 ? StoneForm::round : StoneForm::square, settings.stone_size, side,
                         view_options.symbols};
    HBITMAP strip = make_strip(look);
    if (strip == nullptr) return false;
    if (strip_context == nullptr) strip_context = CreateCompatibleDC(nullptr);
    if (strip_context == nullptr) {
        DeleteObject(strip);
        return false;
    }
    SelectObject(strip_context, strip);  // releases the previous strip from the context
    if (stone_strip != nullptr) DeleteObject(stone_strip);
    stone_strip = strip;
    strip_side = side;
    return true;
}

int stone_side() { return strip_side; }

void paint_board(HWND window) {
    if (window == nullptr || stone_strip == nullptr) return;  // a null window would mean the screen
    // Children clipped: a board drawn larger than the window (the stone size grew
    // during a game) must not paint over the status bar.
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPCHILDREN);
    if (dc == nullptr) return;
    refresh_overlay();  // the outline follows the board as it stands now
    RECT client{};
    GetClientRect(window, &client);
    draw_board(window, dc, client);
    note_overlay_drawn();
    ReleaseDC(window, dc);
}

void paint_overlay_changes(HWND window) {
    if (window == nullptr || stone_strip == nullptr) return;
    const int columns = clamp_count(settings.columns), rows = clamp_count(settings.rows);
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPCHILDREN);
    if (dc == nullptr) return;
    for (int column = 1; column <= columns; ++column)
        for (int row = 1; row <= rows; ++row)
            if (overlay_changed_at(column, row)) paint_cell(dc, column, row, strip_side);
    note_overlay_drawn();
    ReleaseDC(window, dc);
}

void paint_invalid_board(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (dc == nullptr) return;
    if (stone_strip != nullptr) {
        // The status bar paints itself: leave it out.
        RECT bar{};
        if (status_bar != nullptr && GetWindowRect(status_bar, &bar)) {
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar), 2);
            ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
        }
        draw_board(window, dc, paint.rcPaint);
    }
    EndPaint(window, &paint);
}
