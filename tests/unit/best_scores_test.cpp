// The best-scores table: which entry a new score takes, when the player is
// asked for a name and what the name becomes, the trims, and the list lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "storage/best_scores.h"
#include "storage/settings_sync.h"
#include "tests/unit/fake_platform.h"

namespace {

// What a finished game does with its score, the boxes answered by the fake.
void finish(int score) {
    if (!insert_best_score(score)) return;
    char name[NAME_BUFFER_SIZE];
    ask_player_name(name);
    name_best_score(score, name);
}

class BestScores : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void fill(int count, int first_score) {
        for (int i = 0; i < count; ++i) {
            best_scores[i].score = first_score + 10 * i;
            std::snprintf(best_scores[i].name, NAME_CAPACITY, "P%d", i);
        }
    }
};

TEST_F(BestScores, EmptyTableTakesTheFirstEntry) {
    fake.name_typed = "Ann";
    finish(500);
    EXPECT_EQ(fake.count("ask name"), 1);
    EXPECT_EQ(best_scores[0].score, 500);
    EXPECT_STREQ(best_scores[0].name, "Ann");
    char line[64];
    ASSERT_TRUE(format_best_score_line(0, line, sizeof line));
    EXPECT_STREQ(line, "000500, Ann");
    EXPECT_FALSE(format_best_score_line(1, line, sizeof line));
    EXPECT_EQ(used_best_scores(), 1);
}

TEST_F(BestScores, FreeEntryTakesAnyScore) {
    fill(5, 1000);
    finish(3);
    EXPECT_EQ(best_scores[5].score, 3);
    EXPECT_EQ(best_scores[0].score, 1000);
}

TEST_F(BestScores, EmptyEntryInTheMiddleIsTakenFirst) {
    fill(10, 1000);
    best_scores[4].score = 0;
    finish(7);
    EXPECT_EQ(best_scores[4].score, 7);
    EXPECT_EQ(best_scores[10].score, 0);
}

TEST_F(BestScores, FullTableReplacesTheEarliestLowest) {
    fill(BEST_SCORE_COUNT, 900);
    best_scores[3].score = 800;
    best_scores[7].score = 800;

    finish(799);  // refused without asking
    EXPECT_EQ(fake.count("ask name"), 0);
    EXPECT_EQ(best_scores[3].score, 800);
    EXPECT_STREQ(best_scores[3].name, "P3");

    fake.name_typed = "Equal";
    finish(800);  // an equal score enters
    EXPECT_EQ(fake.count("ask name"), 1);
    EXPECT_STREQ(best_scores[3].name, "Equal");
    EXPECT_STREQ(best_scores[7].name, "P7");

    finish(801);  // entry 3 still holds the earliest 800
    EXPECT_EQ(best_scores[3].score, 801);
    finish(802);  // now entry 7 holds the lowest
    EXPECT_EQ(best_scores[7].score, 802);
}

TEST_F(BestScores, WhatTheNameBecomes) {
    struct Case {
        bool ok;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {false, "ignored", " "},      // cancelled: one space
        {true, "  Bob Lee  ", "Bob Lee"},
        {true, "", ""},
        {true, "     ", ""},
        {true, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVW"},  // the box keeps 23
    };
    for (const Case& c : cases) {
        reset_program_state();
        fake.name_ok = c.ok;
        fake.name_typed = c.typed;
        finish(100);
        EXPECT_STREQ(best_scores[0].name, c.expected) << c.typed;
        EXPECT_EQ(best_scores[0].score, 100);
    }
}

TEST_F(BestScores, NameBufferHoldsOneSpaceWhenTheBoxOpens) {
    fake.name_ok = false;
    char name[NAME_BUFFER_SIZE];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(ask_player_name(name), 0);
    EXPECT_STREQ(name, " ");
}

TEST(Trims, LeadingAndTrailingSpacesOnly) {
    char a[] = "   a b \t ";
    EXPECT_NE(trim_leading_spaces(a), 0);
    EXPECT_STREQ(a, "a b \t ");
    EXPECT_EQ(trim_leading_spaces(a), 0);
    trim_trailing_spaces(a);
    EXPECT_STREQ(a, "a b \t");

    char spaces[] = "    ";
    EXPECT_NE(trim_leading_spaces(spaces), 0);
    EXPECT_STREQ(spaces, "");
    char empty[] = "";
    trim_trailing_spaces(empty);
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(trim_leading_spaces(empty), 0);
}

TEST_F(BestScores, ListLinesStopAtTheFirstEmptyEntry) {
    best_scores[0] = {42, "Zed"};
    best_scores[1] = {123456, " "};
    best_scores[3] = {99, "Hidden"};
    EXPECT_EQ(used_best_scores(), 2);
    char line[64];
    ASSERT_TRUE(format_best_score_line(0, line, sizeof line));
    EXPECT_STREQ(line, "000042, Zed");
    ASSERT_TRUE(format_best_score_line(1, line, sizeof line));
    EXPECT_STREQ(line, "123456,  ");
    EXPECT_FALSE(format_best_score_line(2, line, sizeof line));
    EXPECT_FALSE(format_best_score_line(24, line, sizeof line));

    clear_best_scores();
    EXPECT_EQ(used_best_scores(), 0);
    EXPECT_STREQ(best_scores[3].name, "");
}

}  // namespace
