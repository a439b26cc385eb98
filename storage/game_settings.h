// GameSettings: the program-wide settings record, read by most of the game
// and kept in the settings file beside the program.
#pragma once

#include <cstdint>

struct GameSettings {
    std::int32_t columns;          // 10..31
    std::int32_t rows;             // 10..31
    std::int32_t form;             // 0 square, anything else round
    std::int32_t stone_size;       // 15, 18, 21 or 24 pixels
    std::int32_t language_offset;  // 0 French, 1000 English
    std::int32_t colours;          // 2..6
    std::int32_t sound;            // 0 off, anything else on
};

// All zeros until the settings file has been read.
extern GameSettings settings;

constexpr int MIN_GRID_SIDE = 10;
constexpr int MAX_GRID_SIDE = 31;
constexpr int MIN_COLOURS = 2;
constexpr int MAX_COLOURS = 6;
constexpr int LANGUAGE_FRENCH = 0;
constexpr int LANGUAGE_ENGLISH = 1000;

// Two options of the view, off until the player turns them on (Options
// menu): the group under the pointer or the keyboard cursor outlined with its
// size in the status bar, and a symbol of its own on each colour of stone.
// They are kept on one line after the best scores (storage/options_line.cpp).
struct ViewOptions {
    bool show_groups;
    bool symbols;
};
extern ViewOptions view_options;
