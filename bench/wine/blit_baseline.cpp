// The yardstick program of the figures under Wine. Started plainly it is the
// smallest Win32 window program: it shows a window and waits to be closed,
// so its launch can be timed against the game's. Started as
// `blit_baseline blit <copies> <side> <rounds>` it shows a window and times,
// `rounds` times, `copies` plain BitBlt calls of a side x side square from a
// memory context whose bitmap was selected once (the loop alone), and the same
// loop with the device context, memory context and select around it, as the
// game's paint has them. Prints the medians in milliseconds as JSON.
// Its window holds 31 x 31 squares of the side asked (at least 800 x 820).
// Started as `blit_baseline serve <copies> <side>` it paints that many
// copies (with the context and select around them) whenever it gets WM_MOVE,
// as the game paints its board, so that wine_bench times both paints from
// outside in the same way; sent TIME_LOOP or TIME_PAINT it answers with the
// time of the plain loop or of the whole paint measured inside, in
// nanoseconds, so that all the paints are timed side by side.
// Started as `blit_baseline frames <copies> <side> <rounds>` it draws what
// one square move of the game draws, six paints of its own with four busy
// waits of 50 ms between the first five, and reports the time of the whole
// less the time of the waits: the draws of a move as the screen gets them
// (Wine sends a window's picture to the X server at most every 50 ms, so
// here every frame is sent).
#include "timing.h"  // <windows.h> before <mmsystem.h>

#include <mmsystem.h>

#include <cstdlib>
#include <cstring>

namespace {

const wchar_t CLASS_NAME[] = L"GLIMMETS_BENCH_MINIMAL";
constexpr int CELLS_PER_ROW = 31;
constexpr int PICTURES = 11;  // as many pictures as the game's strip holds

// What `serve` paints on WM_MOVE; no strip, no paint.
HBITMAP served_strip = nullptr;
int served_copies = 0, served_side = 0;

double time_loop(HWND window, HBITMAP strip, int copies, int side);
double time_paint(HWND window, HBITMAP strip, int copies, int side);

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (served_strip != nullptr) {
        if (message == WM_MOVE) {
            time_paint(window, served_strip, served_copies, served_side);
            return 0;
        }
        if (message == TIME_LOOP)
            return static_cast<LRESULT>(time_loop(window, served_strip, served_copies, served_side) * 1e6);
        if (message == TIME_PAINT)
            return static_cast<LRESULT>(time_paint(window, served_strip, served_copies, served_side) * 1e6);
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void copy_cells(HDC target, HDC pictures, int copies, int side) {
    for (int i = 0; i < copies; ++i)
        BitBlt(target, (i % CELLS_PER_ROW) * side, (i / CELLS_PER_ROW % CELLS_PER_ROW) * side, side, side,
               pictures, (i % PICTURES) * side, 0, SRCCOPY);
}

// The loop alone, its context and bitmap prepared beforehand.
double time_loop(HWND window, HBITMAP strip, int copies, int side) {
    HDC dc = GetDC(window);
    HDC pictures = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(pictures, strip);
    double start = now_ms();
    copy_cells(dc, pictures, copies, side);
    GdiFlush();
    double elapsed = now_ms() - start;
    SelectObject(pictures, previous);
    DeleteDC(pictures);
    ReleaseDC(window, dc);
    return elapsed;
}

// The loop with what a paint of its own needs around it.
double time_paint(HWND window, HBITMAP strip, int copies, int side) {
    double start = now_ms();
    HDC dc = GetDC(window);
    HDC pictures = CreateCompatibleDC(dc);
    SelectObject(pictures, strip);
    copy_cells(dc, pictures, copies, side);
    DeleteDC(pictures);
    ReleaseDC(window, dc);
    GdiFlush();
    return now_ms() - start;
}

// The game's busy wait: at least `ms` on the 1 ms tick counter.
void wait_like_the_game(DWORD ms) {
    DWORD start = timeGetTime();
    while (timeGetTime() - start < ms) {
    }
}

// The draws of one move: four burst frames 50 ms apart, the cleared cells,
// the settled board.
double time_move_draws(HWND window, HBITMAP strip, int copies, int side) {
    double waits = 0.0, start = now_ms();
    for (int frame = 0; frame < 4; ++frame) {
        time_paint(window, strip, copies, side);
        double wait_start = now_ms();
        wait_like_the_game(50);
        waits += now_ms() - wait_start;
    }
    time_paint(window, strip, copies, side);
    time_paint(window, strip, copies, side);
    return now_ms() - start - waits;
}

HBITMAP make_strip(int side) {
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, side * PICTURES, side);  // as the game's strip
    HDC filler = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(filler, strip);
    for (int k = 0; k < PICTURES; ++k) {
        HBRUSH brush = CreateSolidBrush(RGB(40 * k, 255 - 20 * k, 128));
        RECT cell{k * side, 0, (k + 1) * side, side};
        FillRect(filler, &cell, brush);
        DeleteObject(brush);
    }
    SelectObject(filler, previous);
    DeleteDC(filler);
    ReleaseDC(nullptr, screen);
    return strip;
}

int time_frames(HWND window, int copies, int side, int rounds) {
    HBITMAP strip = make_strip(side);
    std::vector<double> moves;
    for (int r = 0; r < rounds; ++r) moves.push_back(time_move_draws(window, strip, copies, side));
    DeleteObject(strip);
    std::printf("{\"move_draws_ms\": %.4f, \"samples\": %s}\n", median(moves), json_list(moves).c_str());
    return 0;
}

int time_copies(HWND window, int copies, int side, int rounds) {
    HBITMAP strip = make_strip(side);
    std::vector<double> loops, paints;
    for (int r = 0; r < rounds; ++r) {
        loops.push_back(time_loop(window, strip, copies, side));
        paints.push_back(time_paint(window, strip, copies, side));
    }
    DeleteObject(strip);
    std::printf("{\"loop_ms\": %.4f, \"paint_ms\": %.4f, \"loops\": %s}\n", median(loops), median(paints),
                json_list(loops).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.lpszClassName = CLASS_NAME;
    RegisterClassW(&window_class);
    // Large enough for the 31 x 31 squares of the side asked, at the screen's left.
    const int side = argc >= 4 ? std::atoi(argv[3]) : 24;
    const int width = std::max(800, CELLS_PER_ROW * side + 32), height = std::max(820, CELLS_PER_ROW * side + 80);
    HWND window = CreateWindowExW(0, CLASS_NAME, L"Baseline", WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    if (argc == 5 && std::strcmp(argv[1], "blit") == 0)
        return time_copies(window, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc == 4 && std::strcmp(argv[1], "serve") == 0) {
        served_copies = std::atoi(argv[2]);
        served_side = std::atoi(argv[3]);
        served_strip = make_strip(served_side);
    }
    if (argc == 5 && std::strcmp(argv[1], "frames") == 0)
        return time_frames(window, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
