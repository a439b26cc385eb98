// The undo history: the packed form of a snapshot, the ten slots of which
// nine are held, and the staged save that a refused move takes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/undo.h"
#include "tests/unit/board_fixtures.h"

using Rows = std::vector<std::string>;

TEST(Undo, NothingToUndoAfterANewGame) {
    start_fixture(10, 10, 3);
    new_game_with_seed(5);
    const Rows before = board_rows();
    EXPECT_EQ(restore_snapshot(), 1);
    EXPECT_EQ(fake.events, (std::vector<std::string>{"wave 3030"}));
    EXPECT_EQ(board_rows(), before);
}

TEST(Undo, FifteenRowsTakeEightBytesAColumnWithTheSentinelInTheLastHalf) {
    start_fixture(2, 15, 6);
    set_board({"1.", "2.", "3.", "4.", "5.", "6.", "1.", "2.", "3.", "4.", "5.", "6.", "1.", "2.", "36"});
    save_snapshot();
    ASSERT_EQ(undo_store.slot_size, 2u * 15u + 2u);
    const std::uint8_t* s = undo_store.block;
    EXPECT_EQ(s[0], 0x12);
    EXPECT_EQ(s[7], 0x30);   // row 15, then row 16 (the sentinel, 0)
    EXPECT_EQ(s[8], 0xEE);   // column 2 starts at byte 8; empty packs as 14
    EXPECT_EQ(s[15], 0x60);
    EXPECT_EQ(s[16], 0);     // the rest of the slot is not written

    const Rows saved = board_rows();
    set_board(Rows(15, "11"));
    EXPECT_EQ(restore_snapshot(), 0);
    EXPECT_EQ(board_rows(), saved);
    EXPECT_EQ(board.cells[1][16], 0);
}

TEST(Undo, CodesAboveSixComeBackEmpty) {
    start_fixture(2, 2, 2);
    set_board({"12", "21"});
    board.cells[1][1] = CELL_BURST_1;
    board.cells[2][2] = 9;
    save_snapshot();
    restore_snapshot();
    EXPECT_EQ(board_rows(), (Rows{".2", "2."}));
}


TEST(Undo, HoldsTheNewestNineAndRefusesTheTenth) {
    start_fixture(10, 11, 4);
    new_game_with_seed(1);
    undo_store.count = 0;
    std::vector<Rows> boards;
    for (int i = 0; i < 12; ++i) {
        rng_seed(static_cast<std::uint32_t>(100 + i));
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 11; ++y) board.cells[x][y] = static_cast<std::uint8_t>(rng_next() % 4 + 1);
        boards.push_back(board_rows());
        save_snapshot();
        EXPECT_EQ(undo_store.count, i < 9 ? i + 1 : 9);
    }
    for (int i = 11; i >= 3; --i) {
        ASSERT_EQ(restore_snapshot(), 0);
        EXPECT_EQ(board_rows(), boards[static_cast<std::size_t>(i)]) << "snapshot " << i;
    }
    EXPECT_EQ(restore_snapshot(), 1);
}

TEST(Undo, StagedSnapshotTakenBackLeavesNineHeld) {
    start_fixture(10, 10, 3);
    std::vector<Rows> boards;
    for (int i = 0; i < 9; ++i) {
        rng_seed(static_cast<std::uint32_t>(7 * i));
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 10; ++y) board.cells[x][y] = static_cast<std::uint8_t>(rng_next() % 3 + 1);
        boards.push_back(board_rows());
        save_snapshot();
    }
    const Rows current = board_rows();
    ASSERT_TRUE(stage_snapshot());
    board.cells[4][4] = CELL_REMOVED;
    fake.clear_events();
    EXPECT_EQ(restore_staged_snapshot(), 0);
    EXPECT_EQ(fake.events, (std::vector<std::string>{"wave 3035"}));
    EXPECT_EQ(board_rows(), current);
    EXPECT_EQ(undo_store.count, 9);
    EXPECT_EQ(restore_staged_snapshot(), 1);  // taken back once only
    for (int i = 8; i >= 0; --i) {
        ASSERT_EQ(restore_snapshot(), 0);
        EXPECT_EQ(board_rows(), boards[static_cast<std::size_t>(i)]);
    }
}

TEST(Undo, ABoardOfAnotherSizeGetsAFreshStoreNotAnOverflow) {
    start_fixture(10, 10, 3);
    new_game_with_seed(1);
    save_snapshot();
    save_snapshot();
    settings.columns = 31;  // changed behind new_game's back
    settings.rows = 31;
    new_game_with_seed(2);
    const Rows big = board_rows();
    save_snapshot();
    EXPECT_EQ(undo_store.slot_size, 992u);
    EXPECT_EQ(undo_store.count, 1);
    set_board(Rows(31, std::string(31, '1')));
    restore_snapshot();
    EXPECT_EQ(board_rows(), big);
}
