// How the windows fit the screen: the stone side at a scale, shrunk to the
// work area, and the centring kept inside it.
#include <gtest/gtest.h>

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
