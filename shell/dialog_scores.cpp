// The best-scores dialog (dialog 200): one line per used entry of the table,
// "%06d, %s", left to the sorted list box to order; the score's six digits
// make that order the order of the scores, lowest first. The reset button
// empties the table and the list at once and leaves the dialog open.
#include "resources/resource_ids.h"
#include "shell/dialog_common.h"
#include "storage/best_scores.h"
#include "storage/settings_sync.h"
#include "storage/texts.h"

namespace {

void list_best_scores(HWND dialog) {
    for (int i = 0; i < BEST_SCORE_COUNT; ++i) {
        char line[NAME_BUFFER_SIZE];
        if (!format_best_score_line(i, line, sizeof line)) break;
        SendDlgItemMessageW(dialog, IDC_SCORES_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(widen(line).c_str()));
    }
}

void fill_best_scores(HWND dialog) {
    center_window(dialog, main_window);
    set_window_text(dialog, get_text(TXT_SCORES_TITLE));
    set_item_text(dialog, IDC_OK, get_text(TXT_OK));
    set_item_text(dialog, IDC_SCORES_RESET, get_text(TXT_RESET_SCORES));
    list_best_scores(dialog);
}

INT_PTR CALLBACK best_scores_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        fill_best_scores(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && command_id(wparam) == IDC_SCORES_RESET) {
        reset_best_scores();  // no confirmation; the dialog stays open
        SendDlgItemMessageW(dialog, IDC_SCORES_LIST, LB_RESETCONTENT, 0, 0);
        return TRUE;
    }
    return end_on_ok_or_cancel(dialog, message, wparam);
}

}  // namespace

void show_best_scores() { run_modal_dialog(DLG_BEST_SCORES, best_scores_dialog_proc, 0); }
