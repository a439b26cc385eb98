// Fault injection on the settings file: every file operation of a write is
// made to fail in turn (once, or from then on like a disk that fills up)
// until a write gets through. After each failed run the file on disk must be
// the whole old file, never a mixture, no temporary file may be left, and
// the failure must have been reported with the path and caption text 500.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/settings_file.h"
#include "storage/texts.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/storage_test_support.h"

namespace {

const std::string OLD_FILE =
    "maxi_x=20\r\nmaxi_y=25\r\nform=0\r\nsize=21\r\nlang=1000\r\ncolors=4\r\nsound=1\r\n"
    "540,Zizu\r\n300, \r\n";

// A state whose file differs from OLD_FILE in every line and is longer.
void change_everything() {
    settings = GameSettings{31, 30, 1, 24, LANGUAGE_FRENCH, 6, 0};
    for (int i = 0; i < BEST_SCORE_COUNT; ++i) {
        best_scores[i].score = 1000 + i;
        std::snprintf(best_scores[i].name, NAME_CAPACITY, "Player number %d", i);
    }
}

std::string expected_new_file() {
    TempFolder scratch;
    std::string path = scratch.file("new.ini");
    write_settings(path.c_str());
    return read_bytes(path);
}

class SettingsFaults : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        reset_program_state();
        path = folder.file("Glimmets.ini");
        write_bytes(path, OLD_FILE);
        read_settings(path.c_str());
        change_everything();
        new_file = expected_new_file();
        ASSERT_NE(new_file, OLD_FILE);
    }

    TempFolder folder;
    std::string path;
    std::string new_file;
};

TEST_P(SettingsFaults, WriteIsWholeOrNothingAtEveryFailingCall) {
    int failures = 0;
    for (int n = 1; n < 200; ++n) {
        fake.file_ops = 0;
        fake.fail_at = n;
        fake.fail_from_then_on = GetParam();
        bool reported = false;
        try {
            write_settings(path.c_str());
        } catch (const FatalErrorReported& error) {
            reported = true;
            EXPECT_EQ(std::string(error.what()), "Erreur \xE0 l'ouverture du fichier : " + path);
            EXPECT_EQ(error.caption, get_text(TXT_ERROR_CAPTION));
        }
        EXPECT_FALSE(exists(path + ".tmp")) << "call " << n;
        if (!reported) {
            // No call failed: the run got through, and wrote the new file whole.
            EXPECT_GT(n, fake.file_ops) << "a failed call went unreported";
            EXPECT_EQ(read_bytes(path), new_file);
            break;
        }
        ++failures;
        ASSERT_EQ(read_bytes(path), OLD_FILE) << "failing call " << n;
    }
    // open, 31 lines, flush, close and replace: each one failed once.
    EXPECT_EQ(failures, 1 + 7 + BEST_SCORE_COUNT + 3);
}

INSTANTIATE_TEST_SUITE_P(OnceOrFromThenOn, SettingsFaults, ::testing::Bool());

TEST(SettingsFaultsOnRead, FileThatCannotBeOpenedIsReported) {
    reset_program_state();
    TempFolder folder;
    std::string path = folder.file("Glimmets.ini");
    write_bytes(path, OLD_FILE);
    fake.fail_at = 1;
    try {
        read_settings(path.c_str());
        FAIL() << "the failure was not reported";
    } catch (const FatalErrorReported& error) {
        EXPECT_EQ(std::string(error.what()), "Erreur \xE0 l'ouverture du fichier : " + path);
        EXPECT_EQ(error.caption, get_text(TXT_ERROR_CAPTION));
    }
    EXPECT_EQ(read_bytes(path), OLD_FILE);
    EXPECT_EQ(used_best_scores(), 0);
}

}  // namespace
