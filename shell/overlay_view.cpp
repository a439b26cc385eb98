// The overlay drawn over the stones: the outline of a group and the keyboard
// cursor (control/board_overlay.cpp says which cells carry what), and the
// status bar's fifth field that shows the size of the group.
//
// A cell that carries a part of the overlay is composed off the screen (its
// stone, then the overlay over it) and copied in one piece, so nothing
// flickers: the screen never shows the stone without its overlay. Only the
// cells whose overlay changed are drawn again when the pointer or the cursor
// moves. The outline is a white band along the group's edge inside its
// stones with a black line on its inner side: the white stands out on black
// and on the dark stones, the black on the light ones. The cursor is four
// yellow corner brackets set inside its cell, so it never hides under an
// outline and reads as another shape.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>

#include <cstring>

#include "control/board_overlay.h"
#include "control/game_status.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/texts.h"

namespace {

constexpr COLORREF CURSOR_COLOUR = RGB(255, 255, 0);

CellPlane drawn;  // the overlay as it stands on the screen
HDC cell_context = nullptr;
HBITMAP cell_picture = nullptr;
int cell_side = 0;
HBRUSH cursor_brush = nullptr;

// The band of the outline and the bars of the cursor grow with the stones.
int band_width(int side) { return side >= 24 ? side / 8 : 2; }

void fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT box{left, top, right, bottom};
    FillRect(dc, &box, brush);
}

bool make_cell_picture(int side) {
    if (cell_side == side && cell_picture != nullptr) return true;
    if (cell_context == nullptr) cell_context = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, side, side);
    ReleaseDC(nullptr, screen);
    if (cell_context == nullptr || picture == nullptr) {
        if (picture != nullptr) DeleteObject(picture);
        return false;
    }
    SelectObject(cell_context, picture);
    if (cell_picture != nullptr) DeleteObject(cell_picture);
    cell_picture = picture;
    cell_side = side;
    return true;
}

// The black inner lines first, then the white bands over them: where two
// bands meet, the white covers the black, so each corner stays one shape.
void draw_outline(HDC dc, std::uint16_t parts, int side) {
    const int t = band_width(side);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    struct Side {
        std::uint16_t part;
        RECT band, line;
    };
    const Side sides[] = {
        {OUTLINE_LEFT, {0, 0, t, side}, {t, 0, t + 1, side}},
        {OUTLINE_TOP, {0, 0, side, t}, {0, t, side, t + 1}},
        {OUTLINE_RIGHT, {side - t, 0, side, side}, {side - t - 1, 0, side - t, side}},
        {OUTLINE_BOTTOM, {0, side - t, side, side}, {0, side - t - 1, side, side - t}},
    };
    // An inner corner: a square of band with the line turning round it.
    struct Corner {
        std::uint16_t part;
        int x, y;  // the corner's square, t wide
        int line_x, line_y;
    };
    const Corner corners[] = {
        {OUTLINE_TOP_LEFT, 0, 0, t, t},
        {OUTLINE_TOP_RIGHT, side - t, 0, side - t - 1, t},
        {OUTLINE_BOTTOM_LEFT, 0, side - t, t, side - t - 1},
        {OUTLINE_BOTTOM_RIGHT, side - t, side - t, side - t - 1, side - t - 1},
    };
    for (const Side& s : sides)
        if (parts & s.part) FillRect(dc, &s.line, black);
    for (const Corner& c : corners) {
        if (!(parts & c.part)) continue;
        const int left = c.x == 0 ? 0 : c.line_x, right = c.x == 0 ? c.line_x + 1 : side;
        const int top = c.y == 0 ? 0 : c.line_y, bottom = c.y == 0 ? c.line_y + 1 : side;
        fill(dc, left, c.line_y, right, c.line_y + 1, black);
        fill(dc, c.line_x, top, c.line_x + 1, bottom, black);
    }
    for (const Side& s : sides)
        if (parts & s.part) FillRect(dc, &s.band, white);
    for (const Corner& c : corners)
        if (parts & c.part) fill(dc, c.x, c.y, c.x + t, c.y + t, white);
}

// Four corner brackets inside the cell, each a yellow L on a black edge.
void draw_cursor(HDC dc, int side) {
    const int t = band_width(side), inset = t + 1;
    const int arm = (side - 2 * inset) / 3 > 2 ? (side - 2 * inset) / 3 : 2;  // the brackets never meet
    if (cursor_brush == nullptr) cursor_brush = CreateSolidBrush(CURSOR_COLOUR);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const int near_edge = inset, far_edge = side - inset;
    for (int corner = 0; corner < 4; ++corner) {
        const bool right = corner & 1, bottom = corner & 2;
        const int x0 = right ? far_edge - arm : near_edge, x1 = right ? far_edge : near_edge + arm;
        const int y0 = bottom ? far_edge - arm : near_edge, y1 = bottom ? far_edge : near_edge + arm;
        const int hy = bottom ? far_edge - t : near_edge, vx = right ? far_edge - t : near_edge;
        // The black edge: one pixel round each bar.
        fill(dc, x0 - 1, hy - 1, x1 + 1, hy + t + 1, black);
        fill(dc, vx - 1, y0 - 1, vx + t + 1, y1 + 1, black);
        fill(dc, x0, hy, x1, hy + t, cursor_brush);
        fill(dc, vx, y0, vx + t, y1, cursor_brush);
    }
}

int widest_group_text(HDC dc) {
    int widest = 0;
    for (int language : {LANGUAGE_FRENCH, LANGUAGE_ENGLISH}) {
        char text[64];
        wsprintfA(text, find_text(TXT_GROUP_SIZE + language), 961);
        SIZE size{};
        const std::wstring wide = widen(text);
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    return widest;
}

}  // namespace

bool draw_overlaid_cell(HDC dc, int x, int y, int side, HDC stones, int source_x, std::uint16_t parts) {
    if (parts == 0 || !make_cell_picture(side)) return false;
    BitBlt(cell_context, 0, 0, side, side, stones, source_x, 0, SRCCOPY);
    draw_outline(cell_context, parts, side);
    if (parts & OVERLAY_CURSOR) draw_cursor(cell_context, side);
    BitBlt(dc, x, y, side, side, cell_context, 0, 0, SRCCOPY);
    return true;
}

bool overlay_changed_at(int column, int row) { return drawn.cells[column][row] != overlay.cells[column][row]; }

void note_overlay_drawn() { drawn = overlay; }

void set_parts_with_group_field(int* edges, int count, int least) {
    if (!view_options.show_groups) {
        edges[count - 1] = -1;
        SendMessageW(status_bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges));
        return;
    }
    RECT bar{};
    GetClientRect(status_bar, &bar);
    HDC dc = GetDC(status_bar);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(status_bar, WM_GETFONT, 0, 0)));
    const int width = widest_group_text(dc) + least / 2;
    SelectObject(dc, previous);
    ReleaseDC(status_bar, dc);
    const int before = count >= 2 ? edges[count - 2] : 0;
    edges[count - 1] = bar.right - width > before + least ? bar.right - width : before + least;
    edges[count] = -1;
    SendMessageW(status_bar, SB_SETPARTS, static_cast<WPARAM>(count + 1), reinterpret_cast<LPARAM>(edges));
}
