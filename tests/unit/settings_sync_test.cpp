// The settings file follows the game: it is written after each change that
// it keeps, a write merges the scores of another copy of the game that
// shares the file, a write that fails during play is told once and tried
// again, and the content of a final write that could not replace the file
// is kept beside it and taken in by the next start.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
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
    ASSERT_TRUE(insert_best_score(score));
    name_best_score(score, name);
}

// ---- A write after each kind of change ---------------------------------------

// A game of 100 stones in 6 colours ends with `left` of them: 60000 / left,
// and Ann names its score.
void finish_a_game(int left = 100) {
    fake.name_typed = "Ann";
    game.state = GAME_RUNNING;
    game.total = 100;
    game.remaining = left;
    current_deal.colours = 6;
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
        {"a best score named", [] { finish_a_game(); }, SETTINGS_LINES + with_zizu + "600,Ann\r\n"},
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

// ---- Two copies of the game on one file ---------------------------------------
// (Every interleaving of several copies is the model's: shared_file_model.cpp.)

TEST_F(SettingsSync, TheSameScoreAndNameFromTwoCopiesStaysTwice) {
    start({{900, "Old"}});
    // Another copy wrote its 500 for Ann since this one started.
    write_bytes(settings_path, SETTINGS_LINES + score_lines({{900, "Old"}, {500, "Ann"}}));
    name_score(500, "Ann");
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}, {500, "Ann"}, {500, "Ann"}}));
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

TEST_F(SettingsSync, AFinalWriteRefusedKeepsTheScoresAndSettingsForTheNextStart) {
    start({{900, "Old"}});
    fake.replace_refusals = 1 << 20;
    name_score(500, "Ann");
    toggle_language();  // French, chosen in the session whose writes all fail
    std::string kept;
    try {
        save_settings_at_exit();
        FAIL() << "the failure was not reported";
    } catch (const FatalErrorReported& error) {
        const std::string line = "\n" + utf8_from_cp1252(get_text(TXT_SCORES_KEPT_IN));
        const std::string message = error.what();
        ASSERT_NE(message.find(line), std::string::npos) << message;
        kept = message.substr(message.find(line) + line.size());
    }
    EXPECT_EQ(kept, settings_path + ".1.4242.kept");
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}}));

    // Meanwhile another copy wrote its own score; then the game starts again.
    write_bytes(settings_path, SETTINGS_LINES + "900,Old\r\n300,Zed\r\n");
    reset_program_state();
    settings_path = folder.file("Glimmets.ini");
    fake.process_id = 5151;
    load_settings();
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}, {300, "Zed"}, {500, "Ann"}}));
    EXPECT_EQ(settings.language_offset, LANGUAGE_FRENCH);  // the kept session's choice
    EXPECT_NE(file().find("lang=0\r\n"), std::string::npos);
    EXPECT_EQ(used_best_scores(), 3);
    EXPECT_FALSE(exists(kept));
}

// The one kept name of the program's first versions, with no changes in it:
// the scores the file lacks come in, once.
TEST_F(SettingsSync, AKeptFileOfTheFirstVersionsIsTakenInOnce) {
    write_bytes(settings_path + ".kept", SETTINGS_LINES + "900,Old\r\n500,Ann\r\n");
    fake.replace_refusals = REPLACE_TRIES;  // the start's write is refused: it stays for the next write
    start({{900, "Old"}});
    EXPECT_EQ(fake.count("warning"), 1);
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}}));
    save_settings_at_exit();
    EXPECT_EQ(scores_in(file()), (Scores{{900, "Old"}, {500, "Ann"}}));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_TRUE(entry.path().filename() == "Glimmets.ini" || entry.path().filename() == "Glimmets.ini.lock")
            << entry.path();
}

// ---- The name prompt ---------------------------------------------------------------

TEST_F(SettingsSync, AFinishedGameIsInTheFileBeforeAnyBoxShows) {
    start({{540, "Zizu"}});
    std::string at_congratulations;
    fake.on_congratulations = [&] { at_congratulations = file(); };
    finish_a_game();
    EXPECT_EQ(at_congratulations, SETTINGS_LINES + "540,Zizu\r\n600, \r\n");
    EXPECT_EQ(file(), SETTINGS_LINES + "540,Zizu\r\n600,Ann\r\n");
}

TEST_F(SettingsSync, TheSessionEndingDuringTheNamePromptWritesOneSpace) {
    Scores full = old_scores(BEST_SCORE_COUNT);
    full[3] = {900, "Low"};
    start(full);
    fake.on_ask_name = [] { save_settings_at_exit(); };
    finish_a_game(50);
    Scores expected = full;
    expected[3] = {1200, " "};
    EXPECT_EQ(scores_in(file()), expected);
    EXPECT_STREQ(best_scores[3].name, "Ann");  // the box's answer still reaches the table
}

}  // namespace
