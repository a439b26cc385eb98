// One move on the Board: the group fill, the burst frames, the busy wait,
// the fall and close-up with their exact sounds and draws, and the rolling of
// round stones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "control/game.h"
#include "engine/board.h"
#include "engine/moves.h"
#include "tests/unit/board_fixtures.h"

using Rows = std::vector<std::string>;
using Events = std::vector<std::string>;

const Events BURST = {"wave 3032", "draw", "draw", "draw", "draw", "draw"};

Events concat(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A whole accepted move through the controller; returns its sounds and draws.
Events move_at(int column, int row) {
    fake.clear_events();
    click_cell(column, row);
    return sounds_and_draws();
}

TEST(MarkGroup, MarksAndZeroesTheConnectedGroupOnly) {
    start_fixture(4, 3, 3);
    set_board({"1121", "2111", "1311"});
    clear_marks();
    mark_group(1, 2, 2);
    EXPECT_EQ(count_marks(), 8);
    EXPECT_EQ(board_rows(), (Rows{"0020", "2000", "1300"}));
}

TEST(MarkGroup, WholeLargestGridIsOneGroup) {
    start_fixture(31, 31, 1);
    new_game_with_seed(3);
    clear_marks();
    mark_group(1, 16, 16);
    EXPECT_EQ(count_marks(), 961);
    EXPECT_EQ(count_remaining(), 0);
}

TEST(Burst, EachMarkedCellShowsTheFourFramesThenZero) {
    start_fixture(3, 2, 3);
    set_board({"113", "232"});
    clear_marks();
    mark_group(1, 1, 1);
    static std::vector<int> seen;
    seen.clear();
    fake.on_draw = [] { seen.push_back(board.cells[1][1] * 1000 + board.cells[2][1]); };
    fake.clear_events();
    burst_marked();
    EXPECT_EQ(seen, (std::vector<int>{255255, 254254, 253253, 252252, 0}));
    EXPECT_EQ(sounds_and_draws(), BURST);
    EXPECT_EQ(board.marks[1][1], 1);  // the marks stay
}

TEST(WaitMs, WaitsAcrossTheCounterWrap) {
    reset_program_state();
    fake.ticks = 0xFFFFFFF0u;
    fake.tick_step = 1;
    wait_ms(50);
    // 50 ms pass after 51 reads: the first, then until the difference is 50.
    EXPECT_EQ(fake.ticks, 0xFFFFFFF0u + 51u);
}

TEST(WaitMs, ZeroDoesNotWait) {
    reset_program_state();
    fake.tick_step = 1;
    wait_ms(0);
    EXPECT_EQ(fake.ticks, 2u);
}

class SettleTest : public ::testing::Test {
protected:
    void SetUp() override { start_fixture(4, 3, 3); }
};

TEST_F(SettleTest, VerticalRunFallsAsOneWithOneSound) {
    set_board({"12", "21", "32", "31", "32"});
    EXPECT_EQ(move_at(1, 5), concat(BURST, {"wave 3033", "draw"}));
    EXPECT_EQ(board_rows(), (Rows{".2", ".1", ".2", "11", "22"}));
}

TEST_F(SettleTest, UShapedGroupLeavesTwoRunsInOneColumn) {
    set_board({"323", "113", "213", "113"});
    EXPECT_EQ(move_at(1, 2), concat(BURST, {"wave 3033", "wave 3033", "wave 3033", "draw"}));
    EXPECT_EQ(board_rows(), (Rows{"..3", "..3", "3.3", "223"}));
}

TEST_F(SettleTest, GroupAtTheTopStillSoundsAndLeavesEmptyCells) {
    set_board({"13", "12", "23"});
    EXPECT_EQ(move_at(1, 1), concat(BURST, {"wave 3033", "draw"}));
    EXPECT_EQ(board_rows(), (Rows{".3", ".2", "23"}));
}

TEST_F(SettleTest, EmptiedColumnClosesUp) {
    set_board({"1213", "3231", "1213"});
    EXPECT_EQ(move_at(2, 1), concat(BURST, {"wave 3033", "wave 3034", "draw"}));
    EXPECT_EQ(board_rows(), (Rows{"113.", "331.", "113."}));
}

TEST_F(SettleTest, TwoEmptiedColumnsCloseUpAndAskAgainNextMove) {
    set_board({"1223", "1221", "3223"});
    EXPECT_EQ(move_at(2, 1), concat(BURST, {"wave 3033", "wave 3033", "wave 3034", "wave 3034", "draw"}));
    EXPECT_EQ(board_rows(), (Rows{"13..", "11..", "33.."}));
    // The two empty columns at the right ask for sound 4 again, though nothing moves.
    EXPECT_EQ(move_at(1, 1), concat(BURST, {"wave 3033", "wave 3033", "wave 3034", "wave 3034", "draw"}));
    EXPECT_EQ(board_rows(), (Rows{"....", ".3..", "33.."}));
}

TEST_F(SettleTest, SquareStonesNeverRoll) {
    set_board({"1...", "2...", "1...", "33.."});
    move_at(1, 4);
    EXPECT_EQ(board_rows(), (Rows{"....", "1...", "2...", "1..."}));
}

class RollTest : public ::testing::Test {
protected:
    void SetUp() override { start_fixture(10, 10, 6, 1); }
};

TEST_F(RollTest, FiveStonesInColumnOneEndTwoTwoOne) {
    Rows rows(10, "..........");
    for (int y = 5; y < 10; ++y) rows[y][0] = '1';
    set_board(rows);
    fake.clear_events();
    roll_stones();
    EXPECT_EQ(sounds_and_draws(), (Events{"wave 3033", "draw", "wave 3033", "draw", "wave 3033", "draw",
                                          "wave 3033", "draw"}));
    EXPECT_EQ(column_height(1), 2);
    EXPECT_EQ(column_height(2), 2);
    EXPECT_EQ(column_height(3), 1);
}

Rows tower_between_two_low_columns() {
    Rows rows(10, "..........");
    rows[7] = ".2........";
    rows[8] = ".3........";
    rows[9] = "141.......";
    return rows;
}

TEST_F(RollTest, BothSidesFreeFollowsTheParityOfTheDraw) {
    set_board(tower_between_two_low_columns());
    rng_seed(1);  // 346, even: left
    roll_stones();
    EXPECT_EQ(board_rows()[7], "..........");
    EXPECT_EQ(board_rows()[8], "23........");

    set_board(tower_between_two_low_columns());
    rng_seed(4);  // 1385, odd: right
    roll_stones();
    EXPECT_EQ(board_rows()[8], ".3........");
    EXPECT_EQ(board_rows()[9], "1412......");  // and on again off the new ledge
}

TEST_F(RollTest, OneSideFreeTakesNoRandomValue) {
    set_board({"..........", "..........", "..........", "..........", "..........", "..........",
               "..........", "1.........", "2.........", "3........."});
    rng_seed(1);
    roll_stones();
    EXPECT_EQ(rng_next(), 346);  // the generator was not drawn from
}

TEST_F(RollTest, StoneInTheLastRowNeverRolls) {
    Rows rows(10, "..........");
    rows[9] = "....5.....";
    set_board(rows);
    fake.clear_events();
    roll_stones();
    EXPECT_TRUE(fake.events.empty());
    EXPECT_EQ(board_rows()[9], "....5.....");
}

std::vector<Rows> drawn_boards;

TEST_F(RollTest, FullFirstColumnFeedsTheSecondAfterItRollsRight) {
    Rows rows(10, "..........");
    for (int y = 0; y < 10; ++y) rows[y][0] = static_cast<char>('1' + y % 2);
    for (int y = 1; y < 10; ++y) rows[y][1] = static_cast<char>('3' + y % 2);
    rows[9][2] = '5';
    set_board(rows);
    drawn_boards.clear();
    fake.on_draw = [] { drawn_boards.push_back(board_rows()); };
    rng_seed(1);
    roll_stones();
    ASSERT_GE(drawn_boards.size(), 2u);
    // First the top of column 2 rolls right ...
    EXPECT_EQ(drawn_boards[0][1].substr(0, 3), "2..");
    EXPECT_EQ(drawn_boards[0][8].substr(0, 3), "134");
    // ... then the stone in (1, 1) rolls into column 2.
    EXPECT_EQ(drawn_boards[1][0].substr(0, 3), "...");
    EXPECT_EQ(drawn_boards[1][1].substr(0, 3), "21.");
    EXPECT_EQ(count_remaining(), 20);
    for (int x = 1; x < 10; ++x) EXPECT_LE(std::abs(column_height(x) - column_height(x + 1)), 1);
}
