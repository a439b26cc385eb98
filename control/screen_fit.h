// How the main window and the boxes fit the screen: the stone side at the
// screen's scale, shrunk until the whole grid fits the work area, and where a
// window stands when it is centred yet kept inside the work area. Plain
// arithmetic on pixels; the shell asks the system for the numbers.
#pragma once

// The screen's scale is given in dots per inch; 96 is 100 %.
constexpr int BASE_DPI = 96;
// The smallest and largest sides the stones are drawn at.
constexpr int MIN_STONE_SIDE = 8;
constexpr int MAX_STONE_SIDE = 96;

// The stone size chosen in the settings at a scale: 24 at 144 DPI is 36,
// rounded to the nearest pixel and kept between the smallest and largest sides.
int scaled_stone_side(int stone_size, int dpi);

// The room around the grid inside a window (frame, caption, menu bar, status
// bar) and the room the window may take (the work area), in pixels.
struct WindowRoom {
    int extra_width;
    int extra_height;
    int area_width;
    int area_height;
};

// The largest side, at most `wanted`, at which `columns` x `rows` stones and
// the room around them fit the area; never below the smallest side, even
// when nothing fits.
int fitted_stone_side(int wanted, int columns, int rows, const WindowRoom& room);

// The start (left or top) of a window of `length` centred over the span that
// starts at `over_start` and is `over_length` long, then kept inside the area
// [area_start, area_start + area_length): a window larger than the area starts
// at the area's start, so its caption can be reached.
int centred_start(int length, int over_start, int over_length, int area_start, int area_length);

// The status bar's part edges for fields `widths` (pixels, the last field
// reaches the window's right edge and has no edge): each field at least
// `least` pixels wide. `count` edges are written into `edges`.
void status_part_edges(const int* widths, int count, int least, int* edges);
