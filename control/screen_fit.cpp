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
