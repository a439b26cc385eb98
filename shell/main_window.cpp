// The program's entry, its start-up, the message loop and the main window's
// procedure. The procedure only routes: each message or command is handed to
// the game controller, the board view, a dialog or the help viewer, so no rule
// of the game is decided here.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <commctrl.h>

#include "control/board_overlay.h"
#include "control/game.h"
#include "engine/sound.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/settings_file.h"
#include "storage/settings_sync.h"
#include "storage/texts.h"

HINSTANCE app_instance = nullptr;
HWND main_window = nullptr;
HMENU main_menu = nullptr;

namespace {

const wchar_t CLASS_NAME[] = L"GLIMMETS";
constexpr DWORD MAIN_WINDOW_STYLE = WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX;
// Where the window is created; the first layout sizes, centres and shows it.
constexpr int CREATION_X = 150, CREATION_Y = 150, CREATION_SIDE = 200;

HACCEL accelerators = nullptr;
// The window once its destroy message has been handled: destroyed for good
// before the settings are written, so that an error box is left alone.
HWND closed_window = nullptr;
DWORD pointer_place = 0;      // where the pointer was last seen, on the screen, as GetMessagePos packs it
bool pointer_tracked = false;  // its leaving the client area will be reported

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

bool register_main_class() {
    WNDCLASSW window_class{};
    window_class.style = 0;  // no double clicks: a quick second press is a second press
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = app_instance;
    window_class.hIcon = LoadIconW(app_instance, MAKEINTRESOURCEW(IDI_GLIMMETS));
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = nullptr;  // the board view paints the whole client area: nothing to erase
    window_class.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    window_class.lpszClassName = CLASS_NAME;
    return RegisterClassW(&window_class) != 0;
}

// Closing by any road ends here: the loop stops once the handle is cleared.
// The destroy message that DestroyWindow sends afterwards finds it cleared.
void end_main_window(HWND window) {
    if (main_window == nullptr) return;
    close_help();
    closed_window = window;
    main_window = nullptr;
    PostQuitMessage(0);
}

void run_dialog(int resource, DLGPROC procedure) {
    DialogBoxParamW(app_instance, MAKEINTRESOURCEW(resource), main_window, procedure, 0);
}

void run_command(WORD command) {
    switch (command) {
        case CMD_NEW_GAME: on_new_game(); break;
        case CMD_UNDO: on_undo(); break;
        case CMD_RESTART: on_restart(); break;
        case CMD_BOARD_NUMBER: ask_board_number(); break;
        case CMD_HINT: on_hint(); break;
        case CMD_QUIT: PostMessageW(main_window, WM_DESTROY, 0, 0); break;
        case CMD_SETTINGS: run_dialog(DLG_SETTINGS, settings_dialog_proc); break;
        case CMD_BEST_SCORES: show_best_scores(); break;
        case CMD_TOGGLE_LANGUAGE:
            toggle_language();
            retitle_help();  // an open help window follows
            break;
        case CMD_SHOW_GROUPS: toggle_show_groups(); break;
        case CMD_SYMBOLS: toggle_symbols(); break;
        case CMD_ABOUT: run_dialog(DLG_ABOUT, about_dialog_proc); break;
        case CMD_HELP: show_help(); break;
        default: break;  // unknown commands are ignored
    }
}

// The keys of the board: the cursor keys, and Space or Enter for a press on
// the cursor's cell. A held Space or Enter presses once, as a held button does.
bool on_board_key(WPARAM key, LPARAM flags) {
    constexpr LPARAM KEY_WAS_DOWN = 1 << 30;
    switch (key) {
        case VK_LEFT: on_cursor_key(CURSOR_LEFT); return true;
        case VK_RIGHT: on_cursor_key(CURSOR_RIGHT); return true;
        case VK_UP: on_cursor_key(CURSOR_UP); return true;
        case VK_DOWN: on_cursor_key(CURSOR_DOWN); return true;
        case VK_HOME: on_cursor_key(CURSOR_FIRST_COLUMN); return true;
        case VK_END: on_cursor_key(CURSOR_LAST_COLUMN); return true;
        case VK_PRIOR: on_cursor_key(CURSOR_TOP_ROW); return true;
        case VK_NEXT: on_cursor_key(CURSOR_BOTTOM_ROW); return true;
        case VK_SPACE:
        case VK_RETURN:
            if ((flags & KEY_WAS_DOWN) == 0) on_cursor_press();
            return true;
        default: return false;
    }
}

// The system also reports the pointer where it stands still, when a window
// that covered it goes or the board is laid out (or first shown) under it:
// only a change of its place on the screen since the last report (or since
// the window was made) is a move that hides the keyboard cursor.
void on_mouse_move(HWND window, LPARAM lparam) {
    const DWORD place = GetMessagePos();
    const bool moved = place != pointer_place;
    pointer_place = place;
    if (!pointer_tracked) {  // to hear when it leaves the board
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        pointer_tracked = TrackMouseEvent(&track) != FALSE;
    }
    if (moved)
        on_pointer_moved(LOWORD(lparam), HIWORD(lparam));
    else
        on_pointer_over(LOWORD(lparam), HIWORD(lparam));
}

void on_mouse_leave() {
    pointer_tracked = false;
    on_pointer_left();
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_DESTROY: end_main_window(window); return 0;
        case WM_MOVE:
        case WM_SETFOCUS: paint_board(window); return 0;
        case WM_PAINT: paint_invalid_board(window); return 0;
        case WM_SIZE:  // the status bar keeps to the bottom edge, the group's field to its right end
            if (status_bar != nullptr) SendMessageW(status_bar, WM_SIZE, 0, 0);
            if (view_options.show_groups) lay_out_status_fields(window);
            if (wparam == SIZE_RESTORED) follow_restore(window);
            return 0;
        // Changes of the screen: scale, metrics and fonts, work area, monitors.
        case WM_DPICHANGED: follow_screen_change(window, reinterpret_cast<const RECT*>(lparam)); return 0;
        case WM_GETDPISCALEDSIZE: return size_at_dpi(window, LOWORD(wparam), *reinterpret_cast<SIZE*>(lparam));
        case WM_SETTINGCHANGE:
        case WM_DISPLAYCHANGE:
        case WM_THEMECHANGED:
            if (message != WM_SETTINGCHANGE || wparam == SPI_SETNONCLIENTMETRICS || wparam == SPI_SETWORKAREA)
                follow_screen_change(window, nullptr);
            return DefWindowProcW(window, message, wparam, lparam);
        case WM_CLOSE: PostMessageW(main_window, WM_DESTROY, 0, 0); return 0;
        case WM_COMMAND: run_command(LOWORD(wparam)); return 0;
        case WM_TIMER: on_clock_tick(); return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // Windows ends the process soon after: the final write is now.
            if (wparam) save_settings_at_exit();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: on_board_click(LOWORD(lparam), HIWORD(lparam)); return 0;
        case WM_MOUSEMOVE: on_mouse_move(window, lparam); return 0;
        case WM_MOUSELEAVE: on_mouse_leave(); return 0;
        case WM_KEYDOWN:
            if (on_board_key(wparam, lparam)) return 0;
            return DefWindowProcW(window, message, wparam, lparam);
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

// Returns 0 when the window stands, -1 when it could not be made.
int init_application(HINSTANCE previous_instance) {
    if (previous_instance == nullptr && !register_main_class()) return -1;
    init_paths();
    load_settings();
    // The pictures are made by the first layout, at the scale of the
    // monitor the window stands on.
    play_sound(SOUND_START);
    main_window = CreateWindowExW(0, CLASS_NAME, CLASS_NAME, MAIN_WINDOW_STYLE, CREATION_X, CREATION_Y,
                                  CREATION_SIDE, CREATION_SIDE, nullptr, nullptr, app_instance, nullptr);
    if (main_window == nullptr) return -1;
    POINT pointer{};
    if (GetCursorPos(&pointer)) pointer_place = MAKELONG(pointer.x, pointer.y);
    accelerators = LoadAcceleratorsW(app_instance, MAKEINTRESOURCEW(IDA_ACCELERATORS));
    main_menu = GetMenu(main_window);
    apply_menu_texts();
    on_new_game();
    return 0;
}

// Runs until the main window has handled its destroy message; the quit
// message that follows is left in the queue.
void run_message_loop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (is_help_window_message(message) || !TranslateAcceleratorW(main_window, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (main_window == nullptr) break;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR, int) {
    limit_library_search();
    app_instance = instance;
    // The status bar and the settings dialog's arrows. With the manifest's
    // common controls 6 the classes are registered by name, not by the old
    // call that only loads the library.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    if (init_application(previous_instance) != 0) return 1;  // no window: nothing to wait for
    run_message_loop();
    HWND window = closed_window != nullptr ? closed_window : main_window;
    if (window != nullptr) DestroyWindow(window);
    save_settings_at_exit();
    return 0;
}
