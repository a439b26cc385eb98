// How the main window and the boxes fit the screen: the stone side at the
// screen's scale, shrunk until the whole grid fits the work area, where a
// window stands when it is centred yet kept inside the work area, which
// monitor the game's window belongs to and the rectangle it takes there, and
// when a change of the screen is laid out. Plain arithmetic on pixels; the
// shell asks the system for the numbers.
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

// A rectangle on the screen, in pixels: right and bottom lie just past it.
// Monitors left of or above the primary one have negative coordinates.
struct ScreenRect {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// A monitor: all of it, its work area (the taskbar left out), its scale, and
// the room the game's window takes around the grid at that scale (frame,
// caption, menu bar and status bar).
struct ScreenMonitor {
    ScreenRect area;
    ScreenRect work;
    int dpi;
    int extra_width;
    int extra_height;
};

// The grid to show: columns, rows and the stone size chosen (pixels at 100 %).
struct GridSize {
    int columns;
    int rows;
    int stone_size;
};

// The monitor a window belongs to: the one that holds the most of it, else
// (a window on none, after a monitor went) the nearest. -1 when there is none.
int monitor_of(const ScreenRect& window, const ScreenMonitor* monitors, int count);

struct WindowPlace {
    ScreenRect window;
    int side;  // the stones' side in pixels
};

// The game's window on one monitor: stones at the monitor's scale, smaller
// when the grid would not fit its work area, the room around the grid added;
// centred in the work area (a new game), or where `old` stands moved by as
// little as it takes to lie inside the work area (a change of the screen).
WindowPlace place_on_monitor(const ScreenRect& old, const GridSize& grid, const ScreenMonitor& monitor, bool centre);

// The same on the monitor the old rectangle belongs to, chosen once; the
// old rectangle itself when there is no monitor at all.
WindowPlace place_window(const ScreenRect& old, const GridSize& grid, const ScreenMonitor* monitors, int count,
                         bool centre);

// When the window is laid out again after a change of the screen (scale,
// metrics and fonts, work area, monitors): at once; while it is minimized,
// once it is restored (a minimized window is never moved); while a layout
// runs (a change sent from inside its own moves), by that layout once more
// after its pass, at the newest scale, so that layouts never nest. A layout
// whose passes keep bringing changes stops after LAYOUT_PASSES: a window
// between two monitors that each send it to the other must come to rest.
constexpr int LAYOUT_PASSES = 4;

class ScreenLayout {
public:
    // A change arrived: true when the caller lays the window out now, in
    // passes while next_pass() answers true.
    bool changed(bool minimized);
    // The window came back from minimized: true when a change waits for it.
    bool restored();
    // After a pass: true when another must follow (a change came during it).
    bool next_pass();
    bool running() const { return running_; }

private:
    bool start();
    bool running_ = false;
    bool waiting_ = false;  // a change no pass has taken yet
    int passes_ = 0;
};
