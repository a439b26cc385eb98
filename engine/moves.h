// One move on the Board: marking the group, the burst, the fall, the closing
// up of empty columns and the rolling of round stones.
#pragma once

#include <cstdint>

void mark_group(std::uint8_t code, int column, int row);
void burst_marked();
void settle_board();
void roll_stones();
void wait_ms(std::uint32_t milliseconds);

// Helpers of settle_board and roll_stones, visible for the tests.
void fill_gap(int column, int row);
void close_column(int column);
void land_stone(std::uint8_t code, int column);
