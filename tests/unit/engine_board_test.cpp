// The Board after a new game, the generator and the three counts.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/undo.h"
#include "tests/unit/board_fixtures.h"

TEST(Generator, FromSeedOneGives346Then130) {
    rng_seed(1);
    EXPECT_EQ(rng_next(), 346);
    EXPECT_EQ(rng_next(), 130);
    rng_seed(4);
    EXPECT_EQ(rng_next(), 1385);
}

TEST(Generator, StaysWithin15BitsAcrossTheStateWrap) {
    rng_seed(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int v = rng_next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST(NewGame, ThreeByThreeOfThreeColoursFromSeedOne) {
    start_fixture(3, 3, 3);
    new_game_with_seed(1);
    EXPECT_EQ(board_rows(), (std::vector<std::string>{"221", "222", "322"}));
}

TEST(NewGame, SeedsFromTheCalendarTime) {
    start_fixture(3, 3, 3);
    fake.calendar_time = 1;
    new_game();
    EXPECT_EQ(board_rows(), (std::vector<std::string>{"221", "222", "322"}));
}

TEST(NewGame, ResetsMarksAndHistory) {
    start_fixture(10, 10, 2);
    board.marks[3][3] = 1;
    save_snapshot();
    new_game_with_seed(9);
    EXPECT_EQ(count_marks(), 0);
    EXPECT_EQ(undo_store.count, 0);
    EXPECT_NE(undo_store.block, nullptr);  // emptied, not released
}

void expect_borders(int c, int r) {
    for (int x = 0; x <= c; ++x) EXPECT_EQ(board.cells[x][0], CELL_BORDER) << "top border, column " << x;
    for (int y = 0; y <= r; ++y) EXPECT_EQ(board.cells[c + 1][y], CELL_BORDER) << "right border, row " << y;
    for (int y = 1; y <= r + 1; ++y) EXPECT_EQ(board.cells[0][y], 0) << "column 0, row " << y;
    for (int x = 0; x <= c + 1; ++x) EXPECT_EQ(board.cells[x][r + 1], 0) << "bottom sentinel, column " << x;
}

TEST(NewGame, BordersAndSentinelsAtTenByTen) {
    start_fixture(10, 10, 2);
    new_game_with_seed(12345);
    expect_borders(10, 10);
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) EXPECT_TRUE(board.cells[x][y] == 1 || board.cells[x][y] == 2);
    EXPECT_EQ(count_remaining(), 100);
}

TEST(NewGame, BordersAndSentinelsAtThirtyOneUseTheWholePlanes) {
    start_fixture(31, 31, 6);
    new_game_with_seed(7);
    expect_borders(31, 31);
    EXPECT_EQ(count_remaining(), 961);
}

TEST(NewGame, ShrinkingLeavesOldCellsOutsideUntouchedAndUnread) {
    start_fixture(31, 31, 6);
    new_game_with_seed(7);
    pending_dimensions = PendingDimensions{10, 12};
    new_game_with_seed(8);
    EXPECT_EQ(settings.columns, 10);
    EXPECT_EQ(settings.rows, 12);
    expect_borders(10, 12);
    EXPECT_EQ(count_remaining(), 120);
}

TEST(NewGame, PendingDimensionsApplyOnlyAsAPairAndReleaseTheStore) {
    start_fixture(10, 10, 2);
    new_game_with_seed(1);
    save_snapshot();
    const std::uint8_t* block = undo_store.block;
    pending_dimensions = PendingDimensions{20, 0};
    new_game_with_seed(1);
    EXPECT_EQ(settings.columns, 10);
    EXPECT_EQ(undo_store.block, block);

    pending_dimensions = PendingDimensions{31, 31};
    new_game_with_seed(1);
    EXPECT_EQ(settings.columns, 31);
    EXPECT_EQ(settings.rows, 31);
    EXPECT_EQ(undo_store.block, nullptr);
    save_snapshot();
    EXPECT_EQ(undo_store.slot_size, 992u);
}

TEST(NewGame, PendingDimensionsTheBoardCannotHoldAreIgnored) {
    start_fixture(10, 10, 2);
    pending_dimensions = PendingDimensions{40, 12};
    new_game_with_seed(1);
    EXPECT_EQ(settings.columns, 10);
    EXPECT_EQ(settings.rows, 10);
}

TEST(Counts, PlayableCountsStonesNotGroupsAndIgnoresDiagonals) {
    start_fixture(3, 3, 3);
    set_board({"121", "212", "121"});
    EXPECT_EQ(count_playable(), 0);  // diagonal neighbours only
    set_board({"113", "232", "323"});
    EXPECT_EQ(count_playable(), 2);
    set_board({"113", "132", "323"});
    EXPECT_EQ(count_playable(), 3);  // an L of three
}

TEST(Counts, BordersNeverMatch) {
    start_fixture(1, 4, 2);
    set_board({"1", "2", "1", "2"});  // column 0 and row R + 1 hold 0, the others 127
    EXPECT_EQ(count_playable(), 0);
}

TEST(Counts, EmptyBoardHasNothingLeft) {
    start_fixture(3, 2, 2);
    set_board({"...", "..."});
    EXPECT_EQ(count_remaining(), 0);
    EXPECT_EQ(count_playable(), 0);
}

TEST(Counts, RemainingCountsColoursAboveALoweredColourCount) {
    start_fixture(3, 2, 6);
    set_board({"6.5", "123"});
    settings.colours = 2;
    EXPECT_EQ(count_remaining(), 5);
}

TEST(Counts, MarksCountTheLastFill) {
    start_fixture(3, 3, 3);
    set_board({"113", "132", "323"});
    clear_marks();
    EXPECT_EQ(count_marks(), 0);
    board.marks[1][1] = board.marks[2][1] = 1;
    EXPECT_EQ(count_marks(), 2);
    clear_marks();
    EXPECT_EQ(count_marks(), 0);
}
