// The About box (dialog 130): the product name and version and the maker's
// contact block, in the current language each time it opens. OK, Enter (OK
// is the default button), Escape and the close box all end it.
#include "control/game.h"
#include "resources/resource_ids.h"
#include "shell/dialog_common.h"
#include "storage/texts.h"

namespace {

void fill_about_box(HWND dialog) {
    center_window(dialog, main_window);
    set_window_text(dialog, get_text(TXT_ABOUT_TITLE));
    set_item_text(dialog, IDC_OK, get_text(TXT_OK));
    set_item_text(dialog, IDC_ABOUT_TITLE, get_text(TXT_ABOUT_PRODUCT));
    set_item_text(dialog, IDC_ABOUT_CONTACT, get_text(TXT_ABOUT_CONTACT));
}

}  // namespace

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message != WM_INITDIALOG) return end_on_ok_or_cancel(dialog, message, wparam);
    fill_about_box(dialog);
    return TRUE;
}
