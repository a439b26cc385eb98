// What every dialog box of the game shares: how it is run (modal, owned by
// the main window, as a Unicode dialog so the string table's accents show
// under any code page) and how its close box is recognised.
#pragma once

#include "resources/resource_ids.h"
#include "shell/shell.h"

// Runs dialog template `resource` with `procedure`, owned by the main
// window; `data` reaches the procedure as WM_INITDIALOG's lParam. Returns
// the end code, or -1 when the box could not be created.
inline INT_PTR run_modal_dialog(int resource, DLGPROC procedure, LPARAM data) {
    return DialogBoxParamW(app_instance, MAKEINTRESOURCEW(resource), main_window, procedure, data);
}

// The system menu's Close, and the close box, which sends the same command;
// the low four bits of the command are the system's own and are ignored.
inline bool is_close_command(WPARAM wparam) { return (wparam & 0xFFF0) == SC_CLOSE; }

// The control id of a WM_COMMAND; its notification code is not looked at.
inline int command_id(WPARAM wparam) { return LOWORD(wparam); }

// The close box or the system menu's Close: the dialog ends with 0, as a cancel.
inline INT_PTR end_on_close_command(HWND dialog, WPARAM wparam) {
    if (!is_close_command(wparam)) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

// How a box that only shows something ends: OK, Escape (the cancel id) and
// the close box each end it with 0. TRUE when the message was one of those.
inline INT_PTR end_on_ok_or_cancel(HWND dialog, UINT message, WPARAM wparam) {
    if (message == WM_SYSCOMMAND) return end_on_close_command(dialog, wparam);
    bool ends = message == WM_COMMAND && (command_id(wparam) == IDC_OK || command_id(wparam) == IDCANCEL);
    if (ends) EndDialog(dialog, 0);
    return ends ? TRUE : FALSE;
}
