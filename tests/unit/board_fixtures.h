// Helpers for the core's tests: boards drawn as strings, read back the same
// way, and a fresh program state with settings chosen by the test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/game.h"
#include "engine/board.h"
#include "storage/game_settings.h"
#include "tests/unit/fake_platform.h"

constexpr int TEST_STONE_SIZE = 21;

// Fresh state: English texts, sound on with one wave device, square stones,
// and a tick counter that makes every 50 ms wait end after two reads.
inline void start_fixture(int columns, int rows, int colours, int form = 0) {
    reset_program_state();
    settings = GameSettings{columns, rows, form, TEST_STONE_SIZE, LANGUAGE_ENGLISH, colours, 1};
    current_deal = Deal{0, columns, rows, colours};  // as if dealt with these settings
    fake.tick_step = 50;
}

// One string per row, top row first, one character per column: '1'..'6' a
// colour, '.' empty. Sets C and R from the picture and the borders as a new
// game leaves them; the marks are cleared.
inline void set_board(const std::vector<std::string>& picture) {
    settings.rows = static_cast<int>(picture.size());
    settings.columns = static_cast<int>(picture.at(0).size());
    board = Board{};
    for (int y = 1; y <= settings.rows; ++y)
        for (int x = 1; x <= settings.columns; ++x) {
            const char c = picture.at(y - 1).at(x - 1);
            board.cells[x][y] = c == '.' ? CELL_EMPTY : static_cast<std::uint8_t>(c - '0');
        }
    for (int x = 0; x <= settings.columns; ++x) board.cells[x][0] = CELL_BORDER;
    for (int y = 0; y <= settings.rows; ++y) board.cells[settings.columns + 1][y] = CELL_BORDER;
}

// The playing area in set_board's form; a removed cell reads '0', any other
// code that is neither a colour nor empty '?'.
inline std::vector<std::string> board_rows() {
    std::vector<std::string> out;
    for (int y = 1; y <= settings.rows; ++y) {
        std::string line;
        for (int x = 1; x <= settings.columns; ++x) {
            const std::uint8_t c = board.cells[x][y];
            line += c == CELL_EMPTY ? '.' : c == CELL_REMOVED ? '0' : c <= 9 ? static_cast<char>('0' + c) : '?';
        }
        out.push_back(line);
    }
    return out;
}

inline int column_height(int column) {
    int n = 0;
    for (int y = 1; y <= settings.rows; ++y)
        if (board.cells[column][y] != CELL_EMPTY) ++n;
    return n;
}

// The pixel at the middle of a cell, for on_board_click.
inline std::uint16_t pixel_of(int index) {
    return static_cast<std::uint16_t>((index - 1) * TEST_STONE_SIZE + TEST_STONE_SIZE / 2);
}

inline void click_cell(int column, int row) { on_board_click(pixel_of(column), pixel_of(row)); }

// The sound requests and draws only, in order.
inline std::vector<std::string> sounds_and_draws() {
    std::vector<std::string> out;
    for (const auto& e : fake.events)
        if (e.rfind("wave ", 0) == 0 || e.rfind("beep ", 0) == 0 || e == "draw") out.push_back(e);
    return out;
}

// The first stone, column by column, that has a neighbour of its colour;
// false when none is left.
inline bool find_playable(int& column, int& row) {
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) {
            const std::uint8_t c = board.cells[x][y];
            if (!is_colour(c)) continue;
            if ((x > 1 && board.cells[x - 1][y] == c) || (y > 1 && board.cells[x][y - 1] == c) ||
                (x < settings.columns && board.cells[x + 1][y] == c) ||
                (y < settings.rows && board.cells[x][y + 1] == c)) {
                column = x;
                row = y;
                return true;
            }
        }
    return false;
}

// The first stone without a neighbour of its colour; false when none.
inline bool find_lone_stone(int& column, int& row) {
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) {
            const std::uint8_t c = board.cells[x][y];
            if (!is_colour(c)) continue;
            if (board.cells[x - 1][y] != c && board.cells[x][y - 1] != c && board.cells[x + 1][y] != c &&
                board.cells[x][y + 1] != c) {
                column = x;
                row = y;
                return true;
            }
        }
    return false;
}
