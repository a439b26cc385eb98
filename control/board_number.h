// The rule of the Board number dialog, kept apart from its controls so that
// it can be checked without a window: which typed texts are board numbers.
#pragma once

#include <cstdint>

// The most digits a board number is written with: those of 4294967295.
constexpr int BOARD_NUMBER_DIGITS = 10;

// True when `text` is a board number: one to BOARD_NUMBER_DIGITS digits and
// nothing else (no sign, space or letter), worth at most 4294967295; its
// value goes into `number`. Otherwise false, and `number` is left as it was:
// a longer text is no number, whatever its first characters or its value.
bool parse_board_number(const char* text, std::uint32_t& number);
