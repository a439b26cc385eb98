// The timing driver of the figures under Wine: a console program run in the
// same prefix and display as the game, which times the game from outside.
//   launch <runs> <program> <class> [<program> <class> ...]
//       starts each program in turn, `runs` rounds, and times from the start
//       until a window of its class is visible; closes it and waits for its end.
//   paint <rounds> [<class>]
//       sends the game's window (or the window of that class) WM_MOVE, which
//       makes it paint every cell, each time right after a WM_NULL: the
//       difference of the two medians is the paint without the cost of a
//       message between two processes.
//   paints <rounds>
//       the game's paint and the baseline program's (blit_baseline serve)
//       timed from outside as above, and the baseline's plain loop and whole
//       paint timed inside it, taken in turn round after round, so that the
//       load of the machine weighs on all four alike.
//   move <rounds> <x> <y> [<x> <y> ...]
//       sends a left press at each client point (a stone of a group), then
//       the Undo command that takes the move back, `rounds` times per point.
//       A sent press returns once the whole move has run (it runs inside the
//       window procedure), so its time less a WM_NULL's is the move, burst
//       animation included.
//   waits <rounds>
//       times the animation's four waits of 50 ms as the game makes them
//       (polling timeGetTime, which steps by 1 ms), to subtract from a move.
//   strip <rounds> <side> [<side> ...]
//       makes the game's picture strip as the game does at start-up (a DIB
//       section, the painter drawing the eleven pictures into it, one select
//       into a memory context), round and square, `rounds` times per side.
//   help <rounds> <class>
//       posts the game the Help command (what F1 does) and times until a
//       visible top-level window of that class (the game's own help window,
//       or the system viewer's) has nothing left to paint, itself or any of
//       its controls; then closes it and waits until it is gone.
// Prints one JSON object of samples and medians, in milliseconds.
#include "timing.h"  // <windows.h> before <mmsystem.h>

#include <mmsystem.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "art/strip.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t GAME_CLASS[] = L"GLIMMETS";

int fail(const char* why) {
    std::fprintf(stderr, "wine_bench: %s\n", why);
    return 2;
}

std::wstring wide(const char* text) {
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &result[0], length);
    result.resize(static_cast<std::size_t>(length - 1));
    return result;
}

double time_send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    double start = now_ms();
    SendMessageW(window, message, wparam, lparam);
    return now_ms() - start;
}

// Milliseconds from the start of `program` until its window is visible; a
// negative value when no window came.
double launch_once(const char* program, const char* window_class) {
    std::wstring command = L"\"" + wide(program) + L"\"";
    std::wstring class_name = wide(window_class);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    double start = now_ms();
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1.0;
    HWND window = nullptr;
    double shown = -1.0;
    while (now_ms() - start < 20000.0) {
        window = FindWindowW(class_name.c_str(), nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            shown = now_ms() - start;
            break;
        }
        Sleep(0);
    }
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 3);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

int cmd_launch(int runs, int count, char** pairs) {
    std::vector<std::vector<double>> samples(static_cast<std::size_t>(count));
    for (int r = 0; r < runs; ++r)
        for (int p = 0; p < count; ++p) {
            double shown = launch_once(pairs[2 * p], pairs[2 * p + 1]);
            if (shown < 0) return fail("a program showed no window");
            samples[static_cast<std::size_t>(p)].push_back(shown);
            Sleep(100);  // let the ended process's last work settle
        }
    std::string out = "{\"medians\": [";
    for (int p = 0; p < count; ++p) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.3f", p ? ", " : "", median(samples[static_cast<std::size_t>(p)]));
        out += number;
    }
    out += "], \"samples\": [";
    for (int p = 0; p < count; ++p) out += (p ? ", " : "") + json_list(samples[static_cast<std::size_t>(p)]);
    std::printf("%s]}\n", out.c_str());
    return 0;
}

int cmd_paint(int rounds, const char* window_class) {
    std::wstring class_name = window_class != nullptr ? wide(window_class) : std::wstring(GAME_CLASS);
    HWND window = FindWindowW(class_name.c_str(), nullptr);
    if (window == nullptr) return fail("no window to paint");
    std::vector<double> nulls, moves;
    for (int i = 0; i < rounds; ++i) {
        nulls.push_back(time_send(window, WM_NULL, 0, 0));
        moves.push_back(time_send(window, WM_MOVE, 0, 0));
    }
    std::printf("{\"paint_ms\": %.4f, \"message_ms\": %.4f, \"move_message_ms\": %.4f}\n",
                median(moves) - median(nulls), median(nulls), median(moves));
    return 0;
}

int cmd_paints(int rounds) {
    HWND game = FindWindowW(GAME_CLASS, nullptr);
    HWND baseline = FindWindowW(L"GLIMMETS_BENCH_MINIMAL", nullptr);
    if (game == nullptr || baseline == nullptr) return fail("the game or the baseline has no window");
    std::vector<double> game_nulls, game_moves, base_nulls, base_moves, loops, paints;
    for (int i = 0; i < rounds; ++i) {
        game_nulls.push_back(time_send(game, WM_NULL, 0, 0));
        game_moves.push_back(time_send(game, WM_MOVE, 0, 0));
        base_nulls.push_back(time_send(baseline, WM_NULL, 0, 0));
        base_moves.push_back(time_send(baseline, WM_MOVE, 0, 0));
        loops.push_back(static_cast<double>(SendMessageW(baseline, TIME_LOOP, 0, 0)) / 1e6);
        paints.push_back(static_cast<double>(SendMessageW(baseline, TIME_PAINT, 0, 0)) / 1e6);
    }
    std::printf("{\"paint_ms\": %.4f, \"baseline_paint_ms\": %.4f, \"loop_ms\": %.4f, "
                "\"baseline_inside_ms\": %.4f, \"message_ms\": %.4f}\n",
                median(game_moves) - median(game_nulls), median(base_moves) - median(base_nulls), median(loops),
                median(paints), median(game_nulls));
    return 0;
}

int cmd_move(int rounds, int count, char** points) {
    HWND window = FindWindowW(GAME_CLASS, nullptr);
    if (window == nullptr) return fail("no game window");
    std::string out = "{\"targets\": [";
    for (int p = 0; p < count; ++p) {
        LPARAM where = MAKELPARAM(std::atoi(points[2 * p]), std::atoi(points[2 * p + 1]));
        std::vector<double> nulls, presses;
        for (int i = 0; i < rounds; ++i) {
            nulls.push_back(time_send(window, WM_NULL, 0, 0));
            presses.push_back(time_send(window, WM_LBUTTONDOWN, MK_LBUTTON, where));
            SendMessageW(window, WM_LBUTTONUP, 0, where);
            SendMessageW(window, WM_COMMAND, CMD_UNDO, 0);
        }
        char item[200];
        std::snprintf(item, sizeof item, "%s{\"press_ms\": %.4f, \"fastest_ms\": %.4f, \"message_ms\": %.4f}",
                      p ? ", " : "", median(presses), *std::min_element(presses.begin(), presses.end()),
                      median(nulls));
        out += item;
    }
    std::printf("%s]}\n", out.c_str());
    return 0;
}

// The game's busy wait: at least `ms` on the tick counter since the first reading.
void wait_like_the_game(DWORD ms) {
    DWORD start = timeGetTime();
    while (timeGetTime() - start < ms) {
    }
}

int cmd_waits(int rounds) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        double start = now_ms();
        for (int frame = 0; frame < 4; ++frame) wait_like_the_game(50);
        samples.push_back(now_ms() - start);
    }
    std::printf("{\"waits_ms\": %.4f, \"samples\": %s}\n", median(samples), json_list(samples).c_str());
    return 0;
}

// One strip made, drawn and selected as the game's load_stone_pictures does.
double time_strip(StoneForm form, int side) {
    double start = now_ms();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = STRIP_SLOTS * side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip == nullptr || !draw_strip({form, 24, side}, static_cast<std::uint32_t*>(bits))) return -1.0;
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(context, strip);
    double elapsed = now_ms() - start;
    SelectObject(context, previous);
    DeleteDC(context);
    DeleteObject(strip);
    return elapsed;
}

int cmd_strip(int rounds, int count, char** sides) {
    std::string out = "{\"sides\": [";
    for (int i = 0; i < count; ++i) {
        const int side = std::atoi(sides[i]);
        std::vector<double> round, square;
        for (int r = 0; r < rounds; ++r) {
            round.push_back(time_strip(StoneForm::round, side));
            square.push_back(time_strip(StoneForm::square, side));
        }
        if (*std::min_element(round.begin(), round.end()) < 0) return fail("no strip at that side");
        char item[160];
        std::snprintf(item, sizeof item, "%s{\"side\": %d, \"round_ms\": %.4f, \"square_ms\": %.4f}", i ? ", " : "",
                      side, median(round), median(square));
        out += item;
    }
    std::printf("%s]}\n", out.c_str());
    return 0;
}

int usage() {
    return fail("usage: wine_bench launch <runs> <program> <class> ... | paint <rounds> [<class>] |"
                " paints <rounds> | move <rounds> <x> <y> ... | waits <rounds> | help <rounds> <class> |"
                " strip <rounds> <side> ...");
}

BOOL CALLBACK child_needs_paint(HWND child, LPARAM found) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

// Visible, and neither it nor a control of it waits for a paint.
bool painted(HWND window) {
    if (window == nullptr || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
    bool waiting = false;
    EnumChildWindows(window, child_needs_paint, reinterpret_cast<LPARAM>(&waiting));
    return !waiting;
}

int cmd_help(int rounds, const char* window_class) {
    HWND game = FindWindowW(GAME_CLASS, nullptr);
    std::wstring class_name = wide(window_class);
    if (game == nullptr) return fail("no game window");
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        double start = now_ms();
        PostMessageW(game, WM_COMMAND, CMD_HELP, 0);
        HWND help = nullptr;
        while (!painted(help = FindWindowW(class_name.c_str(), nullptr))) {
            if (now_ms() - start > 30000.0) return fail("no help window was painted");
            Sleep(0);
        }
        samples.push_back(now_ms() - start);
        PostMessageW(help, WM_CLOSE, 0, 0);
        for (double closing = now_ms(); FindWindowW(class_name.c_str(), nullptr) != nullptr;) {
            if (now_ms() - closing > 30000.0) return fail("the help window did not close");
            Sleep(10);
        }
        Sleep(300);  // let the closed window's process or module settle
    }
    std::printf("{\"first_ms\": %.3f, \"median_ms\": %.3f, \"samples\": %s}\n", samples.front(), median(samples),
                json_list(samples).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    std::string command = argv[1];
    int rounds = std::atoi(argv[2]);
    if (rounds < 1) return usage();
    if (command == "launch" && argc >= 5 && (argc - 3) % 2 == 0) return cmd_launch(rounds, (argc - 3) / 2, argv + 3);
    if (command == "paint" && (argc == 3 || argc == 4)) return cmd_paint(rounds, argc == 4 ? argv[3] : nullptr);
    if (command == "waits" && argc == 3) return cmd_waits(rounds);
    if (command == "help" && argc == 4 && rounds > 0) return cmd_help(rounds, argv[3]);
    if (command == "paints" && argc == 3) return cmd_paints(rounds);
    if (command == "strip" && argc >= 4) return cmd_strip(rounds, argc - 3, argv + 3);
    if (command == "move" && argc >= 5 && (argc - 3) % 2 == 0) return cmd_move(rounds, (argc - 3) / 2, argv + 3);
    return usage();
}
