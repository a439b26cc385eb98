// The hint: the group to take now so as to leave the fewest stones at the
// end, found by playing the game ahead from copies of the position (see
// hint.cpp). The search counts its work in moves played, never more than its
// budget, and has no chance in it: one position (the board, the form and
// the game's generator, from a copy of which round stones roll) always
// gives the same hint, on any machine. It reads the game and changes
// nothing in it.
#pragma once

#include "engine/position.h"

// Moves the search may play ahead for one hint, and never more: some 80 ms
// on a 31 x 31 board of 6 colours, 125 ms at worst (the first moves of a
// game), on one quiet core of the development machine in the program's own
// build (docs/figures.md, "The hint"); far less on smaller boards, and once
// a line that clears the board is found.
constexpr long HINT_MOVE_BUDGET = 120000;

struct HintResult {
    bool found;       // false when no group can be taken
    int column;       // a cell of the group, 0-based column and level
    int level;
    int stones_left;  // the fewest stones left at the end of a line the search played
                      // from it; -1 when the budget ended before any line did
    long moves;       // the moves the search played
};

HintResult search_hint(const Position& position, long move_budget);

// The hint on the game's Board: a cell of the group (column 1.., row 1..
// from the top); false when no group can be taken. The answer is kept with
// the position it was searched on: asked again on that position (the same
// stones, form and generator), it comes at once; any other position, which
// a move, an undo or a new game deals, is searched anew.
bool find_hint(int& column, int& row);
// True when find_hint answers from the kept hint, without a search.
bool hint_kept();
// Lets the next find_hint search even on the same position.
void forget_hint();
