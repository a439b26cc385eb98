// Help: the game's own help window wherever its rich text control can be
// loaded, else the system's help viewer on the help file. This file holds the
// window (a read-only rich text control under Contents and Back buttons), its
// size, its buttons and its text at the scale of the game's monitor, its place
// inside that monitor's work area, and the choice of help; help_text.cpp fills
// the text, help_keys.cpp follows its links and keys. Nothing of it is saved.
#include "shell/help_window.h"

#include <algorithm>

#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "storage/texts.h"

using namespace help_view;

namespace {

const wchar_t HELP_CLASS[] = L"GlimmetsHelp";

// ---- Which help -------------------------------------------------------------

// The help window needs the rich text control (msftedit.dll, Windows XP SP1
// and later). What decides is whether it loads, not the version the system
// reports: a game run in a compatibility mode is told an older version by a
// system that still has the control.
bool rich_text_available() {
    // Loaded at first use, so that the program imports only what every Windows
    // has, from the system folder so that no file of that name beside the game
    // is taken instead.
    static HMODULE rich_text = load_system_library(L"msftedit.dll");
    return rich_text != nullptr;
}

HWND make_button(HWND window, int id) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), app_instance, nullptr);
    help.button_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(button_proc)));
    return button;
}

bool make_controls(HWND window) {
    make_button(window, IDC_HELP_CONTENTS);
    make_button(window, IDC_HELP_BACK);
    help.text = CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL, 0,
                                0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HELP_TEXT)),
                                app_instance, nullptr);
    if (help.text == nullptr) return false;
    help.text_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(help.text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(text_proc)));
    return true;
}

void lay_out(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const int gap = scale_to(window, GAP), width = scale_to(window, BUTTON_WIDTH);
    const int height = scale_to(window, BUTTON_HEIGHT);
    MoveWindow(GetDlgItem(window, IDC_HELP_CONTENTS), gap, gap, width, height, TRUE);
    MoveWindow(GetDlgItem(window, IDC_HELP_BACK), 2 * gap + width, gap, width, height, TRUE);
    const int top = 2 * gap + height;
    MoveWindow(help.text, 0, top, client.right, client.bottom > top ? client.bottom - top : 0, TRUE);
}

// ---- At the scale of the monitor ----------------------------------------------

// The buttons in the system's message font and the text zoomed from the
// system's scale, which the rich text control draws at, to the window's.
void apply_scale(HWND window) {
    const int dpi = window_dpi(window);
    const NONCLIENTMETRICSW metrics = system_metrics_at(dpi);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    if (font != nullptr) {
        for (int id : {IDC_HELP_CONTENTS, IDC_HELP_BACK})
            SendDlgItemMessageW(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (help.button_font != nullptr) DeleteObject(help.button_font);
        help.button_font = font;
    }
    HDC screen = GetDC(nullptr);
    const int system_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    SendMessageW(help.text, EM_SETZOOM, dpi == system_dpi ? 0 : static_cast<WPARAM>(dpi),
                 dpi == system_dpi ? 0 : static_cast<LPARAM>(system_dpi));
    lay_out(window);
}

// Beside the game's window, as far from it as the work area of the game's
// monitor lets it be, so that the board stays in sight where there is room.
void place_window(HWND window) {
    RECT game{};
    GetWindowRect(main_window, &game);
    const RECT work = work_area_of(main_window);
    const LONG width = std::min<LONG>(scale_to(main_window, WINDOW_WIDTH), work.right - work.left);
    const LONG height = std::min<LONG>(scale_to(main_window, WINDOW_HEIGHT), work.bottom - work.top);
    const LONG x = std::max(work.left, std::min(game.right + scale_to(main_window, GAP), work.right - width));
    const LONG y = std::max(work.top, std::min(game.top, work.bottom - height));
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK help_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE: lay_out(window); return 0;
        case WM_DPICHANGED: {  // moved to a monitor of another scale
            const RECT& place = *reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            apply_scale(window);
            return 0;
        }
        case WM_ACTIVATE:  // an active help window gives its keys to the text
            if (LOWORD(wparam) != WA_INACTIVE) SetFocus(help.text);
            return 0;
        case WM_COMMAND:  // the buttons; the text control's notifications are not for us
            if (HIWORD(wparam) != BN_CLICKED || LOWORD(wparam) == IDC_HELP_TEXT) return 0;
            if (LOWORD(wparam) == IDC_HELP_CONTENTS) go_to(0);
            if (LOWORD(wparam) == IDC_HELP_BACK) go_back();
            SetFocus(help.text);  // keys stay with the text after a button
            return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize =
                POINT{scale_to(window, MIN_WIDTH), scale_to(window, MIN_HEIGHT)};
            return 0;
        case WM_DESTROY:
            help.window = help.text = nullptr;
            help.links.clear();
            help.history.clear();
            help.shown = -1;
            return 0;
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

bool register_help_class() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = help_window_proc;
    window_class.hInstance = app_instance;
    window_class.hIcon = LoadIconW(app_instance, MAKEINTRESOURCEW(IDI_GLIMMETS));
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = HELP_CLASS;
    registered = RegisterClassW(&window_class) != 0;
    return registered;
}

// Creates the window on the contents; false when the pages or the rich text
// control are missing.
bool open_help_window() {
    if (!rich_text_available() || !load_pages() || !register_help_class()) return false;
    // Made where the game is, so that it takes the scale of the game's monitor.
    RECT game{};
    GetWindowRect(main_window, &game);
    help.window = CreateWindowExW(0, HELP_CLASS, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, game.left, game.top,
                                  WINDOW_WIDTH, WINDOW_HEIGHT, main_window, nullptr, app_instance, nullptr);
    if (help.window == nullptr) return false;
    if (!make_controls(help.window)) {
        DestroyWindow(help.window);
        return false;
    }
    place_window(help.window);
    apply_scale(help.window);
    show_topic(0);
    return true;
}

// Where the help window cannot be made: the system's help viewer, when the
// help file is there (a missing file would only bring the viewer's error).
void open_viewer() {
    if (!file_exists(help_path.c_str())) return;
    help.viewer_used = true;
    WinHelpA(main_window, viewer_help_path().c_str(), HELP_CONTENTS, 0);
}

}  // namespace

void show_help() {
    if (help.window == nullptr && !open_help_window()) {
        open_viewer();
        return;
    }
    retitle_help();
    if (IsIconic(help.window)) ShowWindow(help.window, SW_RESTORE);
    ShowWindow(help.window, SW_SHOW);
    SetForegroundWindow(help.window);
    SetFocus(help.text);
}

// The texts follow the language of the moment.
void retitle_help() {
    if (help.window == nullptr) return;
    set_window_text(help.window, get_text(TXT_HELP_TITLE));
    set_item_text(help.window, IDC_HELP_CONTENTS, get_text(TXT_HELP_CONTENTS));
    set_item_text(help.window, IDC_HELP_BACK, get_text(TXT_HELP_BACK));
}

void close_help() {
    if (help.viewer_used) WinHelpA(main_window, viewer_help_path().c_str(), HELP_QUIT, 0);
    if (help.window != nullptr) DestroyWindow(help.window);
}

bool is_help_window_message(const MSG& message) {
    return help.window != nullptr && (message.hwnd == help.window || IsChild(help.window, message.hwnd));
}
