// The parts of the help window that its three files share: the window's
// state, its sizes, and what each file offers the others. help_window.cpp
// holds the window, its layout at the monitor's scale and the choice between
// it and the system's help viewer; help_text.cpp fills the text control with
// a topic and keeps the topics visited; help_keys.cpp follows links by mouse
// and keyboard and moves the keys between the text and the buttons.
#pragma once

#include "shell/shell.h"  // <windows.h> before the other system headers

#include <richedit.h>

#include <vector>

#include "help/pages_format.h"

namespace help_view {

// Sizes at 100 %, scaled to the window's monitor.
constexpr int WINDOW_WIDTH = 560, WINDOW_HEIGHT = 620, MIN_WIDTH = 300, MIN_HEIGHT = 200;
constexpr int GAP = 8, BUTTON_WIDTH = 100, BUTTON_HEIGHT = 26;
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
};
extern HelpWindow help;

// help_text.cpp: the pages from the resource, a topic shown, visited, left.
bool load_pages();
void select(LONG start, LONG end);
void show_topic(int topic);
void go_to(int topic);
void go_back();

// help_keys.cpp: the text control's and the buttons' own handling of keys
// and clicks, put in place of theirs.
LRESULT CALLBACK text_proc(HWND text, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK button_proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace help_view
