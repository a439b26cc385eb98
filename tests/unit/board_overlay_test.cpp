// The keyboard cursor, the outline of a group and the overlay drawn over the
// stones: where keys take the cursor, which sides and corners an outline
// passes, what Space and the pointer do, "Show groups" with its status field,
// and a marked group that lasts until the next move.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "control/board_overlay.h"
#include "control/game.h"
#include "engine/board.h"
#include "engine/group_outline.h"
#include "storage/game_settings.h"
#include "tests/unit/board_fixtures.h"

namespace {

using Rows = std::vector<std::string>;
using Events = std::vector<std::string>;

// ---- Where the keys take the cursor ------------------------------------------

TEST(CursorMoves, EachKeyOnAFiveByFourGrid) {
    struct Case {
        Cell from;
        CursorKey key;
        Cell to;
    };
    const Case cases[] = {
        {{3, 2}, CURSOR_LEFT, {2, 2}},         {{1, 2}, CURSOR_LEFT, {1, 2}},  // stops at the edge
        {{3, 2}, CURSOR_RIGHT, {4, 2}},        {{5, 2}, CURSOR_RIGHT, {5, 2}},
        {{3, 2}, CURSOR_UP, {3, 1}},           {{3, 1}, CURSOR_UP, {3, 1}},
        {{3, 2}, CURSOR_DOWN, {3, 3}},         {{3, 4}, CURSOR_DOWN, {3, 4}},
        {{3, 2}, CURSOR_FIRST_COLUMN, {1, 2}}, {{3, 2}, CURSOR_LAST_COLUMN, {5, 2}},
        {{3, 2}, CURSOR_TOP_ROW, {3, 1}},      {{3, 2}, CURSOR_BOTTOM_ROW, {3, 4}},
        {{9, 9}, CURSOR_LEFT, {5, 4}},  // a cell left off a grid that shrank comes back onto it
    };
    for (const Case& c : cases) {
        const Cell to = cursor_moved(c.from, c.key, 5, 4);
        EXPECT_EQ(to.column, c.to.column) << c.from.column << "," << c.from.row << " key " << c.key;
        EXPECT_EQ(to.row, c.to.row) << c.from.column << "," << c.from.row << " key " << c.key;
    }
}

// ---- Which sides and corners an outline passes --------------------------------

// The outline of the group at (column, row), cell by cell, as letters:
// L T R B for the sides, a b c d for the inner corners top-left, top-right,
// bottom-left, bottom-right, and "-" for a cell inside with no part.
std::map<std::pair<int, int>, std::string> outline_of(const Rows& rows, int column, int row) {
    set_board(rows);
    Group group;
    find_group(column, row, group);
    CellPlane plane{};
    add_outline(group, plane);
    std::map<std::pair<int, int>, std::string> out;
    const char letters[] = "LTRBabcd";
    for (int x = 0; x < BOARD_SPAN; ++x)
        for (int y = 0; y < BOARD_SPAN; ++y) {
            const std::uint16_t bits = plane.cells[x][y];
            if (bits == 0) continue;
            std::string parts;
            for (int bit = 0; bit < 8; ++bit)
                if (bits & (1u << bit)) parts += letters[bit];
            EXPECT_TRUE(bits & OUTLINE_INSIDE) << x << "," << y;
            out[{x, y}] = parts.empty() ? "-" : parts;
        }
    return out;
}

TEST(GroupOutline, SidesAndInnerCornersOfEachShape) {
    start_fixture(4, 3, 3);
    struct Case {
        const char* name;
        Rows rows;
        Cell at;
        std::map<std::pair<int, int>, std::string> expected;
    };
    const Case cases[] = {
        {"two side by side", {"11..", "2323", "3232"}, {1, 1}, {{{1, 1}, "LTB"}, {{2, 1}, "TRB"}}},
        {"an L turns round one inner corner",
         {"12..", "11..", "2323"},
         {1, 1},
         {{{1, 1}, "LTR"}, {{1, 2}, "LBb"}, {{2, 2}, "TRB"}}},
        {"a square of four has no inner corner",
         {"11..", "11..", "2323"},
         {2, 2},
         {{{1, 1}, "LT"}, {{2, 1}, "TR"}, {{1, 2}, "LB"}, {{2, 2}, "RB"}}},
        {"a ring's hole is outlined from inside",
         {"111.", "121.", "111."},
         {1, 1},
         {{{1, 1}, "LTd"},
          {{2, 1}, "TB"},
          {{3, 1}, "TRc"},
          {{1, 2}, "LR"},
          {{3, 2}, "LR"},
          {{1, 3}, "LBb"},
          {{2, 3}, "TB"},
          {{3, 3}, "RBa"}}},
        {"the edges of the grid bound the group", {"3333", "2121", "1212"}, {4, 1}, {{{1, 1}, "LTB"}, {{2, 1}, "TB"}, {{3, 1}, "TB"}, {{4, 1}, "TRB"}}},
        {"stones touching by a corner only are apart", {"12..", "21..", "3232"}, {1, 1}, {{{1, 1}, "LTRB"}}},
        {"an empty cell has no group", {"12..", "21..", "3232"}, {4, 1}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(outline_of(c.rows, c.at.column, c.at.row), c.expected) << c.name;
}

TEST(GroupOutline, FindingAGroupLeavesTheBoardAsItWas) {
    start_fixture(31, 31, 1);
    new_game_with_seed(7);  // one colour: the whole grid is one group
    const Board before = board;
    Group group;
    find_group(31, 31, group);
    EXPECT_EQ(group.size, 31 * 31);
    EXPECT_EQ(std::memcmp(&before, &board, sizeof board), 0);
    board.cells[5][5] = CELL_BURST_2;  // a stone bursting belongs to no group
    find_group(5, 5, group);
    EXPECT_EQ(group.size, 0);
    find_group(32, 1, group);  // off the grid
    EXPECT_EQ(group.size, 0);
}

// ---- The cursor, the pointer and the press ---------------------------------

class Overlay : public ::testing::Test {
protected:
    void SetUp() override {
        start_fixture(4, 3, 3);
        set_board(BOARD);
        game.state = GAME_RUNNING;
        game.total = game.remaining = 12;
        fake.clear_events();
    }
    static std::uint16_t bits_at(int column, int row) { return overlay.cells[column][row]; }
    static Cell cursor_cell() {
        for (int x = 1; x <= settings.columns; ++x)
            for (int y = 1; y <= settings.rows; ++y)
                if (overlay.cells[x][y] & OVERLAY_CURSOR) return Cell{x, y};
        return Cell{0, 0};
    }
    static int outlined_cells() {
        int n = 0;
        for (const auto& column : overlay.cells)
            for (std::uint16_t bits : column) n += (bits & OUTLINE_INSIDE) != 0;
        return n;
    }
    // Three 1s at the top left, three 3s at the right, a lone 2 at the bottom left.
    const Rows BOARD = {"1122", "1233", "2313"};
};

TEST_F(Overlay, FirstKeyShowsTheCursorBottomLeftThenKeysMoveIt) {
    on_cursor_key(CURSOR_RIGHT);  // shows only
    EXPECT_EQ(cursor_cell().column, 1);
    EXPECT_EQ(cursor_cell().row, 3);
    EXPECT_EQ(fake.events, Events{"overlay"});
    on_cursor_key(CURSOR_RIGHT);
    on_cursor_key(CURSOR_UP);
    EXPECT_EQ(cursor_cell().column, 2);
    EXPECT_EQ(cursor_cell().row, 2);
    fake.clear_events();
    on_cursor_key(CURSOR_LAST_COLUMN);
    on_cursor_key(CURSOR_RIGHT);  // at the edge: nothing to draw
    EXPECT_EQ(fake.events, Events{"overlay"});
}

TEST_F(Overlay, PointerHidesTheCursorAndTheNextKeyShowsItWhereItWas) {
    on_cursor_key(CURSOR_DOWN);
    on_cursor_key(CURSOR_RIGHT);
    on_pointer_over(pixel_of(4), pixel_of(1));  // reported where it stood still: no move
    EXPECT_TRUE(cursor.shown);
    on_pointer_moved(pixel_of(4), pixel_of(1));
    EXPECT_FALSE(cursor.shown);
    EXPECT_EQ(cursor_cell().column, 0);
    on_cursor_key(CURSOR_UP);  // shows, does not move
    EXPECT_EQ(cursor_cell().column, 2);
    EXPECT_EQ(cursor_cell().row, 3);
    click_cell(4, 1);  // a click hides it too, and plays
    EXPECT_FALSE(cursor.shown);
}

TEST_F(Overlay, SpaceDoesWhatAClickOnTheCursorCellDoes) {
    // The same move twice from the same state: once by click, once by keyboard.
    click_cell(1, 2);
    const Rows by_click = board_rows();
    const Events click_events = fake.events;
    const CurrentGame after_click = game;

    SetUp();
    on_cursor_key(CURSOR_UP);  // shows at (1, 3)
    on_cursor_key(CURSOR_UP);  // (1, 2)
    fake.clear_events();
    on_cursor_press();
    EXPECT_EQ(board_rows(), by_click);
    EXPECT_EQ(fake.events, click_events);
    EXPECT_EQ(game.remaining, after_click.remaining);
    EXPECT_EQ(cursor.cell.column, 1);  // stays on its cell after the move
    EXPECT_EQ(cursor.cell.row, 2);
    EXPECT_TRUE(cursor.shown);
}

TEST_F(Overlay, SpaceWhileTheCursorIsHiddenOnlyShowsIt) {
    on_cursor_press();
    EXPECT_TRUE(cursor.shown);
    EXPECT_EQ(fake.events, Events{"overlay"});
    EXPECT_EQ(board_rows(), BOARD);
    fake.clear_events();
    on_cursor_press();  // a lone 2 at (1, 3): refused as a click is
    EXPECT_EQ(fake.events, (Events{"wave 3030", "wave 3035"}));
}

TEST_F(Overlay, CursorComesBackOntoAGridThatShrank) {
    on_cursor_key(CURSOR_LAST_COLUMN);
    on_cursor_key(CURSOR_LAST_COLUMN);  // (4, 3)
    set_board({"11", "22"});
    refresh_overlay();
    EXPECT_EQ(cursor_cell().column, 2);
    EXPECT_EQ(cursor_cell().row, 2);
}

// ---- Show groups -----------------------------------------------------------

TEST_F(Overlay, ShowGroupsOutlinesTheGroupUnderThePointerAndShowsItsSize) {
    toggle_show_groups();
    EXPECT_EQ(fake.events, (Events{"check 203 on", "status parts 5", "status 4 "}));
    fake.clear_events();
    on_pointer_moved(pixel_of(2), pixel_of(1));
    EXPECT_EQ(outlined_cells(), 3);
    EXPECT_EQ(bits_at(2, 1), OUTLINE_INSIDE | OUTLINE_TOP | OUTLINE_RIGHT | OUTLINE_BOTTOM);
    EXPECT_EQ(fake.events, (Events{"status 4 3 in group", "overlay"}));

    fake.clear_events();
    on_pointer_moved(pixel_of(2), pixel_of(1) + 1);  // same cell: nothing new
    EXPECT_TRUE(fake.events.empty());
    on_pointer_moved(pixel_of(1), pixel_of(3));  // a lone stone is not outlined
    EXPECT_EQ(outlined_cells(), 0);
    EXPECT_EQ(fake.events, (Events{"status 4 ", "overlay"}));

    // The keyboard cursor takes over from the pointer.
    fake.clear_events();
    on_cursor_key(CURSOR_UP);  // shows at (1, 3), a lone 2
    on_cursor_key(CURSOR_UP);  // (1, 2), in the group of 1s
    EXPECT_EQ(outlined_cells(), 3);
    EXPECT_NE(bits_at(1, 2) & OVERLAY_CURSOR, 0);
    EXPECT_EQ(fake.matching("status"), Events{"status 4 3 in group"});

    fake.clear_events();
    toggle_show_groups();
    EXPECT_EQ(fake.events, (Events{"check 203 off", "status parts 4", "overlay"}));
    EXPECT_EQ(outlined_cells(), 0);
}

TEST_F(Overlay, SymbolsFlipTheirCheckMarkAndRedrawThePictures) {
    toggle_symbols();
    toggle_symbols();
    EXPECT_EQ(fake.events, (Events{"check 204 on", "pictures", "check 204 off", "pictures"}));
    EXPECT_FALSE(view_options.symbols);
}

TEST_F(Overlay, OutlineFollowsTheBoardAfterAMove) {
    toggle_show_groups();
    on_pointer_moved(pixel_of(3), pixel_of(2));  // the three 3s at the right
    EXPECT_EQ(outlined_cells(), 3);
    click_cell(3, 2);  // they go; a 2 falls under the pointer beside another 2
    refresh_overlay();  // as the view does at each draw of the move
    EXPECT_EQ(board_rows(), (Rows{"11..", "122.", "2312"}));
    EXPECT_EQ(outlined_cells(), 2);
    EXPECT_EQ(bits_at(2, 2), OUTLINE_INSIDE | OUTLINE_LEFT | OUTLINE_TOP | OUTLINE_BOTTOM);
    EXPECT_EQ(fake.matching("status 4").back(), "status 4 2 in group");
}

TEST_F(Overlay, WithGroupsOffThePointerWritesNoStatusAndDrawsNothing) {
    on_pointer_moved(pixel_of(2), pixel_of(1));
    on_pointer_left();
    refresh_overlay();
    EXPECT_TRUE(fake.events.empty());
    EXPECT_EQ(outlined_cells(), 0);
}

// ---- A marked group ----------------------------------------------------------

TEST_F(Overlay, MarkedGroupStaysUntilTheNextMoveUndoOrNewGame) {
    const std::vector<std::pair<const char*, void (*)()>> endings = {
        {"move", [] { click_cell(2, 2); }},
        {"undo", [] { on_undo(); }},
        {"new game", [] { on_new_game(); }},
    };
    for (const auto& ending : endings) {
        SetUp();
        click_cell(3, 2);  // a move to undo: the 3s of row 2
        mark_group_at(Cell{1, 1});
        EXPECT_EQ(outlined_cells(), 3) << ending.first;
        on_pointer_moved(pixel_of(4), pixel_of(3));  // the pointer does not move it
        EXPECT_EQ(outlined_cells(), 3) << ending.first;
        ending.second();
        refresh_overlay();
        EXPECT_EQ(outlined_cells(), 0) << ending.first;
    }
    mark_group_at(Cell{1, 3});  // a lone stone: nothing to outline
    EXPECT_EQ(outlined_cells(), 0);
}

}  // namespace
