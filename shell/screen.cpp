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
int monitor_dpi(HWND window) {
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const GetDpiForMonitorFunction get_dpi = system_function<GetDpiForMonitorFunction>(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (get_dpi == nullptr || get_dpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y) != S_OK)
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
}

void make_status_bar(HWND window, int dpi) {
    if (status_bar != nullptr) DestroyWindow(status_bar);
    status_bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_BORDER, L"", window, IDC_STATUS_BAR);
    set_status_font(dpi);
    set_status_parts(dpi);
}

// Gives the window the size whose client area holds the grid and the status
// bar exactly, at the largest stone side that lets it fit the work area. The
// size is first taken from the system's metrics, then from what the system
// really put around the client area (a menu bar wrapped onto two lines is
// taller than the metrics say), until the two agree.
void size_to_grid(HWND window, int dpi, UINT flags) {
    const RECT work = work_area_of(window);
    const int columns = settings.columns, rows = settings.rows;
    SIZE frame = frame_at(window, dpi);
    for (int attempt = 0; attempt < SIZING_ATTEMPTS; ++attempt) {
        const int status_height = status_bar != nullptr ? height_of(status_bar) : 0;
        const WindowRoom room{frame.cx, frame.cy + status_height, work.right - work.left, work.bottom - work.top};
        const int side = fitted_stone_side(scaled_stone_side(settings.stone_size, dpi), columns, rows, room);
        // Pictures that cannot be made at that side leave those in use, or
        // at the start those of the stone size itself.
        if (side != stone_side() && !load_stone_pictures(side) && stone_side() == 0)
            load_stone_pictures(settings.stone_size);
        const int drawn = stone_side();  // a side that could not be made keeps the pictures in use
        SetWindowPos(window, HWND_TOP, 0, 0, columns * drawn + frame.cx, rows * drawn + frame.cy + status_height,
                     flags | SWP_NOMOVE);
        const SIZE seen = measured_frame(window);
        if (seen.cx == frame.cx && seen.cy == frame.cy) return;
        frame = seen;
    }
}

// Moves the window by as little as it takes to lie inside the work area.
void keep_in_work_area(HWND window) {
    RECT own{};
    GetWindowRect(window, &own);
    const RECT work = work_area_of(window);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int x = centred_start(width, own.left, width, work.left, work.right - work.left);
    const int y = centred_start(height, own.top, height, work.top, work.bottom - work.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    const int dpi = window != nullptr ? monitor_dpi(window) : 0;
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
    const int dpi = window_dpi(window);
    make_status_bar(window, dpi);
    size_to_grid(window, dpi, 0);  // also brings the window to the top and activates it
    center_window(window, nullptr);
    DrawMenuBar(window);
    ShowWindow(window, SW_SHOWNORMAL);
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

void follow_dpi_change(HWND window, const RECT& suggested) {
    // The system's rectangle puts the window where it now belongs (the
    // monitor it was moved to); its size is then made ours.
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const int dpi = window_dpi(window);
    if (status_bar != nullptr) {
        set_status_font(dpi);
        set_status_parts(dpi);
    }
    size_to_grid(window, dpi, SWP_NOZORDER | SWP_NOACTIVATE);
    keep_in_work_area(window);
    DrawMenuBar(window);
    InvalidateRect(window, nullptr, FALSE);
    paint_board(window);
}
