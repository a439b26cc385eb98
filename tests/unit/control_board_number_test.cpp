// Restart this board, Board number and Hint, driven as the window drives
// them: the boards dealt, the rolls that follow the same moves, the clock
// and the history, the outline and sounds that the fake door records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "control/board_number.h"
#include "control/board_overlay.h"
#include "control/game.h"
#include "engine/board.h"
#include "engine/undo.h"
#include "tests/unit/board_fixtures.h"

namespace {

using Rows = std::vector<std::string>;

// The boards seen after each of `moves` presses on the first playable stone.
std::vector<Rows> boards_after_moves(int moves) {
    std::vector<Rows> seen;
    int column = 0, row = 0;
    for (int i = 0; i < moves && find_playable(column, row); ++i) {
        click_cell(column, row);
        seen.push_back(board_rows());
    }
    return seen;
}

class BoardCommands : public ::testing::Test {
protected:
    void SetUp() override { start_fixture(12, 11, 4, 1); }
};

// Round stones, so that the rolls and their draws are part of what must repeat.
TEST_F(BoardCommands, RestartDealsTheSameBoardAndTheSameMovesRollTheSame) {
    on_board_number(9001);
    const Rows first = board_rows();
    const std::vector<Rows> played = boards_after_moves(12);
    ASSERT_EQ(played.size(), 12u);
    ASSERT_EQ(game.state, GAME_RUNNING);

    // The player now asks for other sizes and colours: a restart keeps the board's own.
    pending_dimensions = PendingDimensions{20, 20};
    settings.colours = 6;
    fake.clear_events();
    on_restart();
    EXPECT_EQ(board_rows(), first);
    EXPECT_EQ(game.state, GAME_NOT_STARTED);
    EXPECT_EQ(game.seconds, 0);
    EXPECT_EQ(undo_store.count, 0);
    EXPECT_EQ(fake.events.front(), "layout");
    EXPECT_EQ(fake.events.back(), "draw");
    EXPECT_EQ(boards_after_moves(12), played);

    // The next new game takes what the settings ask for.
    on_new_game();
    EXPECT_EQ(settings.columns, 20);
    EXPECT_EQ(current_deal.colours, 6);
}

// A board by its number is the same in another run of the program, and a
// new game's number, typed back, deals that board again.
TEST_F(BoardCommands, BoardNumberDealsThatBoardWithTheCurrentSettings) {
    on_board_number(4294967295u);
    const Rows asked = board_rows();
    const std::vector<Rows> played = boards_after_moves(8);

    start_fixture(12, 11, 4, 1);
    fake.calendar_time = 123456;
    on_new_game();
    EXPECT_EQ(current_deal.seed, 123456u);
    const Rows dealt = board_rows();
    on_board_number(4294967295u);
    EXPECT_EQ(board_rows(), asked);
    EXPECT_EQ(boards_after_moves(8), played);
    EXPECT_EQ(current_deal.seed, 4294967295u);  // the number the dialog shows
    on_board_number(123456);
    EXPECT_EQ(board_rows(), dealt);

    pending_dimensions = PendingDimensions{10, 13};
    settings.colours = 2;
    on_board_number(5);
    EXPECT_EQ(current_deal.seed, 5u);
    EXPECT_EQ(board_rows().size(), 13u);
    EXPECT_EQ(board_rows().front().size(), 10u);
    EXPECT_EQ(board_rows().front().find_first_not_of("12"), std::string::npos);
}

int outlined_cells() {
    int n = 0;
    for (const auto& column : overlay.cells)
        for (std::uint16_t bits : column) n += (bits & OUTLINE_INSIDE) != 0;
    return n;
}

// Asking for hints changes nothing in the game: the same moves after them
// give the same boards, rolls and score as without them.
TEST_F(BoardCommands, HintOutlinesATakeableGroupAndLeavesTheGameAsItWas) {
    on_board_number(77);
    boards_after_moves(3);
    const std::uint32_t generator = rng_state();
    const Rows before = board_rows();
    const int held = undo_store.count;
    fake.clear_events();

    on_hint();
    EXPECT_EQ(fake.events, (std::vector<std::string>{"busy", "busy end", "overlay"}));
    EXPECT_GE(outlined_cells(), 2);
    Cell hinted{0, 0};
    for (int x = 1; x <= settings.columns && hinted.column == 0; ++x)
        for (int y = 1; y <= settings.rows; ++y)
            if (overlay.cells[x][y] & OUTLINE_INSIDE) {
                hinted = Cell{x, y};
                break;
            }
    on_hint();  // asked again: the same group, so nothing to redraw
    EXPECT_EQ(fake.count("overlay"), 1);
    EXPECT_EQ(rng_state(), generator);
    EXPECT_EQ(board_rows(), before);
    EXPECT_EQ(undo_store.count, held);

    // Taking it plays like a click there, and the outline goes.
    const int remaining = game.remaining;
    click_cell(hinted.column, hinted.row);
    EXPECT_EQ(game.remaining, remaining - count_marks());
    refresh_overlay();
    EXPECT_EQ(outlined_cells(), 0);

    // The same game again without the hints: the same board after the same moves.
    const Rows with_hints = board_rows();
    on_restart();
    boards_after_moves(3);
    click_cell(hinted.column, hinted.row);
    EXPECT_EQ(board_rows(), with_hints);
}

// No group, or a game that is over: the refused sound, and neither the
// clock nor the outline changes.
TEST_F(BoardCommands, NoHintWithoutAGroupToTake) {
    set_board({"121", "212"});
    game.state = GAME_NOT_STARTED;
    fake.clear_events();
    on_hint();
    EXPECT_EQ(fake.events, (std::vector<std::string>{"busy", "busy end", "wave 3030"}));
    EXPECT_EQ(game.state, GAME_NOT_STARTED);

    set_board({"112", "212"});
    game.state = GAME_OVER;
    fake.clear_events();
    on_hint();
    EXPECT_EQ(fake.events, (std::vector<std::string>{"wave 3030"}));
    EXPECT_EQ(outlined_cells(), 0);
}

// A text longer than the longest number is none, whatever it is worth: a
// paste of 70 zeros and a 7 is refused, as the first 64 of them would be.
TEST(BoardNumberText, OnlyDigitsWithinThirtyTwoBits) {
    struct Case {
        const char* text;
        bool accepted;
        std::uint32_t value;
    };
    const std::string seventy_zeros_and_7 = std::string(70, '0') + "7", sixty_four_zeros(64, '0');
    const Case cases[] = {
        {"0", true, 0},          {"42", true, 42},          {"0007", true, 7},
        {"4294967295", true, 4294967295u},                  {"0000000007", true, 7},
        {"00000000007", false, 0}, {"00000000004294967295", false, 0},
        {seventy_zeros_and_7.c_str(), false, 0},           {sixty_four_zeros.c_str(), false, 0},
        {"4294967296", false, 0}, {"99999999999999999999", false, 0},
        {"", false, 0},          {"-1", false, 0},          {"+1", false, 0},
        {" 12", false, 0},       {"12 ", false, 0},         {"12a", false, 0},
        {"1.5", false, 0},       {"0x10", false, 0},        {"\xB2", false, 0},
    };
    for (const Case& c : cases) {
        std::uint32_t number = 31;
        EXPECT_EQ(parse_board_number(c.text, number), c.accepted) << '"' << c.text << '"';
        EXPECT_EQ(number, c.accepted ? c.value : 31u) << '"' << c.text << '"';
    }
}

}  // namespace
