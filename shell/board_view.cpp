// The board view: the stone pictures of the chosen form and size, the drawing
// of the grid straight onto the main window, the window's layout with its
// status bar, and the centring that the main window and the dialogs share.
//
// The eleven pictures of a set are composed at load time into one strip
// (picture k at x = k * size), selected once into a memory context kept for
// the whole run, so that a paint makes one plain copy per cell and no select. Under Wine a select of a device-
// dependent bitmap costs about 90 us while a copy costs under 1 us: a select
// per cell would make a 31 x 31 paint some 80 ms long.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>

#include "control/board_overlay.h"
#include "control/game.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"

HWND status_bar = nullptr;

namespace {

// Slots of the strip: the blank, colours 1..6, burst frames 1..4.
constexpr int SLOT_BLANK = 0;
constexpr int SLOT_BURST_1 = 7;
constexpr int PICTURE_COUNT = 11;

// Fixed allowances of the window around the board: its frame and the status bar.
constexpr int FRAME_WIDTH = 6;
constexpr int FRAME_AND_STATUS_HEIGHT = 26;

HBITMAP stone_strip = nullptr;
int strip_side = 0;
// A memory context that holds the strip for the whole run: selecting a
// device-dependent bitmap costs far more under Wine than the 961 copies of a
// whole paint, so it is selected once per load instead of once per paint.
HDC strip_context = nullptr;

struct PictureSet {
    int colours;  // first colour picture of the form
    int blank;
    int burst;    // first burst frame
};

// The resource ids of a stone size and form; false for a size without pictures.
bool picture_set_for(int size, bool round, PictureSet& set) {
    int round_base = 0, square_base = 0, blank = 0, burst = 0;
    switch (size) {
        case 15: round_base = IDB_ROUND_15; square_base = IDB_SQUARE_15; blank = IDB_BLANK_15; burst = IDB_BURST_15; break;
        case 18: round_base = IDB_ROUND_18; square_base = IDB_SQUARE_18; blank = IDB_BLANK_18; burst = IDB_BURST_18; break;
        case 21: round_base = IDB_ROUND_21; square_base = IDB_SQUARE_21; blank = IDB_BLANK_21; burst = IDB_BURST_21; break;
        case 24: round_base = IDB_ROUND_24; square_base = IDB_SQUARE_24; blank = IDB_BLANK_24; burst = IDB_BURST_24; break;
        default: return false;
    }
    set = PictureSet{round ? round_base : square_base, blank, burst};
    return true;
}

int picture_id_of_slot(const PictureSet& set, int slot) {
    if (slot == SLOT_BLANK) return set.blank;
    if (slot < SLOT_BURST_1) return set.colours + slot - 1;
    return set.burst + slot - SLOT_BURST_1;
}

// Copies one bitmap resource into its place in the strip; a picture that
// fails to load leaves its place black.
void copy_picture_into_strip(HDC strip_dc, HDC picture_dc, int id, int slot, int size) {
    HBITMAP picture = LoadBitmapW(app_instance, MAKEINTRESOURCEW(id));
    if (picture == nullptr) return;
    HGDIOBJ previous = SelectObject(picture_dc, picture);
    BitBlt(strip_dc, slot * size, 0, size, size, picture_dc, 0, 0, SRCCOPY);
    SelectObject(picture_dc, previous);
    DeleteObject(picture);
}

HBITMAP compose_strip(const PictureSet& set, int size) {
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, PICTURE_COUNT * size, size);
    HDC strip_dc = CreateCompatibleDC(screen);
    HDC picture_dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(strip_dc, strip);
    PatBlt(strip_dc, 0, 0, PICTURE_COUNT * size, size, BLACKNESS);
    for (int slot = 0; slot < PICTURE_COUNT; ++slot)
        copy_picture_into_strip(strip_dc, picture_dc, picture_id_of_slot(set, slot), slot, size);
    SelectObject(strip_dc, previous);
    DeleteDC(picture_dc);
    DeleteDC(strip_dc);
    ReleaseDC(nullptr, screen);
    return strip;
}

int slot_of_code(std::uint8_t code) {
    if (code >= 1 && code <= 6) return code;
    switch (code) {
        case CELL_BURST_1: return SLOT_BURST_1;
        case CELL_BURST_2: return SLOT_BURST_1 + 1;
        case CELL_BURST_3: return SLOT_BURST_1 + 2;
        case CELL_BURST_4: return SLOT_BURST_1 + 3;
        default: return SLOT_BLANK;  // removed and empty cells
    }
}

int clamp_side(int count) {
    return count < 0 ? 0 : (count > MAX_GRID_SIDE ? MAX_GRID_SIDE : count);
}

// The part of the client area that the grid leaves uncovered (the stones got
// smaller during a game) takes the board's background, so no stone of the
// old size stays where it cannot be played. Only that part is filled: the
// cells themselves are drawn once, without flicker. The status bar, a child
// window, is clipped out of the context.
void clear_around_grid(HWND window, HDC dc, int grid_width, int grid_height) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));  // the blank cell's colour
    RECT right{grid_width, 0, client.right, grid_height};
    RECT below{0, grid_height, client.right, client.bottom};
    if (right.left < right.right && right.top < right.bottom) FillRect(dc, &right, background);
    if (below.top < below.bottom && below.left < below.right) FillRect(dc, &below, background);
}

// One cell, with the overlay over it when it carries one.
void paint_cell(HDC dc, int column, int row, int size) {
    const int x = (column - 1) * size, y = (row - 1) * size;
    const int source = slot_of_code(board.cells[column][row]) * size;
    if (!draw_overlaid_cell(dc, x, y, size, strip_context, source, overlay.cells[column][row]))
        BitBlt(dc, x, y, size, size, strip_context, source, 0, SRCCOPY);
}

}  // namespace

void load_stone_pictures() {
    PictureSet set{};
    int size = settings.stone_size;
    if (!picture_set_for(size, settings.form != 0, set)) return;  // keep the set in use
    HBITMAP strip = compose_strip(set, size);
    if (strip == nullptr) return;
    if (strip_context == nullptr) strip_context = CreateCompatibleDC(nullptr);
    if (strip_context == nullptr) {
        DeleteObject(strip);
        return;
    }
    SelectObject(strip_context, strip);  // releases the previous strip from the context
    if (stone_strip != nullptr) DeleteObject(stone_strip);
    stone_strip = strip;
    strip_side = size;
}

void paint_board(HWND window) {
    if (window == nullptr || stone_strip == nullptr) return;  // a null window would mean the screen
    int size = strip_side;
    int columns = clamp_side(settings.columns), rows = clamp_side(settings.rows);
    // Children clipped: a board drawn larger than the window (the stone size grew
    // during a game) must not paint over the status bar.
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPCHILDREN);
    refresh_overlay();  // the outline follows the board as it stands now
    for (int column = 1; column <= columns; ++column)
        for (int row = 1; row <= rows; ++row) paint_cell(dc, column, row, size);
    note_overlay_drawn();
    clear_around_grid(window, dc, columns * size, rows * size);
    ReleaseDC(window, dc);
}

void paint_overlay_changes(HWND window) {
    if (window == nullptr || stone_strip == nullptr) return;
    int columns = clamp_side(settings.columns), rows = clamp_side(settings.rows);
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPCHILDREN);
    for (int column = 1; column <= columns; ++column)
        for (int row = 1; row <= rows; ++row)
            if (overlay_changed_at(column, row)) paint_cell(dc, column, row, strip_side);
    note_overlay_drawn();
    ReleaseDC(window, dc);
}

void center_window(HWND window, HWND over) {
    HDC dc = GetDC(window);
    int screen_width = GetDeviceCaps(dc, HORZRES), screen_height = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(window, dc);
    RECT own{};
    GetWindowRect(window, &own);
    int width = own.right - own.left, height = own.bottom - own.top;
    RECT area{0, 0, screen_width, screen_height};
    if (over != nullptr) GetWindowRect(over, &area);
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // The negative test comes first: a window wider than the screen centred
    // over another window may still end left of the screen.
    if (x < 0) x = 0;
    else if (x + width > screen_width) x = screen_width - width;
    if (y < 0) y = 0;
    else if (y + height > screen_height) y = screen_height - height;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void layout_main_window(HWND window) {
    int size = settings.stone_size;
    int width = settings.columns * size + FRAME_WIDTH;
    int height = GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION) + settings.rows * size +
                 FRAME_AND_STATUS_HEIGHT;
    SetWindowPos(window, HWND_TOP, 0, 0, width, height, SWP_NOMOVE);  // also activates it
    center_window(window, nullptr);
    if (status_bar != nullptr) DestroyWindow(status_bar);
    status_bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_BORDER, L"", window, IDC_STATUS_BAR);
    set_status_parts();
    DrawMenuBar(window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    show_new_game_status();
}
