// The game controller driven as the window drives it: presses, undo, new
// game and clock ticks, checked through the status fields, sounds, draws and
// boxes that the fake door records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/game.h"
#include "engine/board.h"
#include "engine/undo.h"
#include "storage/best_scores.h"
#include "tests/unit/board_fixtures.h"

using Rows = std::vector<std::string>;
using Events = std::vector<std::string>;

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override { start_fixture(10, 10, 2); }

    // A running game on a drawn board, its counts as a new game leaves them.
    void running_on(const Rows& rows) {
        set_board(rows);
        current_deal.colours = settings.colours;
        game.state = GAME_RUNNING;
        game.total = game.remaining = settings.columns * settings.rows;
        game.clock_timer = 1;
        fake.clear_events();
    }

    static Events status_events() { return fake.matching("status "); }
};

TEST_F(ControllerTest, NewGameResetsTheClockLaysOutShowsTheCountsThenDraws) {
    fake.calendar_time = 1;
    game.seconds = 77;
    game.state = GAME_OVER;
    on_new_game();
    EXPECT_EQ(fake.events, (Events{"layout", "status 1 100", "status 2 100",
                                   "status 3 " + std::to_string(count_playable()), "draw"}));
    EXPECT_EQ(game.total, 100);
    EXPECT_EQ(game.remaining, 100);
    EXPECT_EQ(game.state, GAME_NOT_STARTED);
    EXPECT_EQ(game.seconds, 0);
}

TEST_F(ControllerTest, HitTestDividesByTheStoneSize) {
    settings.stone_size = 24;
    EXPECT_EQ(hit_test(0, 0).column, 1);
    EXPECT_EQ(hit_test(23, 47).column, 1);
    EXPECT_EQ(hit_test(23, 47).row, 2);
    EXPECT_EQ(hit_test(24, 48).column, 2);
    EXPECT_EQ(hit_test(65535, 0).column, 2731);
}

TEST_F(ControllerTest, HitTestFollowsTheSideTheCellsAreDrawnAt) {
    settings.stone_size = 24;
    fake.stone_side = 36;  // 24 at 150 %
    EXPECT_EQ(hit_test(35, 71).column, 1);
    EXPECT_EQ(hit_test(35, 71).row, 2);
    EXPECT_EQ(hit_test(36, 72).column, 2);
    EXPECT_EQ(hit_test(36, 72).row, 3);
    fake.stone_side = 0;  // no pictures yet: no cell
    EXPECT_EQ(hit_test(0, 0).column, BOARD_SPAN);
}

TEST_F(ControllerTest, FirstPressOutsideTheGridStartsTheClock) {
    on_new_game();
    fake.clear_events();
    on_board_click(pixel_of(1), pixel_of(11));  // below the last row
    EXPECT_EQ(fake.events, (Events{"clock start", "wave 3030"}));
    EXPECT_EQ(game.state, GAME_RUNNING);
    on_clock_tick();
    EXPECT_EQ(fake.events.back(), "status 0 0'01");
}

TEST_F(ControllerTest, ClockTextsAndTicksOutsideARunningGame) {
    on_new_game();
    fake.clear_events();
    on_clock_tick();  // not started: ignored
    EXPECT_TRUE(fake.events.empty());
    game.state = GAME_RUNNING;
    for (int i = 0; i < 59; ++i) on_clock_tick();
    EXPECT_EQ(fake.events.back(), "status 0 0'59");
    on_clock_tick();
    EXPECT_EQ(fake.events.back(), "status 0 1'00");
    for (int i = 60; i < 3600; ++i) on_clock_tick();
    EXPECT_EQ(fake.events.back(), "status 0 60'00");
    game.state = GAME_OVER;
    fake.clear_events();
    on_clock_tick();
    EXPECT_TRUE(fake.events.empty());
    EXPECT_EQ(game.seconds, 3600);
}

TEST_F(ControllerTest, RemovedAndEmptyCellsAreRefused) {
    running_on({"1.", "12"});
    board.cells[2][2] = CELL_REMOVED;
    click_cell(2, 1);
    click_cell(2, 2);
    EXPECT_EQ(fake.events, (Events{"wave 3030", "wave 3030"}));
}

TEST_F(ControllerTest, AcceptedMoveShowsStonesLeftBeforeTheBurst) {
    Rows rows(15, "");
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 10; ++x) rows[y] += static_cast<char>('1' + (x + y) % 2);
    rows[14] = "3333312121";
    settings.colours = 3;
    running_on(rows);
    click_cell(3, 15);
    ASSERT_GE(fake.events.size(), 2u);
    EXPECT_EQ(fake.events[0], "status 2 145");
    EXPECT_EQ(fake.events[1], "wave 3032");
    EXPECT_EQ(game.remaining, 145);
    EXPECT_EQ(fake.events.back(), "status 3 " + std::to_string(count_playable()));
}

TEST_F(ControllerTest, LoneStoneWithNineHeldKeepsAllNine) {
    fake.calendar_time = 3;
    settings.colours = 4;
    on_new_game();
    click_cell(1, 11);  // starts the clock
    std::vector<Rows> before_move;
    int column = 0;
    int row = 0;
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(find_playable(column, row));
        before_move.push_back(board_rows());
        click_cell(column, row);
    }
    ASSERT_EQ(undo_store.count, 9);
    ASSERT_TRUE(find_lone_stone(column, row));
    const Rows board_before = board_rows();
    const CurrentGame game_before = game;
    fake.clear_events();
    click_cell(column, row);
    EXPECT_EQ(fake.events, (Events{"wave 3030", "wave 3035"}));  // no draw, no field
    EXPECT_EQ(board_rows(), board_before);
    EXPECT_EQ(game.remaining, game_before.remaining);
    EXPECT_EQ(game.state, GAME_RUNNING);
    EXPECT_EQ(undo_store.count, 9);
    for (int i = 11; i >= 3; --i) {
        on_undo();
        EXPECT_EQ(board_rows(), before_move[static_cast<std::size_t>(i)]) << "undo to before move " << i + 1;
    }
    fake.clear_events();
    on_undo();
    EXPECT_EQ(fake.events, (Events{"wave 3030", "beep 48"}));
}

TEST_F(ControllerTest, UndoRedrawsThenShowsPlayableThenRemaining) {
    running_on({"113", "232", "323"});
    settings.colours = 3;
    click_cell(1, 1);
    fake.clear_events();
    on_undo();
    EXPECT_EQ(fake.events, (Events{"wave 3035", "draw", "status 3 2", "status 2 9"}));
    EXPECT_EQ(game.remaining, 9);
    EXPECT_EQ(board_rows(), (Rows{"113", "232", "323"}));
}

TEST_F(ControllerTest, UndoWithNothingToUndoBeepsEvenWithSoundOff) {
    on_new_game();
    fake.clear_events();
    on_undo();
    EXPECT_EQ(fake.events, (Events{"wave 3030", "beep 48"}));
    settings.sound = 0;
    fake.clear_events();
    on_undo();
    EXPECT_EQ(fake.events, (Events{"beep 48"}));
}

TEST_F(ControllerTest, LastMoveEndsTheGame) {
    settings.colours = 3;
    running_on({"11", "23"});
    game.seconds = 125;
    click_cell(1, 1);
    EXPECT_EQ(game.state, GAME_OVER);
    EXPECT_EQ(fake.count("status 3 Game over"), 1);
    EXPECT_EQ(fake.count("clock stop 1"), 1);
    const std::string box = "congratulations Congratulations!!|Congratulations,\n\nyou solved this 2x2 grid\n"
                            "in 02' 05\"\n(with only 2 remaining stones).\nYou score 600 points.";
    EXPECT_EQ(fake.matching("congratulations"), (Events{box}));
    EXPECT_EQ(game.last_score, 600);
    EXPECT_EQ(best_scores[0].score, 600);
    // The order: field 3, the clock, the box, then the name for the table.
    const auto at = [](const std::string& e) {
        for (std::size_t i = 0; i < fake.events.size(); ++i)
            if (fake.events[i].rfind(e, 0) == 0) return i;
        return fake.events.size();
    };
    EXPECT_LT(at("status 3 Game over"), at("clock stop"));
    EXPECT_LT(at("clock stop"), at("congratulations"));
    EXPECT_LT(at("congratulations"), at("ask name"));
}

TEST_F(ControllerTest, AfterTheEndPressesAreSilentAndUndoKeepsTheGameOver) {
    settings.colours = 3;
    running_on({"22.", "113", "231"});
    click_cell(1, 1);  // the 2s
    click_cell(1, 2);  // the 1s: no pair is left
    ASSERT_EQ(game.state, GAME_OVER);
    const Rows end_board = board_rows();
    fake.clear_events();
    click_cell(1, 3);
    click_cell(1, 1);
    EXPECT_TRUE(fake.events.empty());

    on_undo();
    EXPECT_EQ(board_rows(), (Rows{"...", "113", "231"}));
    EXPECT_EQ(fake.events, (Events{"wave 3035", "draw", "status 3 2", "status 2 6"}));
    EXPECT_EQ(game.state, GAME_OVER);
    fake.clear_events();
    click_cell(1, 2);
    EXPECT_TRUE(fake.events.empty());
    on_undo();
    EXPECT_EQ(board_rows(), (Rows{"22.", "113", "231"}));
    EXPECT_EQ(game.remaining, 8);
    EXPECT_NE(end_board, board_rows());
}

TEST_F(ControllerTest, ScoresTruncateAndACleardBoardCountsOneStone) {
    game.total = 100;
    game.remaining = 30;
    EXPECT_EQ(compute_score(), 666);
    game.remaining = 40;
    EXPECT_EQ(compute_score(), 500);
    game.remaining = 0;
    game.seconds = 59;
    end_game();
    EXPECT_EQ(game.last_score, 20000);
    EXPECT_EQ(game.remaining, 1);
    EXPECT_EQ(fake.matching("congratulations").at(0),
              "congratulations Congratulations!!|Congratulations,\n\nyou solved this 10x10 grid\n"
              "in 00' 59\"\n(with only 1 remaining stones).\nYou score 20000 points.");
}

TEST_F(ControllerTest, TheLargestScoreFits) {
    current_deal.colours = 6;
    game.total = 31 * 31;
    game.remaining = 0;
    EXPECT_EQ(compute_score(), 576600);
}

// The colours of the settings are those of the next deal: a game, and the
// same board dealt again, count the colours they were dealt with.
TEST_F(ControllerTest, TheScoreCountsTheColoursTheBoardWasDealtWith) {
    on_new_game();  // 2 colours
    settings.colours = 6;
    game.remaining = 40;
    EXPECT_EQ(compute_score(), 100 * 2 * 100 / 40);
    on_restart();
    game.remaining = 40;
    EXPECT_EQ(compute_score(), 100 * 2 * 100 / 40);
    on_new_game();
    game.remaining = 40;
    EXPECT_EQ(compute_score(), 100 * 6 * 100 / 40);
}

TEST_F(ControllerTest, EndOfGameInFrench) {
    settings.language_offset = LANGUAGE_FRENCH;
    game.total = 100;
    game.remaining = 40;
    end_game();
    EXPECT_EQ(fake.events.at(0), "status 3 Partie termin\xE9" "e");
    EXPECT_EQ(fake.matching("congratulations").at(0).substr(0, 25), "congratulations Bravo !!|");
}

TEST_F(ControllerTest, NewGameDuringAGameWaitsForThePressToRestartTheClock) {
    on_new_game();
    click_cell(1, 11);
    on_clock_tick();
    on_new_game();
    EXPECT_EQ(game.seconds, 0);
    fake.clear_events();
    on_clock_tick();
    EXPECT_TRUE(fake.events.empty());
    click_cell(1, 11);
    EXPECT_EQ(fake.events.front(), "clock start");
    on_clock_tick();
    EXPECT_EQ(fake.events.back(), "status 0 0'01");
}

TEST_F(ControllerTest, ABoardWithoutPairsShowsZeroAndNeverEnds) {
    set_board({"12", "21"});
    game.state = GAME_NOT_STARTED;
    show_new_game_status();
    EXPECT_EQ(fake.events.back(), "status 3 0");
    fake.clear_events();
    click_cell(1, 1);
    click_cell(2, 1);
    EXPECT_EQ(fake.events, (Events{"clock start", "wave 3030", "wave 3035", "wave 3030", "wave 3035"}));
    EXPECT_EQ(game.state, GAME_RUNNING);
}

TEST_F(ControllerTest, StonesAboveALoweredColourCountStillCount) {
    settings.colours = 3;
    running_on({"33.", "311", "122"});
    settings.colours = 2;
    click_cell(2, 2);  // the 1s
    on_undo();
    EXPECT_EQ(game.remaining, 8);
    EXPECT_EQ(fake.events.back(), "status 2 8");
}
