// Board numbers, the search's positions and the hint. Golden boards lock
// what a number deals, for good: a change of the dealer or of the rolls that
// would give players other boards for the numbers they kept fails here. The
// search's own moves are checked against the game's moves over many random
// games, rolls and all, with what each move says it changed; the hint
// against the rules it must keep, its budget and the hint kept for its
// position against a plain model.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "control/board_overlay.h"
#include "engine/board.h"
#include "engine/hint.h"
#include "engine/position.h"
#include "tests/unit/board_fixtures.h"

namespace {

using Rows = std::vector<std::string>;

// FNV-1a of the playing area, column by column: a compact fingerprint of a
// board for the golden tables.
std::uint32_t board_hash() {
    std::uint32_t h = 2166136261u;
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; ++y) h = (h ^ board.cells[x][y]) * 16777619u;
    return h;
}

void deal(std::uint32_t number, int columns, int rows, int colours, int form = 0) {
    start_fixture(columns, rows, colours, form);
    new_game_with_seed(number);
}

// Plays the first stone, column by column, that has a neighbour of its
// colour, `moves` times or until none is left; the moves played.
int play_first_groups(int moves) {
    int played = 0, column = 0, row = 0;
    while (played < moves && find_playable(column, row)) {
        click_cell(column, row);
        ++played;
    }
    return played;
}

TEST(BoardNumber, GoldenBoards) {
    struct Golden {
        std::uint32_t number;
        int columns, rows, colours;
        std::uint32_t hash;
    };
    const Golden table[] = {
        {0, 10, 10, 2, 1955013932u},      {1, 10, 15, 6, 2274846117u},           {1000, 15, 10, 6, 1093213465u},
        {424242, 20, 20, 4, 3721396889u}, {4294967295u, 31, 31, 6, 3852305263u}, {1765000000, 31, 10, 3, 2882478038u},
    };
    for (const Golden& g : table) {
        deal(g.number, g.columns, g.rows, g.colours);
        EXPECT_EQ(board_hash(), g.hash) << "board " << g.number << ", " << g.columns << " x " << g.rows;
        EXPECT_EQ(current_deal.seed, g.number);
    }
    // One small board in full, as a picture that reads like the screen.
    deal(7, 10, 10, 3);
    EXPECT_EQ(board_rows(), (Rows{"1232111112", "3322312113", "1322322222", "2212232121", "3133222323",
                                  "1123331211", "3231332313", "1221331211", "2231211333", "1112233211"}));
}

// The rolls of round stones are part of a board number's promise: the same
// moves on the same number end on the same board.
TEST(BoardNumber, GoldenGameOfRoundStones) {
    deal(2024, 12, 12, 3, 1);
    const int played = play_first_groups(1000);
    EXPECT_EQ(played, 34);
    EXPECT_EQ(board_hash(), 1555776581u);
    EXPECT_EQ(rng_state(), 3350159320u);
}

// Outside the span a move reported, every column holds what it held before
// (those right of it shifted by the columns closed), and inside it so do the
// cells below the span's level.
bool changed_only_within(const Position& before, const Position& after, const MoveSpan& span) {
    for (int x = 0; x < after.columns; ++x) {
        const bool inside = x >= span.first && x <= span.last;
        const int source = x > span.last ? x + span.closed : x;
        const int was_height = source < before.columns ? before.height[source] : 0;
        const int kept = inside ? span.level : std::max<int>(was_height, after.height[x]);
        for (int l = 0; l < kept; ++l) {
            const bool was = l < was_height, is = l < after.height[x];
            if (was != is || (is && before.stone[source][l] != after.stone[x][l])) return false;
        }
    }
    return true;
}

// The search's moves against the game's own, rolls and generator included,
// over random games of every form and many sizes; with each move's span and
// the scatter worked out from it.
TEST(Position, PlaysEveryMoveAsTheGameDoes) {
    std::mt19937 random(19);
    GroupList list;
    for (int game_index = 0; game_index < 300; ++game_index) {
        const int columns = std::uniform_int_distribution<int>(1, 31)(random);
        const int rows = std::uniform_int_distribution<int>(1, 31)(random);
        const int colours = std::uniform_int_distribution<int>(2, 6)(random);
        const int form = game_index % 3 == 0 ? 0 : 1;
        deal(random(), columns, rows, colours, form);
        Position p = position_of_board();
        for (;;) {
            find_groups(p, list);
            ASSERT_EQ(list.count == 0, count_playable() == 0) << "game " << game_index;
            if (list.count == 0) break;
            const PlayableGroup g = list.groups[std::uniform_int_distribution<int>(0, list.count - 1)(random)];
            click_cell(g.column + 1, board_row_of(p, g.level));
            const Position before = p;
            MoveSpan span{};
            ASSERT_EQ(take_group_at(p, g.column, g.level, span), g.size);
            const Position game_now = position_of_board();
            ASSERT_TRUE(same_position(p, game_now)) << "game " << game_index;
            ASSERT_EQ(p.rng, game_now.rng) << "game " << game_index;
            ASSERT_EQ(std::memcmp(p.height, game_now.height, sizeof p.height), 0) << "game " << game_index;
            for (int x = 0; x < p.columns; ++x)
                ASSERT_EQ(std::memcmp(p.stone[x], game_now.stone[x], p.height[x]), 0) << "game " << game_index;
            ASSERT_TRUE(changed_only_within(before, p, span)) << "game " << game_index;
            ASSERT_EQ(scatter_after(before, scatter(before), p, span), scatter(p)) << "game " << game_index;
        }
    }
}

TEST(Position, GroupsAreFoundOnceWithTheirSizes) {
    start_fixture(4, 3, 3);
    set_board({"1.2.",
               "1123",
               "2133"});
    const Position p = position_of_board();
    GroupList list;
    find_groups(p, list);
    ASSERT_EQ(list.count, 3);
    const int found[3][2] = {{1, 4}, {3, 3}, {2, 2}};  // colour, size
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.groups[i].colour, found[i][0]);
        EXPECT_EQ(list.groups[i].size, found[i][1]);
    }
    EXPECT_EQ(list.label[0][0], GroupList::NO_GROUP);  // the lone 2 at the bottom left
    EXPECT_EQ(list.label[3][1], 1);
    EXPECT_EQ(largest_group(list), 0);
    // Ten stones less six pairs of neighbours, and 2 more for the lone one:
    // 1 for each group and 3 for the lone stone.
    EXPECT_EQ(scatter(p), 10 - 6 + 2);
}

// Every cell the hint names is a stone with a neighbour of its colour.
bool is_takeable(int column, int row) {
    const std::uint8_t c = board.cells[column][row];
    return is_colour(c) && (board.cells[column - 1][row] == c || board.cells[column + 1][row] == c ||
                            board.cells[column][row - 1] == c || board.cells[column][row + 1] == c);
}

TEST(Hint, AlwaysATakeableGroupAndNoneWhenNothingCanBeTaken) {
    for (std::uint32_t number = 1; number <= 2; ++number) {  // round stones, then square
        deal(number, 10, 10, 3 + static_cast<int>(number), number % 2);
        int column = 0, row = 0;
        while (find_hint(column, row)) {
            ASSERT_TRUE(is_takeable(column, row)) << "board " << number << " at " << column << "," << row;
            click_cell(column, row);
        }
        EXPECT_EQ(count_playable(), 0) << "board " << number;
    }
    start_fixture(3, 2, 3);
    set_board({"121",
               "213"});
    int column = -1, row = -1;
    EXPECT_FALSE(find_hint(column, row));
    EXPECT_EQ(column, -1);
}

// The search's only state is the position: asking twice, or after the same
// position was reached by other moves, gives the same group; and asking
// leaves the game's generator where it was, so the rolls that follow are the
// same as without the hint.
TEST(Hint, SamePositionSameHintAndTheGameUntouched) {
    deal(31337, 15, 15, 4, 1);
    play_first_groups(3);
    const std::uint32_t state = rng_state();
    Board before = board;
    int column = 0, row = 0, again_column = 0, again_row = 0;
    ASSERT_TRUE(find_hint(column, row));
    EXPECT_EQ(rng_state(), state);
    EXPECT_EQ(std::memcmp(&board, &before, sizeof board), 0);
    ASSERT_TRUE(find_hint(again_column, again_row));
    EXPECT_EQ(again_column, column);
    EXPECT_EQ(again_row, row);

    // The same position dealt afresh and reached again, searched again: the same hint.
    deal(31337, 15, 15, 4, 1);
    play_first_groups(3);
    forget_hint();
    ASSERT_TRUE(find_hint(again_column, again_row));
    EXPECT_EQ(again_column, column);
    EXPECT_EQ(again_row, row);
}

// The budget bounds the work, counted in moves: on the golden board of
// 31 x 31, at its start, where the lines are longest, and along a game with
// budgets that run out in every part of the search, down to none at all;
// then on boards of every shape and form. The first hint is golden too: a
// search that gave another group on another machine or build fails here.
TEST(Hint, NeverPlaysMoreMovesThanItsBudget) {
    deal(4294967295u, 31, 31, 6, 1);
    Position p = position_of_board();
    const HintResult first = search_hint(p, HINT_MOVE_BUDGET);
    ASSERT_TRUE(first.found);
    EXPECT_LE(first.moves, HINT_MOVE_BUDGET);
    EXPECT_EQ(first.column, 25);
    EXPECT_EQ(first.level, 11);
    EXPECT_EQ(first.stones_left, 33);

    const long budgets[] = {0, 1, 2, 3, 40, 600, 2500, 9000};
    GroupList list;
    for (int move = 0;; ++move) {
        find_groups(p, list);
        if (list.count == 0) break;
        const long budget = budgets[move % 8];
        const HintResult hint = search_hint(p, budget);
        ASSERT_TRUE(hint.found);
        ASSERT_LE(hint.moves, budget) << "move " << move;
        const int group = list.label[hint.column][hint.level];
        ASSERT_NE(group, GroupList::NO_GROUP) << "move " << move;
        take_group(p, list, group);
    }

    std::mt19937 random(5);
    auto any = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int game_index = 0; game_index < 40; ++game_index) {
        deal(random(), any(1, 31), any(1, 31), any(2, 6), game_index % 2);
        p = position_of_board();
        for (find_groups(p, list); list.count > 0; find_groups(p, list)) {
            const long budget = any(0, 200);
            const HintResult hint = search_hint(p, budget);
            ASSERT_LE(hint.moves, budget) << "game " << game_index;
            const int group = list.label[hint.column][hint.level];
            ASSERT_NE(group, GroupList::NO_GROUP) << "game " << game_index;
            take_group(p, list, group);
        }
        EXPECT_FALSE(search_hint(p, HINT_MOVE_BUDGET).found);
    }
}

// The cell of the outline drawn over the board, if any (1-based).
bool outlined_cell(int column, int row) { return (overlay.cells[column][row] & OUTLINE_INSIDE) != 0; }

// The hint kept for its position, over random commands as the window gives
// them, against a plain model: H searches (with the wait cursor) only on a
// position other than the one last searched, and outlines the group a fresh
// search gives; moves, undos, restarts and new games change the position.
TEST(Hint, KeptForItsPositionOverRandomCommands) {
    start_fixture(9, 8, 3, 1);
    on_board_number(11);
    std::mt19937 random(7);
    Position searched{};
    bool any_searched = false;
    int seen[3] = {};  // searched, kept, refused: each must occur
    for (int step = 0; step < 400; ++step) {
        const int command = std::uniform_int_distribution<int>(0, 15)(random);
        if (command <= 3) {
            const Position now = position_of_board();
            const bool running = game.state <= GAME_RUNNING;
            const bool searches = running && (!any_searched || !same_position(now, searched));
            fake.clear_events();
            on_hint();
            ASSERT_EQ(fake.count("busy"), searches ? 2 : 0) << "step " << step;
            ++seen[!running ? 2 : searches ? 0 : 1];
            if (searches) {
                searched = now;
                any_searched = true;
            }
            const HintResult fresh = search_hint(now, HINT_MOVE_BUDGET);
            refresh_overlay();
            if (running && fresh.found)
                ASSERT_TRUE(outlined_cell(fresh.column + 1, board_row_of(now, fresh.level))) << "step " << step;
            else
                ASSERT_EQ(fake.count("wave"), 1) << "step " << step;  // refused
        } else if (command <= 12) {
            int column = 0, row = 0;
            if (find_playable(column, row)) click_cell(column, row);
        } else if (command == 13) {
            on_undo();
        } else if (command == 14) {
            on_restart();
        } else {
            on_board_number(std::uniform_int_distribution<std::uint32_t>(0, 3)(random));
        }
    }
    EXPECT_GT(seen[0], 10);
    EXPECT_GT(seen[1], 10);
    EXPECT_GT(seen[2], 0);
}

TEST(Hint, BeatsTakingTheLargestGroup) {
    int hinted = 0, largest = 0;
    GroupList list;
    for (std::uint32_t number = 100; number < 110; ++number) {
        deal(number, 10, 10, 3, 1);
        Position by_hint = position_of_board();
        Position by_size = by_hint;
        for (HintResult h = search_hint(by_hint, 5000); h.found; h = search_hint(by_hint, 5000)) {
            find_groups(by_hint, list);
            take_group(by_hint, list, list.label[h.column][h.level]);
        }
        for (find_groups(by_size, list); list.count > 0; find_groups(by_size, list))
            take_group(by_size, list, largest_group(list));
        hinted += stones_left(by_hint);
        largest += stones_left(by_size);
    }
    EXPECT_LT(hinted * 2, largest);
}

}  // namespace
