// Fault injection on the settings file: every file operation of a write is
// made to fail in turn (once, or from then on like a disk that fills up)
// until a write gets through. After each failed run the file on disk must be
// the whole old file, never a mixture, and the failure must have been
// reported with the path and caption text 500. No temporary file may be
// left, but for a replacement refused for good: then the new content is kept
// whole beside the settings file, under the name the report gives. A refused
// replacement is tried again: while it is refused the old file stays whole,
// and once it passes the new file is whole.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/path_text.h"
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

const std::string MESSAGE = "Erreur \xC3\xA0 l'ouverture du fichier : ";  // UTF-8

// Writes the settings; true when the failure was reported, with the path in
// the message and the error caption. `kept` gets the file named as keeping
// the new content, if any.
bool write_is_reported(const std::string& path, std::string* kept = nullptr) {
    try {
        write_settings(path.c_str());
    } catch (const FatalErrorReported& error) {
        std::string message = error.what();
        std::string kept_line = "\n" + utf8_from_cp1252(get_text(TXT_SCORES_KEPT_IN));
        std::string::size_type at = message.find(kept_line);
        if (kept != nullptr) *kept = at == std::string::npos ? "" : message.substr(at + kept_line.size());
        EXPECT_EQ(message.substr(0, at), MESSAGE + path);
        EXPECT_EQ(error.caption, utf8_from_cp1252(get_text(TXT_ERROR_CAPTION)));
        return true;
    }
    return false;
}

// The names in the folder.
std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string file_name(const std::string& path) { return std::filesystem::path(path).filename().string(); }

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
        std::memcpy(old_scores, known_scores, sizeof old_scores);
        change_everything();
        new_file = expected_new_file();
        ASSERT_NE(new_file, OLD_FILE);
    }

    // The old file back, as this copy read it: no other copy has written.
    void put_back_old_file() {
        write_bytes(path, OLD_FILE);
        std::memcpy(known_scores, old_scores, sizeof old_scores);
    }

    TempFolder folder;
    std::string path;
    std::string new_file;
    BestScoreEntry old_scores[BEST_SCORE_COUNT];
};

// The file's own scores are read first (an open and a close): a failure
// there is survived when it comes once, as the scores last read stand in.
constexpr int READING_CALLS = 2;

TEST_P(SettingsFaults, WriteIsWholeOrNothingAtEveryFailingCall) {
    int failures = 0, retried = 0;
    for (int n = 1; n < 200; ++n) {
        put_back_old_file();
        fake.file_ops = 0;
        fake.sleeps.clear();
        fake.fail_at = n;
        fake.fail_from_then_on = GetParam();
        std::string kept;
        bool reported = write_is_reported(path, &kept);
        std::set<std::string> expected_names{"Glimmets.ini"};
        if (!kept.empty()) {
            // Refused for good: the whole new content stays under the name given.
            expected_names.insert(file_name(kept));
            EXPECT_EQ(read_bytes(kept), new_file) << "call " << n;
        }
        EXPECT_EQ(names_in(folder.path()), expected_names) << "call " << n;
        if (!kept.empty()) std::remove(kept.c_str());
        if (reported) {
            ++failures;
            ASSERT_EQ(read_bytes(path), OLD_FILE) << "failing call " << n;
            continue;
        }
        EXPECT_EQ(read_bytes(path), new_file) << "failing call " << n;
        if (n > fake.file_ops) break;  // no call failed: every call has had its turn
        if (n <= READING_CALLS) {
            EXPECT_TRUE(fake.sleeps.empty()) << "call " << n;
            continue;
        }
        // Else only a refused replacement is survived: it was tried again after a pause.
        ++retried;
        EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{REPLACE_PAUSE_MS}) << "call " << n;
    }
    // open, 31 lines, flush and close each failed once; the replacement
    // fails for good only when it is refused at every try (from then on),
    // and is survived when refused once. From then on, a failing read
    // makes every later call fail too.
    int before_replace = 1 + 7 + BEST_SCORE_COUNT + 2;
    EXPECT_EQ(failures, GetParam() ? READING_CALLS + before_replace + 1 : before_replace);
    EXPECT_EQ(retried, GetParam() ? 0 : 1);
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
        EXPECT_EQ(std::string(error.what()), MESSAGE + path);
        EXPECT_EQ(error.caption, utf8_from_cp1252(get_text(TXT_ERROR_CAPTION)));
    }
    EXPECT_EQ(read_bytes(path), OLD_FILE);
    EXPECT_EQ(used_best_scores(), 0);
}

// ---- A replacement refused for a while -------------------------------------

// What a pause between two tries sees on the disk.
std::string watched_path, watched_temporary, watched_new;
int pauses_seen = 0;

void check_files_between_tries() {
    ++pauses_seen;
    EXPECT_EQ(read_bytes(watched_path), OLD_FILE) << "pause " << pauses_seen;
    EXPECT_EQ(read_bytes(watched_temporary), watched_new) << "pause " << pauses_seen;
}

TEST_F(SettingsFaults, ReplacementRefusedForAWhileIsTriedAgain) {
    put_back_old_file();
    fake.file_ops = 0;
    write_settings(path.c_str());
    int replace_op = fake.file_ops;  // the replacement is the last counted call
    watched_path = path;
    watched_temporary = temporary_settings_path(path);
    watched_new = new_file;
    for (int refusals = 1; refusals <= REPLACE_TRIES; ++refusals) {
        put_back_old_file();
        fake.file_ops = fake.replace_calls = pauses_seen = 0;
        fake.sleeps.clear();
        fake.fail_at = replace_op;
        fake.fail_count = refusals;
        fake.on_sleep = check_files_between_tries;
        std::string kept;
        bool reported = write_is_reported(path, &kept);
        // Refused at every try: reported, after one pause fewer than tries,
        // and the new content goes under the kept name (one more replacement).
        bool given_up = refusals == REPLACE_TRIES;
        EXPECT_EQ(reported, given_up) << refusals;
        EXPECT_EQ(read_bytes(path), given_up ? OLD_FILE : new_file) << refusals;
        EXPECT_EQ(fake.replace_calls, given_up ? REPLACE_TRIES + 1 : refusals + 1) << refusals;
        EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>(static_cast<std::size_t>(given_up ? refusals - 1 : refusals),
                                                          REPLACE_PAUSE_MS));
        std::set<std::string> expected_names{"Glimmets.ini"};
        if (given_up) {
            EXPECT_EQ(kept, kept_settings_path(path));
            EXPECT_EQ(read_bytes(kept), new_file);
            expected_names.insert("Glimmets.ini.kept");
        }
        EXPECT_EQ(names_in(folder.path()), expected_names) << refusals;
        if (given_up) std::remove(kept.c_str());
    }
    fake.on_sleep = nullptr;
}

TEST(SettingsTemporaryFile, NamedAfterTheProcessBesideTheSettings) {
    reset_program_state();
    fake.process_id = 17;
    std::string first = temporary_settings_path("C:\\Jeux\\Glimmets.ini");
    fake.process_id = 18;
    std::string second = temporary_settings_path("C:\\Jeux\\Glimmets.ini");
    EXPECT_EQ(first, "C:\\Jeux\\Glimmets.ini.17.tmp");
    EXPECT_NE(first, second);
}

}  // namespace
