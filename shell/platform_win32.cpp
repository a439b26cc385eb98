// The door's Win32 definitions for everything but files and the two boxes of
// the dialogs: drawing, the status bar, the title and menu texts, the clock
// timer, the tick counter, sound and the fatal error box. Texts arrive as
// cp1252 bytes and go to the system through the wide API.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>
#include <mmsystem.h>

#include <cstdlib>
#include <ctime>

#include "platform/platform.h"
#include "resources/resource_ids.h"

void platform_draw_board() { paint_board(main_window); }

void platform_layout_window() {
    if (main_window != nullptr) layout_main_window(main_window);
}

void platform_set_status(int field, const char* text) {
    SendMessageW(status_bar, SB_SETTEXTW, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(widen(text).c_str()));
}

void platform_set_window_title(const char* text) { set_window_text(main_window, text); }

namespace {
// Replaces only the text of a menu entry and keeps its type flags, so the
// help menu's title stays at the right end of the bar.
void set_menu_entry_text(UINT item, BOOL by_position, const char* text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(main_menu, item, by_position, &info)) return;
    std::wstring wide = widen(text);
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.fType &= ~static_cast<UINT>(MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR);
    info.dwTypeData = &wide[0];
    SetMenuItemInfoW(main_menu, item, by_position, &info);
}
}  // namespace

void platform_set_menu_title(int position, const char* text) {
    set_menu_entry_text(static_cast<UINT>(position), TRUE, text);
}

void platform_set_menu_item(int command, const char* text) {
    set_menu_entry_text(static_cast<UINT>(command), FALSE, text);
}

void platform_redraw_menu() { DrawMenuBar(main_window); }

std::uintptr_t platform_start_clock() { return SetTimer(main_window, TIMER_CLOCK, 1000, nullptr); }

void platform_stop_clock(std::uintptr_t timer) { KillTimer(main_window, timer); }

// timeGetTime steps by 1 ms where GetTickCount steps by about 15.6 ms, so the
// 50 ms between two burst frames lasts 50 ms rather than anything from 47 to 62.
std::uint32_t platform_tick_count() { return timeGetTime(); }

std::int64_t platform_calendar_time() { return static_cast<std::int64_t>(std::time(nullptr)); }

unsigned platform_wave_device_count() { return waveOutGetNumDevs(); }

void platform_play_wave(int resource_id) {
    PlaySoundW(MAKEINTRESOURCEW(resource_id), app_instance, SND_RESOURCE | SND_NOSTOP | SND_ASYNC);
}

void platform_beep(unsigned type) { MessageBeep(type); }

void platform_fatal_error(const char* text, const char* caption) {
    // main_window is null before the window exists and after the destroy
    // message: then the box has no owner.
    MessageBoxW(main_window, widen(text).c_str(), widen(caption).c_str(), MB_ICONERROR | MB_OK);
    std::exit(1);
}
