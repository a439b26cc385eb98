// The congratulations box (dialog 150) shown at the end of a game with the
// result text the controller composed. Both texts are turned into UTF-16
// before anything else runs: the controller's texts may live in the string
// table's shared buffer, which the next text loaded (the OK button's)
// overwrites.
#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "shell/dialog_common.h"
#include "storage/texts.h"

namespace {

struct CongratulationTexts {
    std::wstring caption;
    std::wstring result;
};

void fill_congratulations(HWND dialog, const CongratulationTexts& texts) {
    center_window(dialog, main_window);
    SetWindowTextW(dialog, texts.caption.c_str());
    SetDlgItemTextW(dialog, IDC_CONGRATS_TEXT, texts.result.c_str());
    set_item_text(dialog, IDC_OK, get_text(TXT_OK));
}

INT_PTR CALLBACK congratulations_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_INITDIALOG) return end_on_ok_or_cancel(dialog, message, wparam);
    fill_congratulations(dialog, *reinterpret_cast<const CongratulationTexts*>(lparam));
    return TRUE;
}

}  // namespace

void platform_show_congratulations(const char* caption, const char* text) {
    CongratulationTexts texts{widen(caption), widen(text)};
    run_modal_dialog(DLG_CONGRATULATIONS, congratulations_dialog_proc, reinterpret_cast<LPARAM>(&texts));
}
