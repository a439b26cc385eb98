// The help window's links and keys: a link is followed by a click, or by Tab
// to it and Enter; past the last link Tab goes on to the Contents and Back
// buttons, which Enter or Space press; Back also by Backspace or Alt+Left,
// Contents by Alt+Home; Escape closes. The focus never rests on a disabled
// button.
#include "shell/help_window.h"

#include <windowsx.h>

#include "resources/resource_ids.h"

namespace help_view {

namespace {

POINTL position_of(LONG character) {
    POINTL at{};
    SendMessageW(help.text, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), character);
    return at;
}

// The character whose box holds a point of the text control, or -1. The
// control answers with the nearest character, or (Wine) with the nearest
// boundary between two, so the character before it is tried too; a point
// beside or below the text holds none.
LONG character_at(POINT point) {
    POINTL asked{point.x, point.y};
    const LONG nearest = static_cast<LONG>(SendMessageW(help.text, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&asked)));
    const int line_height = MulDiv(TEXT_POINTS * 3 / 2, window_dpi(help.window), 72);
    for (LONG character = nearest; character >= 0 && character >= nearest - 1; --character) {
        const POINTL left = position_of(character), right = position_of(character + 1);
        if (right.y == left.y && point.x >= left.x && point.x < right.x && point.y >= left.y &&
            point.y < left.y + line_height)
            return character;
    }
    return -1;
}

const Link* link_at(POINT point) {
    const LONG character = character_at(point);
    for (const Link& link : help.links)
        if (character >= link.start && character < link.end) return &link;
    return nullptr;
}

const Link* link_under_cursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(help.text, &cursor);
    return link_at(cursor);
}

void focus_buttons(bool forward);

// Tab selects the next link (Shift+Tab the one before); past the last link,
// or before the first, the keys go on to the buttons.
void select_next_link(bool forward) {
    CHARRANGE now{};
    SendMessageW(help.text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    const int count = static_cast<int>(help.links.size());
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        const int k = forward ? i : count - 1 - i;
        const Link& link = help.links[static_cast<std::size_t>(k)];
        const bool past = forward ? link.start > now.cpMin || (link.start == now.cpMin && now.cpMin == now.cpMax)
                                  : link.start < now.cpMin;
        if (past) { chosen = k; break; }
    }
    if (chosen < 0) return focus_buttons(forward);
    const Link& link = help.links[static_cast<std::size_t>(chosen)];
    select(link.start, link.end);
    SendMessageW(help.text, EM_SCROLLCARET, 0, 0);
}

// Enter follows the link the selection or the caret stands in.
void follow_selected_link() {
    CHARRANGE now{};
    SendMessageW(help.text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    for (const Link& link : help.links) {
        if (now.cpMin >= link.start && now.cpMax <= link.end && now.cpMin < link.end) {
            go_to(link.topic);
            return;
        }
    }
}

// The buttons by keyboard.
// Tab goes round the text's links, Contents and Back (when it can be used);
// coming back to the text from a button selects its first link (its last
// with Shift+Tab).

void focus_text_link(bool forward) {
    SetFocus(help.text);
    const LONG from = forward ? 0 : GetWindowTextLengthW(help.text) + 1;
    select(from, from);
    if (!help.links.empty()) select_next_link(forward);
}

void focus_buttons(bool forward) {
    HWND back = GetDlgItem(help.window, IDC_HELP_BACK);
    SetFocus(forward || !IsWindowEnabled(back) ? GetDlgItem(help.window, IDC_HELP_CONTENTS) : back);
}

void tab_from_button(HWND button, bool forward) {
    HWND back = GetDlgItem(help.window, IDC_HELP_BACK);
    const bool on_contents = GetDlgCtrlID(button) == IDC_HELP_CONTENTS;
    if (forward && on_contents && IsWindowEnabled(back)) SetFocus(back);
    else if (!forward && !on_contents) SetFocus(GetDlgItem(help.window, IDC_HELP_CONTENTS));
    else focus_text_link(forward);
}

}  // namespace

LRESULT CALLBACK text_proc(HWND text, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
            switch (wparam) {
                case VK_TAB: select_next_link(GetKeyState(VK_SHIFT) >= 0); return 0;
                case VK_RETURN: follow_selected_link(); return 0;
                case VK_BACK: go_back(); return 0;
                case VK_ESCAPE: DestroyWindow(help.window); return 0;
                default: break;
            }
            break;
        case WM_CHAR:  // the characters of the keys above are not typing
            if (wparam == L'\t' || wparam == L'\r' || wparam == L'\b' || wparam == 27) return 0;
            break;
        case WM_SYSKEYDOWN:
            // Handled, and passed on too: the default handling must see a key
            // come with Alt, or Alt's release would open the window menu.
            if (wparam == VK_LEFT) go_back();
            if (wparam == VK_HOME) go_to(0);
            break;
        case WM_SETCURSOR:
            if (LOWORD(lparam) == HTCLIENT && link_under_cursor() != nullptr) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP: {
            // A click, not the end of a drag that selected text, follows a link.
            const LRESULT result = CallWindowProcW(help.text_procedure, text, message, wparam, lparam);
            CHARRANGE now{};
            SendMessageW(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
            const Link* link = now.cpMin == now.cpMax ? link_at(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) : nullptr;
            if (link != nullptr) go_to(link->topic);
            return result;
        }
        default: break;
    }
    return CallWindowProcW(help.text_procedure, text, message, wparam, lparam);
}

LRESULT CALLBACK button_proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
            switch (wparam) {
                case VK_TAB: tab_from_button(button, GetKeyState(VK_SHIFT) >= 0); return 0;
                case VK_RETURN: SendMessageW(button, BM_CLICK, 0, 0); return 0;
                case VK_BACK: go_back(); return 0;
                case VK_ESCAPE: DestroyWindow(help.window); return 0;
                default: break;
            }
            break;
        case WM_CHAR:  // the characters of the keys above are not for the button
            if (wparam == L'\t' || wparam == L'\r' || wparam == L'\b' || wparam == 27) return 0;
            break;
        case WM_SYSKEYDOWN:  // passed on too, as in the text
            if (wparam == VK_LEFT) go_back();
            if (wparam == VK_HOME) go_to(0);
            break;
        default: break;
    }
    return CallWindowProcW(help.button_procedure, button, message, wparam, lparam);
}

}  // namespace help_view
