// What the pieces of the Win32 shell share: the program-wide window state,
// the board view, the dialogs, and the text helpers that turn the string
// table's Western European bytes into UTF-16 so that accents show whatever
// the system's code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// ---- Program-wide shell state (shell/main_window.cpp) ----
extern HINSTANCE app_instance;
extern HWND main_window;  // null before creation and once the destroy message is handled
extern HMENU main_menu;

// ---- Board view (shell/board_view.cpp) ----
// Draws the pictures of the current form (settings.form, with the greys of
// settings.stone_size) at `side` pixels, 8 to 96; on failure (another side,
// no memory) keeps the pictures in use and returns false.
bool load_stone_pictures(int side);
// The side in pixels of the pictures in use: the grid's cell size on the screen.
int stone_side();
// Draws every cell of the grid at stone_side() (and blacks out the rest of the
// client area above the status bar): on focus, move, new game, each step of a move.
void paint_board(HWND window);
// WM_PAINT: draws again the cells (and the black around the grid) that meet
// the part of the window the system asks for, between BeginPaint and EndPaint.
void paint_invalid_board(HWND window);

// ---- The screen (shell/screen.cpp) ----
// The scale of the monitor a window is on, in dots per inch (96 is 100 %).
int window_dpi(HWND window);
// Pixels at 100 % to pixels at a window's scale.
int scale_to(HWND window, int pixels);
// The system's fonts and metrics at a scale.
NONCLIENTMETRICSW system_metrics_at(int dpi);
// The work area (the taskbar left out) of the monitor a window is on.
RECT work_area_of(HWND window);
// Centres a window over `over` (or its monitor's work area when null),
// keeping it inside the work area.
void center_window(HWND window, HWND over);
// A new game: the status bar made anew, the stones at the scale (smaller
// when the grid would not fit), the window sized to the grid and the status
// bar exactly, centred in the work area of the monitor it is on, and shown;
// a minimized window is laid out when it is restored.
void layout_main_window(HWND window);
// The status bar's fields laid out again (a field came or went).
void lay_out_status_fields(HWND window);
// The stone size or form changed during a game: the pictures are made again
// at the side the scale and the screen allow; the window keeps its size.
void fit_stones_to_window(HWND window);
// A change of the screen (WM_DPICHANGED with the system's suggested
// rectangle, which the window takes first; the metrics and fonts, the work
// area, the monitors): the status bar, the stones and the window's size made
// again at the window's scale, inside the work area of its monitor. One
// that arrives during a layout is taken right after it, and one that arrives
// while the window is minimized once it is restored.
void follow_screen_change(HWND window, const RECT* suggested);
// The window was restored (WM_SIZE): the change it missed while minimized.
void follow_restore(HWND window);
// WM_GETDPISCALEDSIZE: the window's size for the grid at `dpi`, on the
// monitor of that scale it goes to, so that the rectangle WM_DPICHANGED then
// suggests is the one the layout keeps.
bool size_at_dpi(HWND window, int dpi, SIZE& size);
extern HWND status_bar;  // re-created by every layout; the door writes its fields
// Draws again the cells whose overlay (cursor, outlines) changed since the last draw.
void paint_overlay_changes(HWND window);

// ---- Overlay over the stones (shell/overlay_view.cpp) ----
// Copies the stone at `source_x` of `stones` to (x, y) of `dc` with the
// overlay `parts` drawn over it, in one copy; false (nothing drawn) when the
// cell carries no overlay.
bool draw_overlaid_cell(HDC dc, int x, int y, int side, HDC stones, int source_x, std::uint16_t parts);
bool overlay_changed_at(int column, int row);
void note_overlay_drawn();
// Sets the status bar's parts from the right edges of its first `count` - 1
// fields (`edges` has room for count + 1): the last field runs to the
// window's edge, or, while groups are shown, to the group's field at the
// right, leaving the one before it at least `least` pixels.
void set_parts_with_group_field(int* edges, int count, int least);

// ---- Dialogs (shell/dialog_*.cpp) ----
INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
void show_best_scores();  // runs dialog 200 owned by the main window
// Board number...: dialog 600 shows the board's number and deals the one typed.
void ask_board_number();

// ---- Help (shell/help_window.cpp) ----
// F1 and Help > Help: the system's help viewer on the help file where the
// system has one and the file is there, else the game's own help window,
// brought to the front if it is already open.
void show_help();
// The language changed: an open help window takes the new texts.
void retitle_help();
// The end of the game: closes the viewer or the window that help opened.
void close_help();
// True for a message to the help window or one of its controls: the game's
// accelerators are not for them.
bool is_help_window_message(const MSG& message);

// ---- System libraries (shell/system_libraries.cpp) ----
// Called first at start: libraries named without a folder are looked for in
// the system folder only, where the system can be told so.
void limit_library_search();
// The library `name` of the system folder, by its full path; null on failure.
HMODULE load_system_library(const wchar_t* name);
// The sound library's millisecond clock (GetTickCount without it), its wave
// device count (0 without it), and a WAVE resource played asynchronously.
DWORD system_milliseconds();
UINT wave_devices();
void play_wave_resource(int resource_id);

// ---- Texts (shell/wide_text.cpp) ----
// cp1252 bytes of the string table to UTF-16.
std::wstring widen(const char* text);
// UTF-16 from a control back to cp1252 bytes (characters outside cp1252 become '?').
std::string narrow(const wchar_t* text);
void set_window_text(HWND window, const char* text);

// ---- Paths (shell/platform_files.cpp) ----
// A UTF-8 path of the core as the wide file calls take it, at any length.
std::wstring wide_path(const char* path);
// UTF-8 text (a message naming a path) to UTF-16.
std::wstring widen_utf8(const char* text);
// The help path as the ANSI help viewer takes it: its short form where the
// volume keeps short names, so that any folder name and length reach it.
std::string viewer_help_path();
void set_item_text(HWND dialog, int control, const char* text);
