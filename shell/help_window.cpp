// Help: the system's help viewer on the help file where the system has one,
// else the game's own help window. That window shows the help pages carried
// inside the program (resource IDR_HELP_PAGES) in a read-only rich text
// control: headings, paragraphs, lists, bold text and links, with Contents
// and Back buttons. Links are followed by a click, or by Tab and Enter; Back
// also by Backspace or Alt+Left; Escape closes. Nothing of it is saved.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "storage/texts.h"
#include "tools/helpgen/help_pages_format.h"

namespace {

const wchar_t HELP_CLASS[] = L"GlimmetsHelp";
constexpr int WINDOW_WIDTH = 560, WINDOW_HEIGHT = 620, MIN_WIDTH = 300, MIN_HEIGHT = 200;
constexpr int GAP = 8, BUTTON_WIDTH = 100, BUTTON_HEIGHT = 26;
// The page's margins are the paragraphs' own indents: a formatting rectangle
// inside the control would put Wine's hit test off by its offset.
constexpr LONG MARGIN_TWIPS = 180;
constexpr std::size_t MAX_HISTORY = 64;
const wchar_t TEXT_FACE[] = L"Tahoma";
constexpr int TEXT_POINTS = 10, TITLE_POINTS = 14;
constexpr COLORREF TEXT_COLOUR = RGB(0, 0, 0), LINK_COLOUR = RGB(0, 0, 204);

struct Link {
    LONG start, end;  // character positions of the label in the control
    int topic;
};

struct HelpWindow {
    HWND window = nullptr;
    HWND text = nullptr;
    WNDPROC text_procedure = nullptr;
    std::vector<help_pages::Topic> topics;  // views into the resource, which lives as long as the program
    std::vector<Link> links;                // of the topic shown
    std::vector<int> history;               // the topics before it, for Back
    int shown = -1;
    bool viewer_used = false;               // WinHelp was asked, so it must be told to quit
} help;

// ---- Which help -------------------------------------------------------------

// The system's help viewer is part of Windows only before 6.0. RtlGetVersion
// tells the truth where GetVersionEx answers a program without a manifest
// with an older version; ntdll is in every process, so no import is needed.
bool system_has_help_viewer() {
    using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    FARPROC found = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (found == nullptr) return true;  // a system older than RtlGetVersion
    auto get_version = reinterpret_cast<GetVersionFunction>(reinterpret_cast<void (*)()>(found));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return get_version(&version) == 0 && version.dwMajorVersion < 6;
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

LONG text_end() {
    CHARRANGE range{};
    SendMessageW(help.text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax;
}

void select(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageW(help.text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// Inserts cp1252 text at the end and gives it its look; returns its range.
CHARRANGE append(std::string_view text, bool bold, bool link, LONG size_twips) {
    const LONG start = text_end();
    const std::wstring wide = widen(std::string(text).c_str());
    SendMessageW(help.text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    const LONG end = text_end();
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_UNDERLINE | CFM_COLOR | CFM_SIZE | CFM_FACE | CFM_CHARSET;
    format.dwEffects = (bold ? CFE_BOLD : 0) | (link ? CFE_UNDERLINE : 0);
    format.yHeight = size_twips;
    format.crTextColor = link ? LINK_COLOUR : TEXT_COLOUR;
    format.bCharSet = ANSI_CHARSET;  // the same glyphs whatever the system's code page
    lstrcpynW(format.szFaceName, TEXT_FACE, LF_FACESIZE);
    select(start, end);
    SendMessageW(help.text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    select(end, end);
    return CHARRANGE{start, end};
}

// Spacing and indents of a paragraph style, in twips.
void format_paragraph(help_pages::Style style, LONG start) {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET;
    format.dxRightIndent = MARGIN_TWIPS;
    switch (style) {
        case help_pages::Style::Title: format.dySpaceBefore = 80; format.dySpaceAfter = 120; break;
        case help_pages::Style::Subheading: format.dySpaceBefore = 200; format.dySpaceAfter = 40; break;
        case help_pages::Style::Body: format.dySpaceBefore = 80; format.dySpaceAfter = 80; break;
        case help_pages::Style::Item: format.dxStartIndent = 240; format.dxOffset = 180; format.dySpaceAfter = 40; break;
        case help_pages::Style::Link: format.dxStartIndent = 240; format.dySpaceAfter = 40; break;
    }
    format.dxStartIndent += MARGIN_TWIPS;
    const LONG end = text_end();
    select(start, end);
    SendMessageW(help.text, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    select(end, end);
}

void fill_topic(const help_pages::Topic& topic) {
    SetWindowTextW(help.text, L"");
    help.links.clear();
    bool first = true;
    for (const help_pages::Paragraph& paragraph : topic.paragraphs) {
        if (!first) append("\r", false, false, TEXT_POINTS * 20);
        first = false;
        const LONG start = text_end();
        const bool heading = paragraph.style == help_pages::Style::Title;
        const bool bold_line = heading || paragraph.style == help_pages::Style::Subheading;
        const LONG size = (heading ? TITLE_POINTS : TEXT_POINTS) * 20;  // twips
        if (paragraph.style == help_pages::Style::Item) append("\x95 ", false, false, size);
        for (const help_pages::Run& run : paragraph.runs) {
            const bool link = !run.target.empty();
            const CHARRANGE placed = append(run.text, bold_line || run.bold, link, size);
            const int target = link ? help_pages::find_topic(help.topics, run.target) : -1;
            if (target >= 0) help.links.push_back(Link{placed.cpMin, placed.cpMax, target});
        }
        format_paragraph(paragraph.style, start);
    }
}

void show_topic(int topic) {
    SendMessageW(help.text, WM_SETREDRAW, FALSE, 0);
    SendMessageW(help.text, EM_SETREADONLY, FALSE, 0);
    fill_topic(help.topics[static_cast<std::size_t>(topic)]);
    SendMessageW(help.text, EM_SETREADONLY, TRUE, 0);
    select(0, 0);
    SendMessageW(help.text, WM_VSCROLL, SB_TOP, 0);
    SendMessageW(help.text, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(help.text, nullptr, TRUE);
    help.shown = topic;
    EnableWindow(GetDlgItem(help.window, IDC_HELP_BACK), !help.history.empty());
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
    HDC screen = GetDC(nullptr);
    const int line_height = MulDiv(TEXT_POINTS * 3 / 2, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
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

// Tab selects the next link (Shift+Tab the one before), round the topic.
void select_next_link(bool forward) {
    if (help.links.empty()) return;
    CHARRANGE now{};
    SendMessageW(help.text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    const int count = static_cast<int>(help.links.size());
    int chosen = forward ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
        const int k = forward ? i : count - 1 - i;
        const Link& link = help.links[static_cast<std::size_t>(k)];
        const bool past = forward ? link.start > now.cpMin || (link.start == now.cpMin && now.cpMin == now.cpMax)
                                  : link.start < now.cpMin;
        if (past) { chosen = k; break; }
    }
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
            if (wparam == VK_LEFT) { go_back(); return 0; }
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

HWND make_button(HWND window, int id) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), app_instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
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
    MoveWindow(GetDlgItem(window, IDC_HELP_CONTENTS), GAP, GAP, BUTTON_WIDTH, BUTTON_HEIGHT, TRUE);
    MoveWindow(GetDlgItem(window, IDC_HELP_BACK), 2 * GAP + BUTTON_WIDTH, GAP, BUTTON_WIDTH, BUTTON_HEIGHT, TRUE);
    const int top = 2 * GAP + BUTTON_HEIGHT;
    MoveWindow(help.text, 0, top, client.right, client.bottom > top ? client.bottom - top : 0, TRUE);
}

LRESULT CALLBACK help_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE: lay_out(window); return 0;
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
            reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = POINT{MIN_WIDTH, MIN_HEIGHT};
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

// Right of the game's window, as far from it as the screen lets it be, so
// that the board stays in sight where there is room.
void place_window(HWND window) {
    RECT game{}, work{};
    GetWindowRect(main_window, &game);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG x = std::max(work.left, std::min(game.right + GAP, work.right - WINDOW_WIDTH));
    const LONG y = std::max(work.top, std::min(game.top, work.bottom - WINDOW_HEIGHT));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// Creates the window on the contents; false when the pages or the rich text
// control are missing.
bool open_help_window() {
    // The rich text control lives in msftedit.dll, loaded at first use so
    // that the program imports only what every Windows has.
    static HMODULE rich_text = LoadLibraryW(L"msftedit.dll");
    if (rich_text == nullptr || !load_pages() || !register_help_class()) return false;
    help.window = CreateWindowExW(0, HELP_CLASS, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, 0,
                                  WINDOW_WIDTH, WINDOW_HEIGHT, main_window, nullptr, app_instance, nullptr);
    if (help.window == nullptr) return false;
    if (!make_controls(help.window)) {
        DestroyWindow(help.window);
        return false;
    }
    lay_out(help.window);
    place_window(help.window);
    show_topic(0);
    return true;
}

}  // namespace

void show_help() {
    if (system_has_help_viewer() && file_exists(help_path.c_str())) {
        help.viewer_used = true;
        WinHelpA(main_window, help_path.c_str(), HELP_CONTENTS, 0);
        return;
    }
    if (help.window == nullptr && !open_help_window()) return;
    // The texts follow the language of the moment.
    set_window_text(help.window, get_text(TXT_HELP_TITLE));
    set_item_text(help.window, IDC_HELP_CONTENTS, get_text(TXT_HELP_CONTENTS));
    set_item_text(help.window, IDC_HELP_BACK, get_text(TXT_HELP_BACK));
    if (IsIconic(help.window)) ShowWindow(help.window, SW_RESTORE);
    ShowWindow(help.window, SW_SHOW);
    SetForegroundWindow(help.window);
    SetFocus(help.text);
}

void close_help() {
    if (help.viewer_used) WinHelpA(main_window, help_path.c_str(), HELP_QUIT, 0);
    if (help.window != nullptr) DestroyWindow(help.window);
}

bool is_help_window_message(const MSG& message) {
    return help.window != nullptr && (message.hwnd == help.window || IsChild(help.window, message.hwnd));
}
