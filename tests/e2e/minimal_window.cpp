// The yardstick for the game's figures under Wine: the smallest Win32 window
// program. Started plainly, it shows a window and waits to be closed (the
// probe's `launch` times it against the game). Started as
// `minimal_window blit <copies> <side>`, it shows a window, selects one
// bitmap into a memory context once and times that many plain copies of a
// side x side square onto the window, as the game's paint does per cell.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

double seconds_now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Copies per row of the board: 31 x 31 cells.
double time_copies(HWND window, int copies, int side) {
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, side * 11, side);
    SelectObject(memory, picture);
    PatBlt(memory, 0, 0, side * 11, side, WHITENESS);
    double start = seconds_now();
    for (int i = 0; i < copies; ++i)
        BitBlt(dc, (i % 31) * side, (i / 31 % 31) * side, side, side, memory, (i % 11) * side, 0, SRCCOPY);
    GdiFlush();
    double elapsed = seconds_now() - start;
    DeleteDC(memory);
    DeleteObject(picture);
    ReleaseDC(window, dc);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.lpszClassName = L"GLIMMETS_MINIMAL";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, L"GLIMMETS_MINIMAL", L"Minimal", WS_OVERLAPPEDWINDOW, 0, 0, 800, 820,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    if (argc == 4 && std::strcmp(argv[1], "blit") == 0) {
        double elapsed = time_copies(window, std::atoi(argv[2]), std::atoi(argv[3]));
        std::printf("{\"copies_ms\": %.3f}\n", elapsed * 1000.0);
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
