// The Board number dialog (dialog 600): shows the number of the board in
// play and deals the number the player types, with the current settings.
// Which texts are numbers is the rule of control/board_number; a text that is
// not one is refused with a message, and the dialog stays open to mend it.
#include <cstdint>
#include <string>

#include "control/board_number.h"
#include "control/game.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "shell/dialog_common.h"
#include "storage/format_text.h"
#include "storage/texts.h"

namespace {

void select_number(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_BOARD_NUMBER_EDIT);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void fill_board_number(HWND dialog, std::uint32_t number) {
    center_window(dialog, main_window);
    set_window_text(dialog, get_text(TXT_BOARD_NUMBER_TITLE));
    set_item_text(dialog, IDC_BOARD_NUMBER_LABEL, get_text(TXT_BOARD_NUMBER_LABEL));
    set_item_text(dialog, IDC_OK, get_text(TXT_OK));
    set_item_text(dialog, IDC_CANCEL_BUTTON, get_text(TXT_CANCEL));
    char text[16];
    format_text(text, sizeof text, "%u", static_cast<unsigned>(number));
    // The field takes any paste whole (0 lifts its limit): a text cut to
    // its first characters could read as another number.
    SendDlgItemMessageW(dialog, IDC_BOARD_NUMBER_EDIT, EM_LIMITTEXT, 0, 0);
    set_item_text(dialog, IDC_BOARD_NUMBER_EDIT, text);
    select_number(dialog);
}

// The box's own title heads the message, which names the numbers allowed.
void refuse(HWND dialog) {
    const std::wstring message = widen(get_text(TXT_BOARD_NUMBER_REFUSED));
    const std::wstring caption = widen(get_text(TXT_BOARD_NUMBER_TITLE));
    MessageBoxW(dialog, message.c_str(), caption.c_str(), MB_ICONEXCLAMATION | MB_OK);
    select_number(dialog);
}

void on_ok(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_BOARD_NUMBER_EDIT);
    std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(GetWindowTextW(edit, &typed[0], static_cast<int>(typed.size()))));
    auto* number = reinterpret_cast<std::uint32_t*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!parse_board_number(narrow(typed.c_str()).c_str(), *number)) {
        refuse(dialog);
        return;
    }
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK board_number_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            fill_board_number(dialog, *reinterpret_cast<const std::uint32_t*>(lparam));
            return FALSE;  // the focus is set: the number, selected
        case WM_COMMAND:
            switch (command_id(wparam)) {
                case IDC_OK: on_ok(dialog); return TRUE;
                case IDC_CANCEL_BUTTON:
                case IDCANCEL: EndDialog(dialog, 0); return TRUE;
                default: return FALSE;
            }
        case WM_SYSCOMMAND:
            return end_on_close_command(dialog, wparam);
        default:
            return FALSE;
    }
}

}  // namespace

// The board is dealt once the box has closed, as the main window then
// repaints what the box covered.
void ask_board_number() {
    std::uint32_t number = current_deal.seed;
    if (run_modal_dialog(DLG_BOARD_NUMBER, board_number_proc, reinterpret_cast<LPARAM>(&number)) == 1)
        on_board_number(number);
}
