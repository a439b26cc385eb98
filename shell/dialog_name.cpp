// The name entry (dialog 300) that the best-scores table opens when a score
// enters it. The box only shows the name it is given and hands back what was
// typed, cut to the characters the table keeps; the trims are the table's.
// If the box cannot be shown at all, the name stays as given, as on cancel.
#include <cstring>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "shell/dialog_common.h"
#include "storage/best_scores.h"
#include "storage/texts.h"

namespace {

void fill_name_entry(HWND dialog, const char* name) {
    center_window(dialog, main_window);
    set_window_text(dialog, get_text(TXT_NAME_TITLE));
    set_item_text(dialog, IDC_OK, get_text(TXT_OK));
    set_item_text(dialog, IDC_NAME_EDIT, name);
}

// Reads at most NAME_TYPED_MAX characters; a character that has no place in
// the Western European code page is kept as '?' rather than dropped.
void read_typed_name(HWND dialog, char* name) {
    wchar_t typed[NAME_TYPED_MAX + 1] = {};
    GetDlgItemTextW(dialog, IDC_NAME_EDIT, typed, NAME_TYPED_MAX + 1);
    std::string bytes = narrow(typed);
    if (bytes.size() > static_cast<std::size_t>(NAME_TYPED_MAX)) bytes.resize(NAME_TYPED_MAX);
    std::memcpy(name, bytes.c_str(), bytes.size() + 1);
}

INT_PTR CALLBACK name_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            fill_name_entry(dialog, reinterpret_cast<const char*>(lparam));
            return TRUE;  // the focus goes to the first tab stop: the name field, its text selected
        case WM_COMMAND:
            if (command_id(wparam) == IDC_OK) {
                read_typed_name(dialog, reinterpret_cast<char*>(GetWindowLongPtrW(dialog, DWLP_USER)));
                EndDialog(dialog, 1);
                return TRUE;
            }
            if (command_id(wparam) != IDCANCEL) return FALSE;
            EndDialog(dialog, 0);
            return TRUE;
        case WM_SYSCOMMAND:
            return end_on_close_command(dialog, wparam);
        default:
            return FALSE;
    }
}

}  // namespace

int platform_ask_player_name(char* name) {
    INT_PTR result = run_modal_dialog(DLG_PLAYER_NAME, name_dialog_proc, reinterpret_cast<LPARAM>(name));
    return result == 1 ? 1 : 0;
}
