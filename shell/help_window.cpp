// Help: the game's own help window wherever its rich text control can be
// loaded, else the system's help viewer on the help file. That window shows the help pages carried
// inside the program (resource IDR_HELP_PAGES) in a read-only rich text
// control: headings, paragraphs, lists, bold text and links, with Contents
// and Back buttons. Links are followed by a click, or by Tab and Enter; past
// the last link Tab goes on to the buttons, which Enter or Space press; Back
// also by Backspace or Alt+Left, Contents by Alt+Home; Escape closes.
// Nothing of it is saved.
// Its size, its buttons and its text follow the scale of the game's monitor,
// and it opens inside that monitor's work area.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "storage/texts.h"
#include "help/pages_format.h"

namespace {

const wchar_t HELP_CLASS[] = L"GlimmetsHelp";
// Sizes at 100 %, scaled to the window's monitor.
constexpr int WINDOW_WIDTH = 560, WINDOW_HEIGHT = 620, MIN_WIDTH = 300, MIN_HEIGHT = 200;
constexpr int GAP = 8, BUTTON_WIDTH = 100, BUTTON_HEIGHT = 26;
// The page's margins are the paragraphs' own indents, in twips: a formatting rectangle
// inside the control would put Wine's hit test off by its offset.
constexpr LONG MARGIN_TWIPS = 180;
constexpr std::size_t MAX_HISTORY = 64;
constexpr int TEXT_POINTS = 10, TITLE_POINTS = 14;

struct Link {
    LONG start, end;  // character positions of the label in the control
    int topic;
};

struct HelpWindow {
    HWND window = nullptr;
    HWND text = nullptr;
    WNDPROC text_procedure = nullptr;
    WNDPROC button_procedure = nullptr;
    std::vector<help_pages::Topic> topics;  // views into the resource, which lives as long as the program
    std::vector<Link> links;                // of the topic shown
    std::vector<int> history;               // the topics before it, for Back
    int shown = -1;
    bool viewer_used = false;               // WinHelp was asked, so it must be told to quit
    HFONT button_font = nullptr;            // the system's message font at the window's scale
} help;

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

// ---- The pages --------------------------------------------------------------

bool load_pages() {
    if (!help.topics.empty()) return true;
    HRSRC found = FindResourceW(app_instance, MAKEINTRESOURCEW(IDR_HELP_PAGES), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(app_instance, found) : nullptr;
    const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) return false;
    return help_pages::read_help_pages(std::string_view(bytes, SizeofResource(app_instance, found)), help.topics);
}

// ---- Filling the text control ----------------------------------------------
// A topic goes into the control in one piece, as rich text made from its
// pages: one stream lays it out once, where a format message per run would
// lay it out again each time. Every character outside ASCII is written as a
// Unicode escape, so no code page has a say in it. While the text is made,
// the characters are counted as the control counts them (one per UTF-16
// unit, one per paragraph end), which gives each link its place.

void select(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageW(help.text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// Brightness, 0 to 255, as the eye weighs the three primaries.
int brightness(COLORREF colour) {
    return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
}

// Links in the system's own link colour, which high-contrast themes change;
// a scheme whose link colour hardly stands out from the page (some use it for
// a light hover background) gets links in the text's colour, still underlined.
std::string link_colour_table() {
    constexpr int LEAST_CONTRAST = 64;
    COLORREF link = GetSysColor(COLOR_HOTLIGHT);
    const int page = brightness(GetSysColor(COLOR_WINDOW));
    if (brightness(link) - page < LEAST_CONTRAST && page - brightness(link) < LEAST_CONTRAST)
        link = GetSysColor(COLOR_WINDOWTEXT);
    char table[64];
    wsprintfA(table, "{\\colortbl;\\red%u\\green%u\\blue%u;}", GetRValue(link), GetGValue(link), GetBValue(link));
    return table;
}

class RichText {
public:
    RichText() {
        out_ = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Tahoma;}}" + link_colour_table() + "\\uc1 ";
    }
    // Spacing and indents of a paragraph style, in twips, and its type size.
    void start_paragraph(help_pages::Style style) {
        if (paragraphs_++ > 0) {
            out_ += "\\par\n";
            ++position_;
        }
        int before = 0, after = 40, indent = 0, hanging = 0, half_points = TEXT_POINTS * 2;
        bool bold = false;
        switch (style) {
            case help_pages::Style::Title: before = 80; after = 120; half_points = TITLE_POINTS * 2; bold = true; break;
            case help_pages::Style::Subheading: before = 200; bold = true; break;
            case help_pages::Style::Body: before = 80; after = 80; break;
            case help_pages::Style::Item: indent = 240; hanging = 180; break;
            case help_pages::Style::Link: indent = 240; before = 40; after = 0; break;
        }
        char head[160];
        wsprintfA(head, "\\pard\\sb%d\\sa%d\\li%ld\\fi%d\\ri%ld\\plain\\f0\\fs%d%s ", before, after,
                  MARGIN_TWIPS + indent + hanging, -hanging, MARGIN_TWIPS, half_points, bold ? "\\b" : "");
        out_ += head;
        if (style == help_pages::Style::Item) text("\x95 ");
    }
    // Text as cp1252 bytes; returns where it stands in the control.
    CHARRANGE text(std::string_view bytes, const char* look = nullptr) {
        if (look != nullptr) out_ += std::string("{") + look + " ";
        const LONG start = position_;
        for (wchar_t c : widen(std::string(bytes).c_str())) {
            if (c == L'\\' || c == L'{' || c == L'}') {
                out_ += '\\';
                out_ += static_cast<char>(c);
            } else if (c < 0x80) {
                out_ += static_cast<char>(c);
            } else {
                char escape[16];
                wsprintfA(escape, "\\u%d?", static_cast<int>(static_cast<short>(c)));
                out_ += escape;
            }
            ++position_;
        }
        if (look != nullptr) out_ += "}";
        return CHARRANGE{start, position_};
    }
    // The last paragraph ends too: the reader gives a paragraph its layout at its end.
    std::string finish() { return out_ + "\\par}"; }

private:
    std::string out_;
    LONG position_ = 0;
    int paragraphs_ = 0;
};

struct Reading {
    const std::string* rich_text;
    std::size_t at;
};

DWORD CALLBACK read_rich_text(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    Reading& reading = *reinterpret_cast<Reading*>(cookie);
    const std::size_t left = reading.rich_text->size() - reading.at;
    const std::size_t count = left < static_cast<std::size_t>(wanted) ? left : static_cast<std::size_t>(wanted);
    CopyMemory(buffer, reading.rich_text->data() + reading.at, count);
    reading.at += count;
    *given = static_cast<LONG>(count);
    return 0;
}

void fill_topic(const help_pages::Topic& topic) {
    help.links.clear();
    RichText rich;
    for (const help_pages::Paragraph& paragraph : topic.paragraphs) {
        rich.start_paragraph(paragraph.style);
        for (const help_pages::Run& run : paragraph.runs) {
            const bool link = !run.target.empty();
            const CHARRANGE placed = rich.text(run.text, link ? "\\cf1\\ul" : run.bold ? "\\b" : nullptr);
            const int target = link ? help_pages::find_topic(help.topics, run.target) : -1;
            if (target >= 0) help.links.push_back(Link{placed.cpMin, placed.cpMax, target});
        }
    }
    const std::string text = rich.finish();
    Reading reading{&text, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reading), 0, read_rich_text};
    SendMessageW(help.text, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void show_topic(int topic) {
    SendMessageW(help.text, WM_SETREDRAW, FALSE, 0);
    fill_topic(help.topics[static_cast<std::size_t>(topic)]);
    select(0, 0);
    SendMessageW(help.text, WM_VSCROLL, SB_TOP, 0);
    SendMessageW(help.text, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(help.text, nullptr, TRUE);
    help.shown = topic;
    // A disabled window keeps no focus: the keys would reach nothing. Back
    // disabled under the focus (by itself, Backspace or Alt+Left) gives it to the text first.
    HWND back = GetDlgItem(help.window, IDC_HELP_BACK);
    if (help.history.empty() && GetFocus() == back) SetFocus(help.text);
    EnableWindow(back, !help.history.empty());
}

void go_to(int topic) {
    if (topic == help.shown) return;
    if (help.history.size() == MAX_HISTORY) help.history.erase(help.history.begin());
    help.history.push_back(help.shown);
    show_topic(topic);
}

void go_back() {
    if (help.history.empty()) return;
    const int topic = help.history.back();
    help.history.pop_back();
    show_topic(topic);
}

// ---- Links ------------------------------------------------------------------

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

// ---- The window and its text control ------------------------------------------

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

// ---- The buttons by keyboard ----------------------------------------------------
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
