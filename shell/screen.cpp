// The screen the game's windows stand on: the main window's scale (DPI), its
// size from the system's own metrics at that scale, checked against the
// client area the system really gave it, its place in the work area of its
// monitor (the taskbar left free), the stone side that lets the whole grid
// fit there, the status bar's font and fields at the scale, and the centring
// that every dialog uses. The board view paints; it measures nothing.
//
// The calls that know about scales per monitor came with later systems
// (Windows 8.1 and 10); each is looked up when first needed, and an older
// system gets the nearest answer it can give: the system's own scale.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "control/game.h"
#include "control/screen_fit.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"

HWND status_bar = nullptr;

namespace {

// The status fields at 100 %: the clock and two counts, 30 pixels each, and
// the last one to the window's right edge. Wider only for a font that needs it.
constexpr int STATUS_FIELD_WIDTH = 30;
constexpr int STATUS_FIELDS = 4;
// Room around a field's text for its borders and the gap to the next field.
constexpr int STATUS_TEXT_MARGIN = 8;
// The widest texts the fields hold: the clock's minutes and seconds, then the
// stone counts (961 at most).
const wchar_t* const STATUS_WIDEST[STATUS_FIELDS - 1] = {L"88'88", L"888", L"888"};
// A menu bar that wraps changes the frame again; the size settles well before this.
constexpr int SIZING_ATTEMPTS = 4;

HFONT status_font = nullptr;
int status_font_dpi = BASE_DPI;  // the scale the status bar's font was made for

template <typename Function>
Function system_function(HMODULE module, const char* name) {
    FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

HMODULE user32() { return GetModuleHandleW(L"user32.dll"); }

int system_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BASE_DPI;
}

// Windows 8.1 knows each monitor's scale, through shcore, but not a window's.
int monitor_dpi(HMONITOR monitor) {
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const GetDpiForMonitorFunction get_dpi = system_function<GetDpiForMonitorFunction>(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (get_dpi == nullptr || get_dpi(monitor, 0, &x, &y) != S_OK)
        return 0;
    return static_cast<int>(y);
}

// The size a window takes around a client area of no size at a scale:
// frame, caption and a menu bar of one line.
SIZE frame_at(HWND window, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const AdjustFunction adjust = system_function<AdjustFunction>(user32(), "AdjustWindowRectExForDpi");
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD extended = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT frame{0, 0, 0, 0};
    if (adjust == nullptr || !adjust(&frame, style, TRUE, extended, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, TRUE, extended);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// What the system really put around the client area.
SIZE measured_frame(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return SIZE{outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
}

int height_of(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

int text_width(HDC dc, const wchar_t* text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
}

// Fields as wide as their widest numbers in the status bar's font, never
// narrower than at 100 % scaled.
void set_status_parts(int dpi) {
    HDC dc = GetDC(status_bar);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(status_bar, WM_GETFONT, 0, 0)));
    int widths[STATUS_FIELDS - 1];
    for (int i = 0; i < STATUS_FIELDS - 1; ++i)
        widths[i] = text_width(dc, STATUS_WIDEST[i]) + MulDiv(STATUS_TEXT_MARGIN, dpi, BASE_DPI);
    SelectObject(dc, previous);
    ReleaseDC(status_bar, dc);
    int edges[STATUS_FIELDS + 1];  // room for the group's field
    status_part_edges(widths, STATUS_FIELDS - 1, MulDiv(STATUS_FIELD_WIDTH, dpi, BASE_DPI), edges);
    set_parts_with_group_field(edges, STATUS_FIELDS, MulDiv(STATUS_FIELD_WIDTH, dpi, BASE_DPI));
}

// The status bar's font at the window's scale; the bar takes its height from it.
void set_status_font(int dpi) {
    const NONCLIENTMETRICSW metrics = system_metrics_at(dpi);
    HFONT font = CreateFontIndirectW(&metrics.lfStatusFont);
    if (font == nullptr) return;  // the bar keeps the font it has
    SendMessageW(status_bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(status_bar, WM_SIZE, 0, 0);
    if (status_font != nullptr) DeleteObject(status_font);
    status_font = font;
    status_font_dpi = dpi;
}

void make_status_bar(HWND window, int dpi) {
    if (status_bar != nullptr) DestroyWindow(status_bar);
    status_bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_BORDER, L"", window, IDC_STATUS_BAR);
    set_status_font(dpi);
    set_status_parts(dpi);
}

ScreenRect screen_rect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

// The status bar's height at a scale: measured at the scale its font was
// made for, and in proportion at another (a layout then measures it again).
int status_height_at(int dpi) {
    if (status_bar == nullptr) return 0;
    return MulDiv(height_of(status_bar), dpi, status_font_dpi);
}

// A monitor with its work area, its scale, and the room the window takes
// around the grid at that scale by the system's metrics.
ScreenMonitor monitor_entry(HWND window, const ScreenRect& area, const ScreenRect& work, int dpi) {
    const SIZE frame = frame_at(window, dpi);
    return ScreenMonitor{area, work, dpi, frame.cx, frame.cy + status_height_at(dpi)};
}

struct Desk {
    HWND window;
    std::vector<ScreenMonitor> monitors;
};

BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, RECT*, LPARAM desk_pointer) {
    Desk& desk = *reinterpret_cast<Desk*>(desk_pointer);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const int dpi = monitor_dpi(monitor);
    desk.monitors.push_back(monitor_entry(desk.window, screen_rect(info.rcMonitor), screen_rect(info.rcWork),
                                          dpi > 0 ? dpi : system_dpi()));
    return TRUE;
}

std::vector<ScreenMonitor> monitors_for(HWND window) {
    Desk desk{window, {}};
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&desk));
    if (desk.monitors.empty()) {  // the work area as the system says it
        const ScreenRect work = screen_rect(work_area_of(window));
        desk.monitors.push_back(monitor_entry(window, work, work, window_dpi(window)));
    }
    return desk.monitors;
}

GridSize grid_asked() { return GridSize{settings.columns, settings.rows, settings.stone_size}; }

// Changes of the screen are laid out one at a time (see ScreenLayout).
ScreenLayout screen_layout;

// One pass of the layout: the window on the monitor it belongs to, chosen
// once, at the largest stone side that lets the grid fit its work area,
// centred there (a new game) or moved by as little as it takes to lie inside
// it. Its size is first taken from the system's metrics, then from what the
// system really put around the client area (a menu bar wrapped onto two
// lines is taller than the metrics say), until the two agree.
void lay_out_pass(HWND window, bool centre, UINT flags) {
    const int dpi = window_dpi(window);
    if (status_bar != nullptr) {
        set_status_font(dpi);
        set_status_parts(dpi);
    }
    RECT own{};
    GetWindowRect(window, &own);
    const ScreenRect old = screen_rect(own);
    const std::vector<ScreenMonitor> monitors = monitors_for(window);
    const int chosen = monitor_of(old, monitors.data(), static_cast<int>(monitors.size()));
    ScreenMonitor monitor = monitors[static_cast<std::size_t>(chosen)];
    for (int attempt = 0; attempt < SIZING_ATTEMPTS; ++attempt) {
        const WindowPlace place = place_on_monitor(old, grid_asked(), monitor, centre);
        // Pictures that cannot be made at that side leave those in use, or
        // at the start those of the stone size itself.
        if (place.side != stone_side() && !load_stone_pictures(place.side) && stone_side() == 0)
            load_stone_pictures(settings.stone_size);
        const int drawn = stone_side();
        SetWindowPos(window, HWND_TOP, place.window.left, place.window.top,
                     settings.columns * drawn + monitor.extra_width, settings.rows * drawn + monitor.extra_height,
                     flags);
        const SIZE seen = measured_frame(window);
        const int status_height = status_bar != nullptr ? height_of(status_bar) : 0;
        if (seen.cx == monitor.extra_width && seen.cy + status_height == monitor.extra_height) return;
        monitor.extra_width = seen.cx;
        monitor.extra_height = seen.cy + status_height;
    }
}

// Lays the window out in passes until no change waits: the first one
// centred when asked, the next ones (a change of scale sent from inside the
// first one's moves) where the window then stands, at the newest scale.
void run_layout(HWND window, bool centre, UINT flags) {
    do {
        lay_out_pass(window, centre, flags);
        centre = false;
    } while (screen_layout.next_pass());
}

void show_laid_out(HWND window) {
    DrawMenuBar(window);
    InvalidateRect(window, nullptr, FALSE);
    paint_board(window);
}

}  // namespace

int window_dpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const GetDpiForWindowFunction for_window =
        system_function<GetDpiForWindowFunction>(user32(), "GetDpiForWindow");
    if (for_window != nullptr && window != nullptr) {
        const UINT dpi = for_window(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    const int dpi = window != nullptr ? monitor_dpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : 0;
    return dpi > 0 ? dpi : system_dpi();
}

int scale_to(HWND window, int pixels) { return MulDiv(pixels, window_dpi(window), BASE_DPI); }

NONCLIENTMETRICSW system_metrics_at(int dpi) {
    using ForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const ForDpiFunction for_dpi = system_function<ForDpiFunction>(user32(), "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (for_dpi != nullptr && for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
        return metrics;
    // Before Windows 10 the fonts come at the system's scale, and before
    // Vista the record has no padded border.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    }
    const int system = system_dpi();
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont})
        font->lfHeight = MulDiv(font->lfHeight, dpi, system);
    return metrics;
}

RECT work_area_of(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void center_window(HWND window, HWND over) {
    RECT own{};
    GetWindowRect(window, &own);
    const RECT work = work_area_of(over != nullptr ? over : window);
    RECT area = work;
    if (over != nullptr) GetWindowRect(over, &area);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int x = centred_start(width, area.left, area.right - area.left, work.left, work.right - work.left);
    const int y = centred_start(height, area.top, area.bottom - area.top, work.top, work.bottom - work.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void layout_main_window(HWND window) {
    make_status_bar(window, window_dpi(window));
    // A minimized window is not moved: the new board is laid out when it is
    // restored, where it then stands.
    if (IsIconic(window)) {
        screen_layout.changed(true);
    } else if (screen_layout.changed(false)) {
        run_layout(window, true, 0);  // also brings the window to the top and activates it
    }
    DrawMenuBar(window);
    if (!IsIconic(window)) ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    show_new_game_status();
}

void lay_out_status_fields(HWND window) {
    if (status_bar != nullptr) set_status_parts(window_dpi(window));
}

void fit_stones_to_window(HWND window) {
    const int dpi = window_dpi(window);
    const RECT work = work_area_of(window);
    const SIZE frame = measured_frame(window);
    const int status_height = status_bar != nullptr ? height_of(status_bar) : 0;
    const WindowRoom room{frame.cx, frame.cy + status_height, work.right - work.left, work.bottom - work.top};
    load_stone_pictures(fitted_stone_side(scaled_stone_side(settings.stone_size, dpi), settings.columns,
                                          settings.rows, room));
}

void follow_screen_change(HWND window, const RECT* suggested) {
    if (!screen_layout.changed(IsIconic(window) != FALSE)) return;
    // The system's rectangle puts the window where it now belongs (the
    // monitor it was moved to), at the size it was told the grid needs.
    if (suggested != nullptr)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    run_layout(window, false, SWP_NOZORDER | SWP_NOACTIVATE);
    show_laid_out(window);
}

void follow_restore(HWND window) {
    if (!screen_layout.restored()) return;
    run_layout(window, false, SWP_NOZORDER | SWP_NOACTIVATE);
    show_laid_out(window);
}

bool size_at_dpi(HWND window, int dpi, SIZE& size) {
    if (dpi <= 0) return false;
    RECT own{};
    GetWindowRect(window, &own);
    const std::vector<ScreenMonitor> monitors = monitors_for(window);
    const int count = static_cast<int>(monitors.size());
    // The monitor of that scale the window goes to: the one under the
    // pointer when a drag takes it there, else its own.
    POINT pointer{};
    GetCursorPos(&pointer);
    int chosen = monitor_of(ScreenRect{pointer.x, pointer.y, pointer.x + 1, pointer.y + 1}, monitors.data(), count);
    if (monitors[static_cast<std::size_t>(chosen)].dpi != dpi)
        chosen = monitor_of(screen_rect(own), monitors.data(), count);
    const ScreenMonitor& target = monitors[static_cast<std::size_t>(chosen)];
    const WindowPlace place = place_on_monitor(screen_rect(own), grid_asked(),
                                               monitor_entry(window, target.area, target.work, dpi), false);
    size = SIZE{place.window.width(), place.window.height()};
    return true;
}
