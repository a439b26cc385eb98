// The arithmetic of fitting the game's windows to the screen (see screen_fit.h).
#include "control/screen_fit.h"

int scaled_stone_side(int stone_size, int dpi) {
    if (dpi <= 0) dpi = BASE_DPI;
    const long long side = (static_cast<long long>(stone_size) * dpi + BASE_DPI / 2) / BASE_DPI;
    if (side < MIN_STONE_SIDE) return MIN_STONE_SIDE;
    if (side > MAX_STONE_SIDE) return MAX_STONE_SIDE;
    return static_cast<int>(side);
}

int fitted_stone_side(int wanted, int columns, int rows, const WindowRoom& room) {
    int side = wanted > MAX_STONE_SIDE ? MAX_STONE_SIDE : wanted;
    if (columns < 1) columns = 1;
    if (rows < 1) rows = 1;
    const int by_width = (room.area_width - room.extra_width) / columns;
    const int by_height = (room.area_height - room.extra_height) / rows;
    if (by_width < side) side = by_width;
    if (by_height < side) side = by_height;
    return side < MIN_STONE_SIDE ? MIN_STONE_SIDE : side;
}

int centred_start(int length, int over_start, int over_length, int area_start, int area_length) {
    int start = over_start + (over_length - length) / 2;
    if (start + length > area_start + area_length) start = area_start + area_length - length;
    if (start < area_start) start = area_start;
    return start;
}

void status_part_edges(const int* widths, int count, int least, int* edges) {
    int edge = 0;
    for (int i = 0; i < count; ++i) {
        edge += widths[i] > least ? widths[i] : least;
        edges[i] = edge;
    }
}

namespace {

long long overlap(int a_start, int a_end, int b_start, int b_end) {
    const int start = a_start > b_start ? a_start : b_start;
    const int end = a_end < b_end ? a_end : b_end;
    return end > start ? static_cast<long long>(end) - start : 0;
}

// How far a span lies from another: 0 when they touch or overlap.
long long gap(int a_start, int a_end, int b_start, int b_end) {
    if (a_end <= b_start) return static_cast<long long>(b_start) - a_end;
    if (b_end <= a_start) return static_cast<long long>(a_start) - b_end;
    return 0;
}

}  // namespace

int monitor_of(const ScreenRect& window, const ScreenMonitor* monitors, int count) {
    int best = -1;
    long long best_area = 0;
    for (int i = 0; i < count; ++i) {
        const ScreenRect& m = monitors[i].area;
        const long long area = overlap(window.left, window.right, m.left, m.right) *
                               overlap(window.top, window.bottom, m.top, m.bottom);
        if (area > best_area) {
            best = i;
            best_area = area;
        }
    }
    if (best >= 0) return best;
    long long best_distance = 0;
    for (int i = 0; i < count; ++i) {
        const ScreenRect& m = monitors[i].area;
        const long long dx = gap(window.left, window.right, m.left, m.right);
        const long long dy = gap(window.top, window.bottom, m.top, m.bottom);
        if (best < 0 || dx * dx + dy * dy < best_distance) {
            best = i;
            best_distance = dx * dx + dy * dy;
        }
    }
    return best;
}

WindowPlace place_on_monitor(const ScreenRect& old, const GridSize& grid, const ScreenMonitor& monitor, bool centre) {
    const ScreenRect& work = monitor.work;
    const WindowRoom room{monitor.extra_width, monitor.extra_height, work.width(), work.height()};
    const int side =
        fitted_stone_side(scaled_stone_side(grid.stone_size, monitor.dpi), grid.columns, grid.rows, room);
    const int width = grid.columns * side + monitor.extra_width;
    const int height = grid.rows * side + monitor.extra_height;
    // Centred over the work area, or over the window itself, which keeps it
    // where it is unless it must come inside.
    const int left = centred_start(width, centre ? work.left : old.left, centre ? work.width() : width, work.left,
                                   work.width());
    const int top = centred_start(height, centre ? work.top : old.top, centre ? work.height() : height, work.top,
                                  work.height());
    return WindowPlace{ScreenRect{left, top, left + width, top + height}, side};
}

WindowPlace place_window(const ScreenRect& old, const GridSize& grid, const ScreenMonitor* monitors, int count,
                         bool centre) {
    const int chosen = monitor_of(old, monitors, count);
    if (chosen < 0) return WindowPlace{old, scaled_stone_side(grid.stone_size, BASE_DPI)};
    return place_on_monitor(old, grid, monitors[chosen], centre);
}

bool ScreenLayout::start() {
    running_ = true;
    waiting_ = false;
    passes_ = 1;
    return true;
}

bool ScreenLayout::changed(bool minimized) {
    waiting_ = true;
    if (running_ || minimized) return false;
    return start();
}

bool ScreenLayout::restored() { return waiting_ && !running_ && start(); }

bool ScreenLayout::next_pass() {
    if (waiting_ && passes_ < LAYOUT_PASSES) {
        waiting_ = false;
        ++passes_;
        return true;
    }
    running_ = waiting_ = false;  // done, or come to rest
    return false;
}
