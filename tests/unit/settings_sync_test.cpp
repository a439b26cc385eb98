// The settings file follows the game: it is written after each change that
// it keeps, a write merges the scores of another copy of the game that
// shares the file, a write that fails during play is told once and tried
// again, and the content of a final write that could not replace the file
// is kept beside it and taken in by the next start.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "control/board_overlay.h"
#include "control/game.h"
#include "control/settings_dialog.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/settings_sync.h"
#include "storage/texts.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/storage_test_support.h"

namespace {

using Scores = std::vector<std::pair<int, std::string>>;

const std::string SETTINGS_LINES = "maxi_x=10\r\nmaxi_y=15\r\nform=1\r\nsize=15\r\nlang=1000\r\ncolors=6\r\nsound=0\r\n";

std::string score_lines(const Scores& scores) {
    std::string lines;
    for (const auto& score : scores) lines += std::to_string(score.first) + "," + score.second + "\r\n";
    return lines;
}

// The score lines of a settings file, after its seven setting lines.
Scores scores_in(const std::string& file) {
    Scores scores;
    std::string::size_type at = 0;
    for (int line = 0; at < file.size(); ++line) {
        std::string::size_type end = file.find("\r\n", at);
        std::string text = file.substr(at, end - at);
        at = end + 2;
        if (line < 7) continue;
        std::string::size_type comma = text.find(',');
        scores.emplace_back(std::stoi(text.substr(0, comma)), text.substr(comma + 1));
    }
    return scores;
}

Scores old_scores(int count) {
    Scores scores;
    for (int i = 0; i < count; ++i) scores.emplace_back(1000 + i, "Old " + std::to_string(i));
    return scores;
}

Scores joined(Scores a, const Scores& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SettingsSync : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        settings_path = folder.file("Glimmets.ini");
    }
    void TearDown() override { fake.on_ask_name = nullptr; }

    void start(const Scores& scores) {
        write_bytes(settings_path, SETTINGS_LINES + score_lines(scores));
        load_settings();
    }
    std::string file() const { return read_bytes(settings_path); }

    TempFolder folder;
};

// A best score entered and named as a finished game does it.
void name_score(int score, const char* name) {
    fake.name_typed = name;
    ASSERT_TRUE(insert_best_score(score));
    save_settings();
}

// ---- A write after each kind of change ---------------------------------------

void finish_a_game() {
    fake.name_typed = "Ann";
    game.state = GAME_RUNNING;
    game.total = 100;
    game.remaining = 100;  // 100 stones x 6 colours x 100 / 100 left: 600
    end_game();
}

void choose_three_colours() {
    SettingsChoice choice{{true, 10}, {true, 15}, {true, 3}, false, true, {true, false, false, false}};
    apply_settings_choice(choice);
}

void deal_a_chosen_grid() {
    pending_dimensions = PendingDimensions{12, 13};
    on_new_game();
}

struct Change {
    const char* what;
    void (*make)();
    std::string expected;  // the whole file once written
};

TEST_F(SettingsSync, EachChangeIsWrittenAtOnce) {
    const std::string with_zizu = score_lines({{540, "Zizu"}});
    const Change changes[] = {
        {"a best score named", finish_a_game, SETTINGS_LINES + with_zizu + "600,Ann\r\n"},
        {"the scores reset", reset_best_scores, SETTINGS_LINES},
        {"the settings dialog's OK", choose_three_colours,
         "maxi_x=10\r\nmaxi_y=15\r\nform=1\r\nsize=15\r\nlang=1000\r\ncolors=3\r\nsound=0\r\n" + with_zizu},
        {"the language switched", toggle_language,
         "maxi_x=10\r\nmaxi_y=15\r\nform=1\r\nlarg=15\r\nlang=0\r\ncouleurs=6\r\nson=0\r\n" + with_zizu},
        {"a new game on the chosen grid", deal_a_chosen_grid,
         "maxi_x=12\r\nmaxi_y=13\r\nform=1\r\nsize=15\r\nlang=1000\r\ncolors=6\r\nsound=0\r\n" + with_zizu},
        {"Show groups ticked", toggle_show_groups, SETTINGS_LINES + with_zizu + "options=1\r\n"},
        {"Symbols on stones ticked", toggle_symbols, SETTINGS_LINES + with_zizu + "options=2\r\n"},
    };
    for (const Change& change : changes) {
        SetUp();
        start({{540, "Zizu"}});
        change.make();
        EXPECT_EQ(file(), change.expected) << change.what;
        EXPECT_EQ(fake.count("warning"), 0) << change.what;
    }
}

TEST_F(SettingsSync, AnotherCopysFileLeavesThisCopysOptions) {
    write_bytes(settings_path, SETTINGS_LINES + "540,Zizu\r\noptions=3\r\n");
    load_settings();
    ASSERT_TRUE(view_options.show_groups && view_options.symbols);
    // Another copy, its options off, wrote a score; this copy's next write
    // merges the scores and keeps its own options.
    write_bytes(settings_path, SETTINGS_LINES + "700,Bob\r\n540,Zizu\r\n");
    toggle_language();
    toggle_language();
    EXPECT_TRUE(view_options.show_groups && view_options.symbols);
    EXPECT_EQ(file(), SETTINGS_LINES + "700,Bob\r\n540,Zizu\r\noptions=3\r\n");
}

TEST_F(SettingsSync, ANewGameOnTheSameGridWritesNothing) {
    start({{540, "Zizu"}});
    fake.file_ops = 0;
    on_new_game();
    EXPECT_EQ(fake.file_ops, 0);
}

// ---- Two copies of the game on one file --------------------------------------

// What one copy holds in memory; the tests switch between two.
struct Copy {
    GameSettings settings{};
    BestScoreEntry table[BEST_SCORE_COUNT]{};
    BestScoreEntry known[BEST_SCORE_COUNT]{};
};

struct Step {
    int copy;
    char what;  // 's' starts, 'n' names a score, 'r' resets, 't' switches the language,
                // 'h' the file is held by another program (from now on), 'f' it is free again,
                // 'x' closes
    int score = 0;
    const char* name = "";
};

struct TwoCopies {
    const char* title;
    Scores before;
    std::vector<Step> steps;
    Scores after;
    bool french;  // the settings of the copy that wrote last
};

class CopySwitch {
public:
    void become(int which) {
        if (current_ >= 0) keep(copies_[current_]);
        current_ = which;
        settings = copies_[which].settings;
        std::memcpy(best_scores, copies_[which].table, sizeof best_scores);
        std::memcpy(known_scores, copies_[which].known, sizeof best_scores);
    }

private:
    static void keep(Copy& copy) {
        copy.settings = settings;
        std::memcpy(copy.table, best_scores, sizeof best_scores);
        std::memcpy(copy.known, known_scores, sizeof best_scores);
    }
    Copy copies_[2];
    int current_ = -1;
};

void run_step(CopySwitch& copies, const Step& step) {
    copies.become(step.copy);
    switch (step.what) {
        case 's': load_settings(); break;
        case 'n': name_score(step.score, step.name); break;
        case 'r': reset_best_scores(); break;
        case 't': toggle_language(); break;
        case 'h': fake.replace_refusals = 1 << 20; break;
        case 'f': fake.replace_refusals = 0; break;
        case 'x': write_settings(settings_path.c_str()); break;
        default: FAIL() << step.what;
    }
}

TEST_F(SettingsSync, TwoCopiesKeepBothPlayersScores) {
    const Scores twenty_two = old_scores(22);
    const TwoCopies cases[] = {
        {"both score, the first closes first", {},
         {{0, 's'}, {1, 's'}, {0, 'n', 500, "Ann"}, {1, 't'}, {1, 'n', 400, "Bob"}, {0, 'x'}, {1, 'x'}},
         {{500, "Ann"}, {400, "Bob"}}, true},
        {"both score, the second closes first", {},
         {{0, 's'}, {1, 's'}, {0, 'n', 500, "Ann"}, {1, 't'}, {1, 'n', 400, "Bob"}, {1, 'x'}, {0, 'x'}},
         {{500, "Ann"}, {400, "Bob"}}, false},
        {"both score while the file is held, the second closes first", {{900, "Old"}},
         {{0, 's'}, {1, 's'}, {0, 'h'}, {0, 'n', 500, "Ann"}, {1, 'n', 400, "Bob"}, {0, 'f'}, {1, 'x'}, {0, 'x'}},
         {{900, "Old"}, {400, "Bob"}, {500, "Ann"}}, false},
        {"both score while the file is held, the first closes first", {{900, "Old"}},
         {{0, 's'}, {1, 's'}, {0, 'h'}, {0, 'n', 500, "Ann"}, {1, 'n', 400, "Bob"}, {0, 'f'}, {0, 'x'}, {1, 'x'}},
         {{900, "Old"}, {500, "Ann"}, {400, "Bob"}}, false},
        {"a reset clears what the file held, not what comes later", {{900, "Old"}},
         {{0, 's'}, {1, 's'}, {1, 'n', 400, "Bob"}, {0, 'r'}, {1, 'n', 300, "Cy"}, {0, 'x'}, {1, 'x'}},
         {{300, "Cy"}}, false},
        {"a reset while the file is held", {{900, "Old"}},
         {{0, 's'}, {1, 's'}, {0, 'h'}, {0, 'r'}, {1, 'n', 400, "Bob"}, {0, 'f'}, {0, 'x'}, {1, 'x'}},
         {{400, "Bob"}}, false},
        {"24 are kept, the lowest go", twenty_two,
         {{0, 's'}, {1, 's'}, {0, 'n', 500, "A1"}, {0, 'n', 600, "A2"}, {1, 'n', 700, "B1"}, {1, 'n', 800, "B2"},
          {1, 'x'}, {0, 'x'}},
         joined(twenty_two, {{700, "B1"}, {800, "B2"}}), false},
        {"the same score and name from two copies stays twice", {},
         {{0, 's'}, {1, 's'}, {0, 'n', 500, "Ann"}, {1, 'n', 500, "Ann"}, {0, 'x'}, {1, 'x'}},
         {{500, "Ann"}, {500, "Ann"}}, false},
    };
    for (const TwoCopies& test : cases) {
        SetUp();
        write_bytes(settings_path, SETTINGS_LINES + score_lines(test.before));
        CopySwitch copies;
        for (const Step& step : test.steps) run_step(copies, step);
        EXPECT_EQ(scores_in(file()), test.after) << test.title;
        EXPECT_EQ(file().find("lang=0\r\n") != std::string::npos, test.french) << test.title;
        EXPECT_EQ(fake.count("fatal"), 0) << test.title;
    }
}

// ---- A write that fails during play --------------------------------------------

TEST_F(SettingsSync, AFailedWriteDuringPlayIsToldOnceAndTriedAgain) {
    start({{540, "Zizu"}});
    const std::string before = file();
    fake.replace_refusals = 1 << 20;  // another program holds the file
    finish_a_game();
    toggle_language();
    EXPECT_EQ(file(), before);
    EXPECT_EQ(game.state, GAME_OVER);  // the game goes on: no fatal box
    ASSERT_EQ(fake.count("warning"), 1);
    const std::string expected_box =
        utf8_from_cp1252(find_text(TXT_NOT_SAVED + LANGUAGE_ENGLISH)) + settings_path +
        utf8_from_cp1252(find_text(TXT_NOT_SAVED_GOES_ON + LANGUAGE_ENGLISH));
    EXPECT_EQ(fake.matching("warning")[0], "warning " + expected_box);  // told in the language of the moment
    EXPECT_EQ(read_bytes(temporary_settings_path(settings_path)), "");  // no temporary file left

    fake.replace_refusals = 0;
    toggle_language();  // the next change writes everything
    EXPECT_EQ(file(), SETTINGS_LINES + "540,Zizu\r\n600,Ann\r\n");
    EXPECT_EQ(fake.count("warning"), 1);
    EXPECT_EQ(fake.count("fatal"), 0);

    fake.replace_refusals = 1 << 20;  // a new failure after a success is told again
    toggle_language();
    EXPECT_EQ(fake.count("warning"), 2);
}

// ---- The final write refused for good ---------------------------------------------

TEST_F(SettingsSync, AFinalWriteRefusedKeepsTheScoresForTheNextStart) {
    start({{900, "Old"}});
    fake.replace_refusals = 1 << 20;
    name_score(500, "Ann");
    fake.replace_refusals = REPLACE_TRIES;  // every try at exit, but not the keeping
    const std::string kept = kept_settings_path(settings_path);
    try {
        save_settings_at_exit();
        FAIL() << "the failure was not reported";
    } catch (const FatalErrorReported& error) {
        std::string shown = std::string("\n") + utf8_from_cp1252(get_text(TXT_SCORES_KEPT_IN)) + kept;
        EXPECT_NE(std::string(error.what()).find(shown), std::string::npos) << error.what();
    }
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}}));
    EXPECT_EQ(read_bytes(kept), SETTINGS_LINES + "900,Old\r\n500,Ann\r\n");

    // Meanwhile another copy wrote its own score; then the game starts again.
    write_bytes(settings_path, SETTINGS_LINES + "900,Old\r\n300,Zed\r\n");
    reset_program_state();
    settings_path = folder.file("Glimmets.ini");
    load_settings();
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}, {300, "Zed"}, {500, "Ann"}}));
    EXPECT_EQ(used_best_scores(), 3);
    EXPECT_FALSE(exists(kept));
}

TEST_F(SettingsSync, AKeptFileStaysUntilItsScoresAreWritten) {
    write_bytes(kept_settings_path(settings_path), SETTINGS_LINES + "500,Ann\r\n");
    fake.replace_refusals = REPLACE_TRIES;  // the start's write is refused
    start({});
    EXPECT_TRUE(exists(kept_settings_path(settings_path)));
    EXPECT_EQ(fake.count("warning"), 1);
    save_settings_at_exit();
    EXPECT_EQ(scores_in(file()), (Scores{{500, "Ann"}}));
    EXPECT_FALSE(exists(kept_settings_path(settings_path)));
}

// ---- The name prompt ---------------------------------------------------------------

void end_the_session() {
    EXPECT_FALSE(save_settings());  // the name is the change that follows
    save_settings_at_exit();
}

TEST_F(SettingsSync, TheSessionEndingDuringTheNamePromptWritesOneSpace) {
    Scores full = old_scores(BEST_SCORE_COUNT);
    full[3] = {900, "Low"};
    start(full);
    fake.on_ask_name = end_the_session;
    name_score(950, "Ann");
    Scores expected = full;
    expected[3] = {950, " "};
    EXPECT_EQ(scores_in(file()), expected);
    EXPECT_STREQ(best_scores[3].name, "Ann");  // the box's answer still reaches the table
}

}  // namespace
