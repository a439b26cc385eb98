// The settings file on real files in a temporary folder: the values a file
// gives (defaults, clamps, damaged and foreign files), the best-score lines,
// the exact bytes written back, the path rule, and what a failed write
// leaves behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/texts.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/storage_test_support.h"

namespace {

// One whole-file write of the program's settings, scores and options.
void write_settings(const char* path) {
    ASSERT_EQ(write_settings_file(path, format_settings(program_content())), WriteOutcome::WRITTEN);
}

const std::string ENGLISH_FILE =
    "maxi_x=20\r\nmaxi_y=25\r\nform=0\r\nsize=21\r\nlang=1000\r\ncolors=4\r\nsound=1\r\n"
    "540,Zizu\r\n300, \r\n";

std::vector<std::int32_t> fields() {
    return {settings.columns,         settings.rows,    settings.form, settings.stone_size,
            settings.language_offset, settings.colours, settings.sound};
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        path = folder.file("Glimmets.ini");
    }
    void read(const std::string& content) {
        write_bytes(path, content);
        read_settings(path.c_str());
    }
    // A file of seven French lines with line `line` (1..7) replaced.
    void read_with_line(int line, const std::string& text) {
        std::vector<std::string> lines = {"maxi_x=12", "maxi_y=13", "form=1", "larg=24",
                                          "lang=0",    "couleurs=3", "son=0"};
        lines[static_cast<std::size_t>(line - 1)] = text;
        std::string content;
        for (const auto& l : lines) content += l + "\r\n";
        reset_program_state();
        read(content);
    }

    TempFolder folder;
    std::string path;
};

// ---- Values read ---------------------------------------------------------

TEST_F(SettingsFile, NoFileGivesDefaultsAndSevenLinesAtExit) {
    read_settings(path.c_str());
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{10, 15, 1, 15, 1000, 6, 0}));
    EXPECT_EQ(used_best_scores(), 0);
    write_settings(path.c_str());
    EXPECT_EQ(read_bytes(path),
              "maxi_x=10\r\nmaxi_y=15\r\nform=1\r\nsize=15\r\nlang=1000\r\ncolors=6\r\nsound=0\r\n");
    EXPECT_FALSE(exists(temporary_settings_path(path)));
}

TEST_F(SettingsFile, EmptyFileGivesTheCheckedZeros) {
    read("");
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{10, 10, 0, 18, 0, 6, 0}));
}

TEST_F(SettingsFile, EachCheckAtItsLine) {
    struct Case {
        int line;
        const char* text;
        std::int32_t GameSettings::*field;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, "maxi_x=5", &GameSettings::columns, 10},     {1, "maxi_x=32", &GameSettings::columns, 31},
        {1, "maxi_x=31", &GameSettings::columns, 31},    {2, "maxi_y=-3", &GameSettings::rows, 10},
        {2, "maxi_y=10", &GameSettings::rows, 10},       {3, "form=7", &GameSettings::form, 7},
        {4, "larg=20", &GameSettings::stone_size, 18},   {4, "larg=15", &GameSettings::stone_size, 15},
        {4, "larg=0", &GameSettings::stone_size, 18},    {5, "lang=1", &GameSettings::language_offset, 1000},
        {5, "lang=1000", &GameSettings::language_offset, 1000},
        {5, "lang=0", &GameSettings::language_offset, 0},
        {6, "couleurs=1", &GameSettings::colours, 6},    {6, "couleurs=7", &GameSettings::colours, 6},
        {6, "couleurs=2", &GameSettings::colours, 2},    {7, "son=2", &GameSettings::sound, 2},
        {1, "maxi_x=  +17abc", &GameSettings::columns, 17},
        {1, "maxi_x=abc", &GameSettings::columns, 10},   // not a number: 0, then checked
        {1, "no equals sign", &GameSettings::columns, 10},
        {3, "form==5", &GameSettings::form, 0},          // the number after the first "="
    };
    for (const Case& c : cases) {
        read_with_line(c.line, c.text);
        EXPECT_EQ(settings.*c.field, c.expected) << c.text;
    }
}

TEST_F(SettingsFile, KeysAreIgnoredSoEitherLanguageReads) {
    read(ENGLISH_FILE);  // English keys; the file itself does not switch the language
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{20, 25, 0, 21, 1000, 4, 1}));

    reset_program_state();
    settings.language_offset = LANGUAGE_ENGLISH;
    read("maxi_x=20\r\nmaxi_y=25\r\nform=0\r\nlarg=21\r\nlang=0\r\ncouleurs=4\r\nson=1\r\n");
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{20, 25, 0, 21, 0, 4, 1}));

    reset_program_state();  // read by position: swapped lines swap the values
    read("maxi_y=25\r\nmaxi_x=20\r\n");
    EXPECT_EQ(settings.columns, 25);
    EXPECT_EQ(settings.rows, 20);
}

TEST_F(SettingsFile, HugeNumbersSaturateThenAreChecked) {
    read("maxi_x=99999999999999999999\r\nmaxi_y=-99999999999999999999\r\nform=4294967297\r\n"
         "larg=4294967311\r\nlang=4294968296\r\ncouleurs=1\r\nson=-2147483649\r\n"
         "99999999999,Big\r\n");
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{31, 10, 2147483647, 18, 1000, 6, -2147483647 - 1}));
    EXPECT_EQ(best_scores[0].score, 2147483647);
    EXPECT_STREQ(best_scores[0].name, "Big");
}

TEST_F(SettingsFile, LongLineIsReadAsPiecesAndShiftsTheRest) {
    // 63 characters make the first piece; the rest of that line counts as line 2.
    std::string first = "maxi_x=12" + std::string(54, 'x') + "yyy=30\r\n";
    read(first + "maxi_y=20\r\nform=1\r\nlarg=21\r\nlang=1000\r\ncouleurs=3\r\nson=1\r\n");
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{12, 30, 20, 18, 1000, 6, 3}));
    EXPECT_EQ(used_best_scores(), 0);  // "son=1" read as a score line: no comma
}

// ---- Score lines ---------------------------------------------------------

const std::string SEVEN = "maxi_x=10\r\nmaxi_y=15\r\nform=1\r\nsize=15\r\nlang=1000\r\ncolors=6\r\nsound=0\r\n";

TEST_F(SettingsFile, ScoreLinesAndANameOfOneSpace) {
    read(ENGLISH_FILE);
    EXPECT_EQ(used_best_scores(), 2);
    EXPECT_EQ(best_scores[0].score, 540);
    EXPECT_STREQ(best_scores[0].name, "Zizu");
    EXPECT_EQ(best_scores[1].score, 300);
    EXPECT_STREQ(best_scores[1].name, " ");
}

TEST_F(SettingsFile, LineWithoutCommaEndsTheList) {
    read(SEVEN + "120\r\n500,Bob\r\n");
    EXPECT_EQ(best_scores[0].score, 120);
    EXPECT_STREQ(best_scores[0].name, "");
    EXPECT_EQ(best_scores[1].score, 0);
}

TEST_F(SettingsFile, ScoreZeroEndsTheScoresAndNothingBehindItComesBack) {
    read(SEVEN + "700,Ann\r\n0,Gap\r\n500,Bob\r\noptions=1\r\n");
    EXPECT_EQ(used_best_scores(), 1);
    EXPECT_TRUE(view_options.show_groups);  // the options line is found where it always was
    // A new score takes the empty entry; what stood behind it stays gone.
    EXPECT_EQ(insert_entry(best_scores, {300, "Cy"}), 1);
    EXPECT_EQ(used_best_scores(), 2);
    write_settings(path.c_str());
    EXPECT_EQ(read_bytes(path), SEVEN + "700,Ann\r\n300,Cy\r\noptions=1\r\n");
}

TEST_F(SettingsFile, OnlyTwentyFourScoreLinesAreKept) {
    std::string scores;
    for (int i = 1; i <= 30; ++i) scores += std::to_string(i * 10) + ",P" + std::to_string(i) + "\r\n";
    read(SEVEN + scores);
    EXPECT_EQ(used_best_scores(), BEST_SCORE_COUNT);
    EXPECT_EQ(best_scores[23].score, 240);
    write_settings(path.c_str());
    std::string bytes = read_bytes(path);
    EXPECT_NE(bytes.find("240,P24\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("250,"), std::string::npos);
}

TEST_F(SettingsFile, NamesLongerThanTwentyFourAreCut) {
    read(SEVEN + "100,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n"
                 "200,abcdefghijklmnopqrstuvwxyz-no-carriage-return-at-all-and-lo");
    EXPECT_STREQ(best_scores[0].name, "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_STREQ(best_scores[1].name, "abcdefghijklmnopqrstuvwx");
}

TEST_F(SettingsFile, NameRunsToTheLastCarriageReturn) {
    read(SEVEN + "100,a,b\rc\r\n200\r,Late\r\n300,NoEnd");
    EXPECT_STREQ(best_scores[0].name, "a,b\rc");
    EXPECT_EQ(best_scores[1].score, 200);
    EXPECT_STREQ(best_scores[1].name, "Late");  // its last CR is after the comma
    EXPECT_STREQ(best_scores[2].name, "NoEnd");
}

TEST_F(SettingsFile, CarriageReturnBeforeTheCommaGivesAnEmptyName) {
    read(SEVEN + "300\r,Name\n400,Next\r\n");
    EXPECT_EQ(best_scores[0].score, 300);
    EXPECT_STREQ(best_scores[0].name, "");
    EXPECT_STREQ(best_scores[1].name, "Next");
}

TEST_F(SettingsFile, UnixLineEndsReadAndWriteBackCleanly) {
    read("maxi_x=20\nmaxi_y=25\nform=0\nsize=21\nlang=1000\ncolors=4\nsound=1\n540,Zizu\n300, \n");
    EXPECT_EQ(fields(), (std::vector<std::int32_t>{20, 25, 0, 21, 1000, 4, 1}));
    EXPECT_STREQ(best_scores[0].name, "Zizu");
    EXPECT_STREQ(best_scores[1].name, " ");
    write_settings(path.c_str());
    EXPECT_EQ(read_bytes(path), ENGLISH_FILE);
}

TEST_F(SettingsFile, WritingOverAReadBackFileGivesTheSameBytes) {
    const std::string french =
        "maxi_x=31\r\nmaxi_y=10\r\nform=7\r\nlarg=24\r\nlang=0\r\ncouleurs=2\r\nson=2\r\n"
        "120,Zo\xE9\r\n-5,Neg\r\n300, \r\n999999,ABCDEFGHIJKLMNOPQRSTUVWX\r\n";
    for (const std::string& content : {ENGLISH_FILE, french}) {
        reset_program_state();
        read(content);
        write_settings(path.c_str());
        EXPECT_EQ(read_bytes(path), content);
    }
}

// ---- The options line after the scores --------------------------------------

std::vector<std::pair<std::int32_t, std::string>> scores() {
    std::vector<std::pair<std::int32_t, std::string>> out;
    for (const BestScoreEntry& entry : best_scores) out.emplace_back(entry.score, entry.name);
    return out;
}

TEST_F(SettingsFile, OptionsLineWrittenOnlyWhenAnOptionIsOnAndReadBack) {
    std::string twenty_four;
    for (int i = 24; i >= 1; --i) twenty_four += std::to_string(i * 10) + ",P" + std::to_string(i) + "\r\n";
    struct Case {
        ViewOptions options;
        const char* line;
    };
    const Case cases[] = {{{false, false}, ""}, {{true, false}, "options=1\r\n"},
                          {{false, true}, "options=2\r\n"}, {{true, true}, "options=3\r\n"}};
    for (const std::string& score_lines : {std::string(), std::string("540,Zizu\r\n300, \r\n"), twenty_four}) {
        for (const Case& c : cases) {
            reset_program_state();
            read(SEVEN + score_lines);
            const auto scores_read = scores();
            view_options = c.options;
            write_settings(path.c_str());
            EXPECT_EQ(read_bytes(path), SEVEN + score_lines + c.line);
            // Read again: the same settings, the same scores, the same options.
            reset_program_state();
            read_settings(path.c_str());
            EXPECT_EQ(fields(), (std::vector<std::int32_t>{10, 15, 1, 15, 1000, 6, 0}));
            EXPECT_EQ(scores(), scores_read) << c.line;
            EXPECT_EQ(view_options.show_groups, c.options.show_groups) << c.line;
            EXPECT_EQ(view_options.symbols, c.options.symbols) << c.line;
        }
    }
}

TEST_F(SettingsFile, OptionsLineReadsAsTheEmptyEntryThatEndsTheScores) {
    // What the line is to the score reader: a line without a comma whose
    // number is 0, so the entry it lands in stays empty and the list ends.
    read(SEVEN + "540,Zizu\r\noptions=3\r\n700,Late\r\n");
    EXPECT_EQ(used_best_scores(), 1);
    EXPECT_EQ(best_scores[1].score, 0);
    EXPECT_STREQ(best_scores[1].name, "");
    EXPECT_EQ(best_scores[2].score, 0);
    EXPECT_TRUE(view_options.show_groups && view_options.symbols);
}

TEST_F(SettingsFile, OnlyASmallWholeNumberOnTheOptionsLineTurnsOptionsOn) {
    // Damaged numbers read as both off, never as some of their digits.
    for (const char* line : {"120\r\n", "option=3\r\n", "Options=3\r\n", "options=\r\n", "options=-1\r\n",
                             "options=4\r\n", " options=3\r\n", "options=1000000001\r\n", "options=3x\r\n",
                             "options=3 \r\n", "options=0003\r\n", "options=99999999999999999999\r\n"}) {
        reset_program_state();
        read(SEVEN + "540,Zizu\r\n" + line);
        EXPECT_FALSE(view_options.show_groups || view_options.symbols) << line;
    }
    for (const char* line : {"options=3", "options=3\n", "options=003\r\n", "options=7\r\n"}) {
        reset_program_state();
        read(SEVEN + line);
        EXPECT_TRUE(view_options.show_groups && view_options.symbols) << line;
        EXPECT_EQ(used_best_scores(), 0);
    }
}

// ---- Path rule -----------------------------------------------------------

TEST(SettingsPaths, ExtensionReplaced) {
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\GAMES\\PUZZLE.EXE", "C:\\GAMES\\PUZZLE.ini"},
        {"C:\\V1.2345\\PUZZLE", "C:\\V1.2345\\PUZZLE.ini"},
        // A dot in a folder name is no extension: the file stays in the program's folder.
        {"C:\\A.B\\C", "C:\\A.B\\C.ini"},
        {"/opt/a.b/c", "/opt/a.b/c.ini"},
        {"C:\\GAMES\\PUZZLE.", "C:\\GAMES\\PUZZLE.ini"},
        {"C:\\GAMES\\P.TOOLONG", "C:\\GAMES\\P.TOOLONG.ini"},
        {"X", "X.ini"},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        EXPECT_EQ(replace_extension(path, "INI"), c.expected) << c.path;
    }
}

TEST(SettingsPaths, LongProgramPathTakenWhole) {
    reset_program_state();
    std::string folder = "Z:\\";
    for (int i = 0; i < 40; ++i) folder += "folder" + std::to_string(i) + "\\";
    fake.module_path = folder + "Glimmets.exe";
    init_paths();
    EXPECT_EQ(settings_path, folder + "Glimmets.ini");
    EXPECT_EQ(help_path, folder + "Glimmets.hlp");
}

// ---- A folder where the file may be rewritten but no file made ----------------

// Works as any user, root included: the temporary file cannot be made.
TEST_F(SettingsFile, NoTemporaryFileRewritesTheFileInPlace) {
    read(ENGLISH_FILE + "100,A\r\n200,B\r\n300,C\r\n");
    ASSERT_EQ(mkdir(temporary_settings_path(path).c_str(), 0700), 0);
    settings.columns = 11;
    clear_best_scores();
    write_settings(path.c_str());
    EXPECT_EQ(read_bytes(path), "maxi_x=11\r\nmaxi_y=25\r\nform=0\r\nsize=21\r\nlang=1000\r\ncolors=4\r\nsound=1\r\n");
}

}  // namespace
