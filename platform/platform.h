// The door between the game's core and the system it runs on.
//
// The core (engine/, control/, storage/) asks for every effect through these
// functions and never includes <windows.h>. The Win32 program defines them in
// shell/; the unit tests define them a second time as a recording fake. The
// definition is chosen at link time. Each function is as thin as the system
// call behind it: the rules of the game stay on the core's side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- Drawing and window -------------------------------------------------

// Called by the engine after every visible step of a move and by the
// controller after a new game and an undo. Paints every cell of the grid onto
// the main window before it returns (no deferred repaint), with the overlay
// (cursor, outlines) worked out afresh for the board as it stands.
void platform_draw_board();

// Called when the keyboard cursor, the pointer or an outlined group moved
// (control/board_overlay.cpp): draws again, without flicker, the cells whose
// overlay differs from what was last drawn, each in one copy.
void platform_draw_overlay();

// Called when "Show groups" is turned on or off: the status bar gets its
// fifth field (the size of the group shown) or loses it, as the option now
// says; fields 0..3 keep their texts.
void platform_set_status_parts();

// Called when "Symbols on stones" is turned on or off: the stone pictures
// are made anew for the current form and side, then the board is drawn.
void platform_reload_pictures();

// Called by `on_new_game`. Sizes the main window to the grid, centres it,
// creates the status bar anew (empty fields), shows the window, and ends by
// calling `show_new_game_status`.
void platform_layout_window();

// Called by the controller's hit test: the side in pixels of one cell as the
// board is drawn now (the stone size at the screen's scale, made smaller when
// the grid would not fit the screen).
int platform_stone_side();

// Called by the controller. Writes `text` (8-bit, Western European code page)
// into status field `field` (0..3, and 4, the size of the group shown, while
// groups are shown).
void platform_set_status(int field, const char* text);

// ---- Menu and title -----------------------------------------------------

// Called by `apply_menu_texts`. Texts are 8-bit Western European.
void platform_set_window_title(const char* text);
void platform_set_menu_title(int position, const char* text);   // top-level menu 0..2
void platform_set_menu_item(int command, const char* text);     // item found by command id
void platform_check_menu_item(int command, bool checked);       // its check mark
void platform_redraw_menu();

// ---- Time ---------------------------------------------------------------

// Called by the controller at the first press of a game: starts the
// one-second clock timer (id 1) and returns the identifier to stop it with.
std::uintptr_t platform_start_clock();
// Called at the end of a game with the identifier from platform_start_clock.
void platform_stop_clock(std::uintptr_t timer);

// The system's millisecond tick counter; wraps around after 2^32 ms.
std::uint32_t platform_tick_count();

// The calendar time in whole seconds since 1 January 1970; seeds `new_game`.
std::int64_t platform_calendar_time();

// ---- Sound --------------------------------------------------------------

// Number of wave output devices; `play_sound` asks it once per run.
unsigned platform_wave_device_count();
// Starts the WAVE resource `resource_id` asynchronously, refused while an
// earlier sound of the program still plays; returns at once.
void platform_play_wave(int resource_id);
// Asks the system for a beep of the given type (0x00, 0x10, ... 0x50).
void platform_beep(unsigned type);

// ---- Busy ---------------------------------------------------------------

// Called by the controller around a hint search, which holds the window for
// a moment on a large board: the wait cursor shows from platform_begin_busy
// until platform_end_busy, which puts back the cursor shown before.
void platform_begin_busy();
void platform_end_busy();

// ---- Boxes that the core opens --------------------------------------------

// Called by `end_game`: the modal congratulations box with its caption and
// its result text; returns when the player has closed it.
void platform_show_congratulations(const char* caption, const char* text);

// Called by `ask_player_name`: the modal name-entry box. `name` (64 bytes)
// holds " " on entry and is shown in the edit field. On OK the field's text,
// at most 23 characters, is copied into `name` and 1 is returned; on cancel
// `name` is left as it was and 0 is returned.
int platform_ask_player_name(char* name);

// Called by `fatal_error` paths (a settings file that cannot be opened or
// replaced): shows an error box with `text` and `caption`, both UTF-8 (the
// text names a path, which may be in any script), owned by the main window
// when it exists, then ends the program with exit code 1. The box stays until
// the player closes it, even when the program's quit message is pending.
[[noreturn]] void platform_fatal_error(const char* text, const char* caption);

// Called when the settings file could not be written during play: shows an
// error box with `text` and `caption` (UTF-8) owned by the window the player
// is in (the open dialog, else the main window), which it disables meanwhile,
// and returns when the player has closed it; the game goes on.
void platform_show_warning(const char* text, const char* caption);

// ---- Files --------------------------------------------------------------
//
// Paths are UTF-8 text, so that a folder named in any script and a path of
// any length work whatever the system's code page; the door converts them at
// the edge. The bytes inside the files are the core's business.

// The full path of the program's own executable, however long, in UTF-8. The
// returned text stays valid until the next call.
const char* platform_module_path();

// Non-zero when a file (not a folder) exists at `path`: its last-write time
// stamp, or -1 when that is 0. Hidden and system files count like any other.
std::int64_t platform_file_exists(const char* path);

// A stream opened by platform_file_open; opaque to the core.
struct PlatformFile;

// Opens `path` with a standard stream mode ("rb", "r+b", "wb"); null on failure.
PlatformFile* platform_file_open(const char* path, const char* mode);
// Reads up to `size` bytes into `buffer` and their number into `*got` (0 at
// the end of the file); false when the read failed.
bool platform_file_read(PlatformFile* file, void* buffer, std::size_t size, std::size_t* got);
// Writes `size` bytes; returns false when not all of them were written.
bool platform_file_write(PlatformFile* file, const void* data, std::size_t size);
// Pushes everything written so far down to the disk; false on failure.
bool platform_file_flush(PlatformFile* file);
// Closes the stream; false when the close reported an error.
bool platform_file_close(PlatformFile* file);
// Rewrites the existing file at `path` in place with `size` bytes: written
// over its old content, cut at their end and pushed to the disk, the file's
// attributes kept. For a folder where files may be rewritten but not created;
// false on failure, when the file may hold part of the new bytes.
bool platform_file_rewrite(const char* path, const void* data, std::size_t size);
// Puts the closed file `from` in the place of `to` in one step, replacing
// `to` and keeping its hidden and system attributes; false on failure (then
// `to` is untouched). One try: the caller retries a refusal that may pass.
bool platform_file_replace(const char* from, const char* to);
// Renames `from` to `to` in one step; false on failure, and when `to` exists.
bool platform_file_rename(const char* from, const char* to);
// Removes the file at `path`, also when it is read-only; false when it could not.
bool platform_file_remove(const char* path);
// Lists into `found` the files beside `path` whose names are its file name
// followed by `suffix_pattern`, where * stands for any text: their full
// paths, in no particular order ("C:\G\Glimmets.ini" and ".*.kept" list the
// kept files). False when the folder could not be listed.
bool platform_find_files(const char* path, const char* suffix_pattern, std::vector<std::string>& found);

// ---- Locks between copies of the program ----------------------------------

// A lock held on a file; opaque to the core.
struct PlatformLock;

// Takes an exclusive lock on the file at `path` without waiting, on a byte
// far past its end, so the file can still be read and written; the file is
// made (hidden) when `create` and it is missing. Null when another process
// holds the lock (then `*held_elsewhere` is set) or the file cannot be opened.
// A process that ends, however it ends, releases its locks.
PlatformLock* platform_try_lock(const char* path, bool create, bool* held_elsewhere);
void platform_unlock(PlatformLock* lock);

// ---- Process ------------------------------------------------------------

// The running process's identifier: names a temporary file that no other
// copy of the program writes at the same time.
std::uint32_t platform_process_id();
// Waits `milliseconds` (between tries of a refused file replacement).
void platform_sleep(std::uint32_t milliseconds);
