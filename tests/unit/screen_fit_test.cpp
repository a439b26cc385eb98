// How the windows fit the screen: the stone side at a scale, shrunk to the
// work area, the centring kept inside it, the monitor and the rectangle of
// the game's window, and when a change of the screen is laid out.
#include <gtest/gtest.h>

#include <cstdlib>

#include "control/screen_fit.h"

TEST(ScreenFit, StoneSideFollowsTheScale) {
    struct Case { int size, dpi, side; };
    const Case cases[] = {
        {15, 96, 15}, {18, 96, 18}, {21, 96, 21}, {24, 96, 24},   // 100 %: the pictures' own sizes
        {24, 144, 36}, {24, 120, 30}, {24, 192, 48}, {15, 192, 30},
        {15, 120, 19}, {21, 144, 32},                              // 18.75 and 31.5 rounded
        {15, 48, 8}, {24, 0, 24}, {24, 960, 96},                   // kept between the bounds
    };
    for (const Case& c : cases) EXPECT_EQ(scaled_stone_side(c.size, c.dpi), c.side) << c.size << " at " << c.dpi;
}

TEST(ScreenFit, SideShrinksOnlyAsFarAsTheGridNeeds) {
    // 31 x 31 at 24 px on 1280 x 720, with 6 x 64 pixels around the grid:
    // (720 - 64) / 31 = 21.
    EXPECT_EQ(fitted_stone_side(24, 31, 31, WindowRoom{6, 64, 1280, 720}), 21);
    // A taskbar of 40 pixels takes one more pixel off every stone.
    EXPECT_EQ(fitted_stone_side(24, 31, 31, WindowRoom{6, 64, 1280, 680}), 19);
    // The width can be the limit too.
    EXPECT_EQ(fitted_stone_side(36, 31, 10, WindowRoom{16, 90, 800, 1000}), 25);
    // Room to spare: the wanted side, exactly fitting included.
    EXPECT_EQ(fitted_stone_side(36, 10, 15, WindowRoom{16, 90, 1280, 1024}), 36);
    EXPECT_EQ(fitted_stone_side(24, 31, 31, WindowRoom{6, 64, 750, 808}), 24);
    EXPECT_EQ(fitted_stone_side(24, 31, 31, WindowRoom{6, 64, 749, 808}), 23);
    // Never below the smallest side, even on a screen far too small.
    EXPECT_EQ(fitted_stone_side(24, 31, 31, WindowRoom{6, 64, 100, 100}), MIN_STONE_SIDE);
    EXPECT_EQ(fitted_stone_side(24, 0, 0, WindowRoom{6, 64, 1280, 720}), 24);
}

TEST(ScreenFit, CentringKeepsTheWindowInsideTheArea) {
    struct Case { int length, over_start, over_length, area_start, area_length, start; };
    const Case cases[] = {
        {200, 0, 1280, 0, 1280, 540},       // on the whole screen
        {200, 0, 1024, 0, 984, 412},        // over the screen, above a taskbar of 40
        {100, 1200, 80, 0, 1280, 1180},     // over a window at the right edge: pulled back
        {100, -50, 60, 0, 1280, 0},         // over a window off the left edge
        {1500, 0, 1280, 0, 1280, 0},        // larger than the area: its start shows
        {300, 1300, 400, 1280, 1920, 1350}, // on a second monitor
        {300, 0, 200, 40, 1240, 40},        // an area that starts after a taskbar at the left
    };
    for (const Case& c : cases)
        EXPECT_EQ(centred_start(c.length, c.over_start, c.over_length, c.area_start, c.area_length), c.start)
            << c.length << " over " << c.over_start << "+" << c.over_length;
}

TEST(ScreenFit, StatusPartsAreAsWideAsTheirTextsAndNeverNarrowerThanTheLeast) {
    const int narrow[3] = {20, 25, 30};
    const int wide[3] = {41, 30, 52};
    int edges[3] = {};
    status_part_edges(narrow, 3, 30, edges);
    EXPECT_EQ(edges[0], 30);
    EXPECT_EQ(edges[1], 60);
    EXPECT_EQ(edges[2], 90);
    status_part_edges(wide, 3, 45, edges);
    EXPECT_EQ(edges[0], 45);
    EXPECT_EQ(edges[1], 90);
    EXPECT_EQ(edges[2], 142);
}

// ---- Which monitor, and the window's rectangle there ----

// A desk of four monitors: one left of the primary (negative coordinates),
// the primary, one to its right, one above it; each at its own scale, with a
// taskbar at the bottom of the primary. The room around the grid grows with
// the scale as the system's metrics do.
ScreenMonitor monitor_at(ScreenRect area, int dpi, int taskbar = 0) {
    ScreenRect work = area;
    work.bottom -= taskbar;
    return ScreenMonitor{area, work, dpi, 6 * dpi / 96, 64 * dpi / 96};
}

const ScreenMonitor DESK[] = {
    monitor_at({-1280, 0, 0, 1024}, 96),         // left of the primary
    monitor_at({0, 0, 1920, 1080}, 144, 60),     // the primary, a taskbar below
    monitor_at({1920, 0, 4480, 1440}, 192),      // right
    monitor_at({0, -1050, 1680, 0}, 120),        // above
};
constexpr int DESK_SIZE = 4;

bool inside(const ScreenRect& inner, const ScreenRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(ScreenFit, TheMonitorIsTheOneHoldingMostOfTheWindowElseTheNearest) {
    struct Case { ScreenRect window; int monitor; };
    const Case cases[] = {
        {{100, 100, 500, 400}, 1},          // inside the primary
        {{1800, 100, 2200, 400}, 2},        // across the primary's right edge, mostly right
        {{1700, 100, 2000, 400}, 1},        // across it, mostly on the primary
        {{-300, 100, 100, 400}, 0},         // mostly on the monitor of negative coordinates
        {{100, -300, 500, 100}, 3},         // mostly on the one above
        {{-1400, -200, -1200, -100}, 0},    // off every monitor: the nearest, up left
        {{5000, 500, 5400, 800}, 2},        // off every monitor: the nearest, far right
        {{1700, 1100, 1900, 1300}, 1},      // below the primary, in the gap beside the right one
        {{300, 300, 300, 300}, 1},          // a rectangle of no size: where it stands
    };
    for (const Case& c : cases)
        EXPECT_EQ(monitor_of(c.window, DESK, DESK_SIZE), c.monitor) << c.window.left << "," << c.window.top;
    EXPECT_EQ(monitor_of({0, 0, 10, 10}, DESK, 0), -1);
}

// Random old windows anywhere on the desk (and off it) and random grids: the
// new window is on the monitor the old one was on, inside its work area
// whenever the smallest stones fit, its client area exactly the grid at the
// side chosen, that side the largest that fits and never above the scaled
// size, centred for a new game and moved by no more than it takes otherwise.
TEST(ScreenFit, EveryPlacementStaysOnTheMonitorItWasChosenFor) {
    unsigned seed = 2024;
    auto next = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(below));
    };
    const int sizes[] = {15, 18, 21, 24};
    for (int trial = 0; trial < 3000; ++trial) {
        const int left = next(7000) - 2000, top = next(3500) - 1500;
        const ScreenRect old{left, top, left + 100 + next(900), top + 100 + next(900)};
        const GridSize grid{10 + next(22), 10 + next(22), sizes[next(4)]};
        const bool centre = next(2) == 0;
        const int chosen = monitor_of(old, DESK, DESK_SIZE);
        const ScreenMonitor& m = DESK[chosen];
        const WindowPlace place = place_window(old, grid, DESK, DESK_SIZE, centre);
        const ScreenRect& w = place.window;
        SCOPED_TRACE(testing::Message() << "trial " << trial << " monitor " << chosen);
        EXPECT_EQ(monitor_of(w, DESK, DESK_SIZE), chosen);
        EXPECT_EQ(w.width(), grid.columns * place.side + m.extra_width);
        EXPECT_EQ(w.height(), grid.rows * place.side + m.extra_height);
        const int wanted = scaled_stone_side(grid.stone_size, m.dpi);
        EXPECT_LE(place.side, wanted);
        const bool larger_fits = grid.columns * (place.side + 1) + m.extra_width <= m.work.width() &&
                                 grid.rows * (place.side + 1) + m.extra_height <= m.work.height();
        EXPECT_TRUE(place.side == wanted || !larger_fits);
        EXPECT_TRUE(inside(w, m.work));
        if (centre) {
            EXPECT_LE(std::abs((w.left - m.work.left) - (m.work.right - w.right)), 1);
            EXPECT_LE(std::abs((w.top - m.work.top) - (m.work.bottom - w.bottom)), 1);
        } else if (inside(ScreenRect{old.left, old.top, old.left + w.width(), old.top + w.height()}, m.work)) {
            EXPECT_EQ(w.left, old.left);  // already inside: not moved
            EXPECT_EQ(w.top, old.top);
        }
    }
}

// A new game on a larger grid, dealt while the window stands near the
// primary's right edge: it is fitted and centred on the primary, not on the
// monitor its grown rectangle would mostly cover.
TEST(ScreenFit, ANewGameStaysOnTheMonitorOfTheWindow) {
    const ScreenRect old{1600, 700, 1900, 1000};
    const WindowPlace place = place_window(old, GridSize{31, 31, 24}, DESK, DESK_SIZE, true);
    // At 144 DPI 36-pixel stones do not fit 1020 rows of pixels: (1020 - 96) / 31 = 29.
    EXPECT_EQ(place.side, 29);
    // 908 x 995, centred in the primary's 1920 x 1020 above its taskbar.
    EXPECT_EQ(place.window, (ScreenRect{506, 12, 506 + 908, 12 + 995}));
}

// The layout after a change of the screen, on one monitor: the window keeps
// its place when it can, and takes what the change asks.
TEST(ScreenFit, ChangedMetricsWorkAreasAndScalesGiveTheirLayout) {
    const GridSize grid{15, 10, 24};
    ScreenMonitor monitor = monitor_at({0, 0, 1280, 1024}, 96);
    const ScreenRect old{200, 150, 200 + 15 * 24 + 6, 150 + 10 * 24 + 64};
    const WindowPlace before = place_on_monitor(old, grid, monitor, false);
    EXPECT_EQ(before.window, old);
    EXPECT_EQ(before.side, 24);
    // A menu bar one line taller: the window grows by that line, in place.
    monitor.extra_height += 19;
    EXPECT_EQ(place_on_monitor(old, grid, monitor, false).window, (ScreenRect{200, 150, 566, 150 + 240 + 83}));
    // A smaller work area (bars at the left and the bottom): the window
    // comes inside it, its stones as large as fit: (300 - 83) / 10 = 21.
    monitor.work = ScreenRect{700, 0, 1280, 300};
    const WindowPlace smaller = place_on_monitor(old, grid, monitor, false);
    EXPECT_EQ(smaller.side, 21);
    EXPECT_EQ(smaller.window, (ScreenRect{700, 300 - 293, 700 + 15 * 21 + 6, 300}));
    // Another scale: the stones and the room around them at 200 %.
    const ScreenMonitor doubled = monitor_at({0, 0, 2560, 2048}, 192);
    const WindowPlace twice = place_on_monitor(old, grid, doubled, false);
    EXPECT_EQ(twice.side, 48);
    EXPECT_EQ(twice.window, (ScreenRect{200, 150, 200 + 15 * 48 + 12, 150 + 10 * 48 + 128}));
    // A window pushed off the screen comes back by as little as it takes.
    const ScreenRect off{1100, 900, 1100 + 366, 900 + 304};
    EXPECT_EQ(place_on_monitor(off, grid, monitor_at({0, 0, 1280, 1024}, 96), false).window,
              (ScreenRect{1280 - 366, 1024 - 304, 1280, 1024}));
}

// ---- When a change is laid out ----

// Random sequences of changes, minimizing and restoring, and changes sent
// from inside a layout's own moves, checked against a plain record of what
// happened: no layout while minimized, none inside another, every change
// taken by a pass that starts after it (unless the passes ran out), and
// never more than LAYOUT_PASSES passes in one layout.
TEST(ScreenFit, EveryChangeIsLaidOutOnceTheWindowCanTakeIt) {
    unsigned seed = 7;
    auto next = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(below));
    };
    for (int run = 0; run < 200; ++run) {
        ScreenLayout layout;
        bool minimized = false;
        int clock = 0, last_change = -1, last_pass = 0;
        bool ran_out = false;
        auto lay_out = [&]() {  // what the shell does when told to lay out now
            EXPECT_FALSE(minimized);
            EXPECT_TRUE(layout.running());
            int passes = 0;
            do {
                ++passes;
                last_pass = ++clock;
                while (next(3) == 0) {  // the pass's own moves send changes
                    last_change = ++clock;
                    EXPECT_FALSE(layout.changed(false)) << "a layout inside a layout";
                }
            } while (layout.next_pass());
            EXPECT_LE(passes, LAYOUT_PASSES);
            ran_out = passes == LAYOUT_PASSES && last_change > last_pass;
            EXPECT_FALSE(layout.running());
        };
        for (int step = 0; step < 30; ++step) {
            switch (next(4)) {
                case 0:
                case 1:
                    last_change = ++clock;
                    if (layout.changed(minimized)) lay_out();
                    break;
                case 2:
                    minimized = true;
                    break;
                default:
                    minimized = false;
                    if (layout.restored()) lay_out();
                    break;
            }
            if (!minimized && !ran_out) {
                EXPECT_GT(last_pass, last_change) << "run " << run << " step " << step;
            }
        }
    }
}
