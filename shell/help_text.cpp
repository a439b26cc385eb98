// The help window's text: the help pages carried inside the program
// (resource IDR_HELP_PAGES), a topic streamed into the read-only rich text
// control as rich text (headings, paragraphs, lists, bold text, links in the
// system's link colour), and the topics visited, for Back.
#include "shell/help_window.h"

#include <string>

#include "resources/resource_ids.h"

namespace help_view {

HelpWindow help;

namespace {

// The page's margins are the paragraphs' own indents, in twips: a formatting rectangle
// inside the control would put Wine's hit test off by its offset.
constexpr LONG MARGIN_TWIPS = 180;
constexpr std::size_t MAX_HISTORY = 64;

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

// A topic goes into the control in one piece, as rich text made from its
// pages: one stream lays it out once, where a format message per run would
// lay it out again each time. Every character outside ASCII is written as a
// Unicode escape, so no code page has a say in it. While the text is made,
// the characters are counted as the control counts them (one per UTF-16
// unit, one per paragraph end), which gives each link its place.

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

}  // namespace

bool load_pages() {
if (!help.topics.empty()) return true;
    HRSRC found = FindResourceW(app_instance, MAKEINTRESOURCEW(IDR_HELP_PAGES), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(app_instance, found) : nullptr;
    const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) return false;
    return help_pages::read_help_pages(std::string_view(bytes, SizeofResource(app_instance, found)), help.topics);
}

void select(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageW(help.text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
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

}  // namespace help_view
