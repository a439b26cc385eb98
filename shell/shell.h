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
void load_stone_pictures();
void paint_board(HWND window);
void layout_main_window(HWND window);
void center_window(HWND window, HWND over);
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
// The status bar's parts: the four fields, and the group's size while groups are shown.
void set_status_parts();

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
