// The door's Win32 definitions for everything but files and the two boxes of
// the dialogs: drawing, the status bar, the title and menu texts, the clock
// timer, the tick counter, sound and the fatal error box. Texts arrive as
// cp1252 bytes and go to the system through the wide API.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>

#include <cstdlib>
#include <ctime>

#include "platform/platform.h"
#include "resources/resource_ids.h"

void platform_draw_board() { paint_board(main_window); }

void platform_draw_overlay() { paint_overlay_changes(main_window); }

void platform_set_status_parts() { lay_out_status_fields(main_window); }

void platform_reload_pictures() {
    load_stone_pictures(stone_side());
    paint_board(main_window);
}

void platform_layout_window() {
    if (main_window != nullptr) layout_main_window(main_window);
}

int platform_stone_side() { return stone_side(); }

void platform_set_status(int field, const char* text) {
    SendMessageW(status_bar, SB_SETTEXTW, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(widen(text).c_str()));
}

void platform_set_window_title(const char* text) { set_window_text(main_window, text); }

void platform_set_menu_title(int position, const char* text) {
    // Only the text changes: the title keeps its drop-down menu and its type
    // flags, so the help menu stays at the right end of the bar.
    std::wstring wide = widen(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = &wide[0];
    SetMenuItemInfoW(main_menu, static_cast<UINT>(position), TRUE, &info);
}

void platform_set_menu_item(int command, const char* text) {
    // The whole item is rewritten as an enabled text item: the resource holds
    // empty texts, which Wine loads as disabled separators.
    UINT id = static_cast<UINT>(command);
    ModifyMenuW(main_menu, id, MF_BYCOMMAND | MF_STRING | MF_ENABLED, id, widen(text).c_str());
}

void platform_check_menu_item(int command, bool checked) {
    CheckMenuItem(main_menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void platform_redraw_menu() { DrawMenuBar(main_window); }

std::uintptr_t platform_start_clock() { return SetTimer(main_window, TIMER_CLOCK, 1000, nullptr); }

void platform_stop_clock(std::uintptr_t timer) { KillTimer(main_window, timer); }

// In 1 ms steps, so the 50 ms between two burst frames lasts 50 ms rather
// than anything from 47 to 62.
std::uint32_t platform_tick_count() { return system_milliseconds(); }

std::int64_t platform_calendar_time() { return static_cast<std::int64_t>(std::time(nullptr)); }

unsigned platform_wave_device_count() { return wave_devices(); }

void platform_play_wave(int resource_id) { play_wave_resource(resource_id); }

void platform_beep(unsigned type) { MessageBeep(type); }

// ---- Busy: the wait cursor around a hint search. No message is handled
// while the search runs, so nothing sets the class's cursor back in between.

namespace {
HCURSOR cursor_before_busy;
}

void platform_begin_busy() { cursor_before_busy = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT))); }

void platform_end_busy() { SetCursor(cursor_before_busy); }

void platform_show_warning(const char* text, const char* caption) {
    // Owned by the window the player is in, a dialog when one is open: the
    // box disables it, so nothing in it can be pressed a second time meanwhile.
    HWND owner = main_window != nullptr ? GetLastActivePopup(main_window) : nullptr;
    MessageBoxW(owner, widen_utf8(text).c_str(), widen_utf8(caption).c_str(), MB_ICONWARNING | MB_OK);
}

void platform_fatal_error(const char* text, const char* caption) {
    // main_window is null before the window exists and after the destroy
    // message: then the box has no owner.
    // At exit the quit message that ended the loop is still pending: the box's
    // own loop would take it and close the box at once, unread.
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    MessageBoxW(main_window, widen_utf8(text).c_str(), widen_utf8(caption).c_str(), MB_ICONERROR | MB_OK);
    std::exit(1);
}
