// The settings dialog (dialog 550): the grid's columns and rows, the number
// of colours, the sound, the stones' form and size. This file only reads and
// writes the controls; what an arrow press writes and what OK stores and
// asks for are the rules of control/settings_dialog.
#include "shell/dialog_common.h"  // first: <commctrl.h> needs <windows.h>

#include <commctrl.h>

#include "control/settings_dialog.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/texts.h"

namespace {

constexpr DWORD ARROWS_STYLE =
    WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
// The arrows' own position is never read: every step is computed from the
// edit box. A wide range around 0 keeps both arrows reporting presses, which
// they stop doing at the ends of their range.
constexpr int ARROWS_RANGE = 32000;
constexpr int ARROWS_WIDTH = 16;

RECT rect_in_dialog(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The arrow control aligns itself on its box; some versions keep a width of
// their own. Made as wide as asked, it takes the extra from the box, and
// stands on the box's top and bottom.
void fit_arrows_to_box(HWND dialog, HWND box, HWND arrows, int width) {
    if (arrows == nullptr) return;
    RECT field = rect_in_dialog(dialog, box), place = rect_in_dialog(dialog, arrows);
    const int extra = width - (place.right - place.left);
    if (extra == 0 && place.top == field.top && place.bottom == field.bottom) return;
    SetWindowPos(box, nullptr, 0, 0, field.right - field.left - extra, field.bottom - field.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(arrows, nullptr, place.left - extra, field.top, width, field.bottom - field.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void write_number(HWND dialog, int edit, int value) {
    SetDlgItemInt(dialog, edit, static_cast<UINT>(value), FALSE);
}

SettingsField read_number(HWND dialog, int edit) {
    wchar_t text[64] = L"";
    GetDlgItemTextW(dialog, edit, text, 64);
    return parse_settings_field(narrow(text).c_str());
}

bool is_ticked(HWND dialog, int button) { return IsDlgButtonChecked(dialog, button) == BST_CHECKED; }

// The arrows sit at the right of their edit box, as tall as it and as wide
// as 16 pixels at 100 % scaled; they do not write the box themselves (no
// UDS_SETBUDDYINT), the dialog does.
void add_number_field(HWND dialog, int edit, int arrows, int value) {
    HWND box = GetDlgItem(dialog, edit);
    RECT area{};
    GetClientRect(box, &area);
    const int width = scale_to(dialog, ARROWS_WIDTH);
    HWND made = CreateUpDownControl(ARROWS_STYLE, area.left, area.top, width, area.bottom - area.top, dialog,
                                    arrows, app_instance, box, ARROWS_RANGE, -ARROWS_RANGE, 0);
    fit_arrows_to_box(dialog, box, made, width);
    write_number(dialog, edit, value);
}

void fill_settings(HWND dialog) {
    center_window(dialog, main_window);
    set_window_text(dialog, get_text(TXT_SETTINGS_TITLE));
    set_item_text(dialog, IDC_OK, get_text(TXT_OK));
    set_item_text(dialog, IDC_CANCEL_BUTTON, get_text(TXT_CANCEL));
    set_item_text(dialog, IDC_GRID_GROUP, get_text(TXT_GRID_GROUP));
    set_item_text(dialog, IDC_COLUMNS_LABEL, get_text(TXT_COLUMNS_LABEL));
    add_number_field(dialog, IDC_COLUMNS_EDIT, IDC_COLUMNS_ARROWS, settings.columns);
    set_item_text(dialog, IDC_ROWS_LABEL, get_text(TXT_ROWS_LABEL));
    add_number_field(dialog, IDC_ROWS_EDIT, IDC_ROWS_ARROWS, settings.rows);
    set_item_text(dialog, IDC_SOUND_CHECK, get_text(TXT_SOUND_CHECK));
    CheckDlgButton(dialog, IDC_SOUND_CHECK, settings.sound != 0 ? BST_CHECKED : BST_UNCHECKED);
    set_item_text(dialog, IDC_COLOURS_LABEL, get_text(TXT_COLOURS_LABEL));
    add_number_field(dialog, IDC_COLOURS_EDIT, IDC_COLOURS_ARROWS, settings.colours);
    set_item_text(dialog, IDC_FORM_GROUP, get_text(TXT_FORM_GROUP));
    set_item_text(dialog, IDC_FORM_ROUND, get_text(TXT_FORM_ROUND));
    set_item_text(dialog, IDC_FORM_SQUARE, get_text(TXT_FORM_SQUARE));
    CheckRadioButton(dialog, IDC_FORM_ROUND, IDC_FORM_SQUARE,
                     settings.form != 0 ? IDC_FORM_ROUND : IDC_FORM_SQUARE);
    set_item_text(dialog, IDC_SIZE_GROUP, get_text(TXT_SIZE_GROUP));
    for (int i = 0; i < 4; ++i)
        if (STONE_SIZES[i] == settings.stone_size) CheckDlgButton(dialog, IDC_SIZE_15 + i, BST_CHECKED);
}

bool is_arrows(UINT_PTR id) {
    return id == IDC_COLUMNS_ARROWS || id == IDC_ROWS_ARROWS || id == IDC_COLOURS_ARROWS;
}

// The notification's own result stays 0, so the arrow control may move its
// position; only the edit box's number matters.
INT_PTR on_arrow_press(HWND dialog, const NMHDR& header) {
    if (header.code != UDN_DELTAPOS || !is_arrows(header.idFrom)) return FALSE;
    const auto& press = reinterpret_cast<const NMUPDOWN&>(header);
    int arrows = static_cast<int>(header.idFrom);
    int edit = arrows_edit_box(arrows);
    write_number(dialog, edit, arrow_step(arrows, read_number(dialog, edit), press.iDelta));
    return TRUE;
}

void on_ok(HWND dialog) {
    SettingsChoice choice{};
    choice.columns = read_number(dialog, IDC_COLUMNS_EDIT);
    choice.rows = read_number(dialog, IDC_ROWS_EDIT);
    choice.colours = read_number(dialog, IDC_COLOURS_EDIT);
    choice.sound = is_ticked(dialog, IDC_SOUND_CHECK);
    choice.round = is_ticked(dialog, IDC_FORM_ROUND);
    for (int i = 0; i < 4; ++i) choice.size_ticked[i] = is_ticked(dialog, IDC_SIZE_15 + i);
    SettingsOutcome outcome = apply_settings_choice(choice);
    if (outcome.reload_pictures) fit_stones_to_window(main_window);
    // Posted, not sent: the new game is dealt once this dialog has ended.
    if (outcome.post_new_game) PostMessageW(main_window, WM_COMMAND, CMD_NEW_GAME, CMD_NEW_GAME);
    EndDialog(dialog, 1);
}

INT_PTR on_command(HWND dialog, int id) {
    switch (id) {
        case IDC_FORM_ROUND:
        case IDC_FORM_SQUARE:
            CheckRadioButton(dialog, IDC_FORM_ROUND, IDC_FORM_SQUARE, id);
            return TRUE;
        case IDC_SIZE_15:
        case IDC_SIZE_18:
        case IDC_SIZE_21:
        case IDC_SIZE_24:
            CheckRadioButton(dialog, IDC_SIZE_15, IDC_SIZE_24, id);
            return TRUE;
        case IDC_OK:
            on_ok(dialog);
            return TRUE;
        case IDC_CANCEL_BUTTON:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            fill_settings(dialog);
            return TRUE;  // the focus goes to the first tab stop, the columns
        case WM_NOTIFY:
            return on_arrow_press(dialog, *reinterpret_cast<const NMHDR*>(lparam));
        case WM_COMMAND:
            return on_command(dialog, command_id(wparam));
        case WM_SYSCOMMAND:
            return end_on_close_command(dialog, wparam);
        default:
            return FALSE;
    }
}
