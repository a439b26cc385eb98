// Fault injection on the final write of the settings file: every file
// operation of it is made to fail in turn (once, or from then on like a disk
// that fills up) until a write gets through. After each run the file on disk
// must be the whole old file or the whole new one, never a mixture; a failure
// must be reported with the path and caption text 500; and when it is, the
// new content is kept whole beside the file under the name the report gives,
// or the report names none. No other file may be left but the lock file. A
// refused replacement is tried again: while it is refused the old file stays
// whole, and once it passes the new file is whole.
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
#include "storage/settings_sync.h"
#include "storage/texts.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/storage_test_support.h"

namespace {

const std::string OLD_FILE =
    "maxi_x=20\r\nmaxi_y=25\r\nform=0\r\nsize=21\r\nlang=1000\r\ncolors=4\r\nsound=1\r\n"
    "540,Zizu\r\n300, \r\n";

const std::string MESSAGE = "Erreur \xC3\xA0 l'ouverture du fichier : ";  // UTF-8

// Writes the settings at exit; true when the failure was reported, with the
// path in the message and the error caption. `kept` gets the file named as
// keeping the new content, if any.
bool exit_is_reported(std::string* kept) {
    try {
        save_settings_at_exit();
    } catch (const FatalErrorReported& error) {
        std::string message = error.what();
        std::string kept_line = "\n" + utf8_from_cp1252(get_text(TXT_SCORES_KEPT_IN));
        std::string::size_type at = message.find(kept_line);
        *kept = at == std::string::npos ? "" : message.substr(at + kept_line.size());
        EXPECT_EQ(message.substr(0, at), MESSAGE + settings_path);
        EXPECT_EQ(error.caption, utf8_from_cp1252(get_text(TXT_ERROR_CAPTION)));
        return true;
    }
    return false;
}

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string file_name(const std::string& path) { return std::filesystem::path(path).filename().string(); }

class SettingsFaults : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        reset_program_state();
        settings_path = folder.file("Glimmets.ini");
    }

    // Starts on the old file, then changes every line: a longer file, and a
    // named score that waits to be written.
    void start_and_change_everything() {
        reset_settings_sync();
        fake.fail_at = 0;
        fake.replace_refusals = 0;
        write_bytes(settings_path, OLD_FILE);
        load_settings();
        settings = GameSettings{31, 30, 1, 24, LANGUAGE_FRENCH, 6, 0};
        sync_state.pending.push_back({ScoreChange::ENTERED, {777, " "}});
        insert_entry(best_scores, {777, " "});
        new_file = format_settings(program_content());
        ASSERT_NE(new_file, OLD_FILE);
    }

    TempFolder folder;
    std::string new_file;
};

TEST_P(SettingsFaults, ExitWriteIsWholeOrNothingAtEveryFailingCall) {
    int reported = 0, retried = 0, calls = 0;
    for (int n = 1;; ++n) {
        start_and_change_everything();
        fake.file_ops = 0;
        fake.sleeps.clear();
        fake.fail_at = n;
        fake.fail_from_then_on = GetParam();
        std::string kept;
        const bool failed = exit_is_reported(&kept);
        std::set<std::string> expected_names{"Glimmets.ini", "Glimmets.ini.lock"};
        if (!kept.empty()) {
            // The whole new content and the change it holds, under the name given.
            expected_names.insert(file_name(kept));
            EXPECT_EQ(read_bytes(kept), new_file + "changes\r\n+777, \r\n") << "call " << n;
        }
        EXPECT_EQ(names_in(folder.path()), expected_names) << "call " << n;
        if (!kept.empty()) std::remove(kept.c_str());
        EXPECT_EQ(read_bytes(settings_path), failed ? OLD_FILE : new_file) << "call " << n;
        if (failed) ++reported;
        if (!failed && !fake.sleeps.empty()) ++retried;
        if (n > fake.file_ops) {  // no call failed: every call has had its turn
            calls = n - 1;
            break;
        }
    }
    EXPECT_GT(calls, 5);
    if (GetParam()) {
        EXPECT_EQ(reported, calls);  // from then on, nothing gets through
    } else {
        // Once: a refused open, read or replacement is tried again, and a
        // temporary file that cannot be made gives way to a rewrite in place;
        // a temporary file that cannot be written, flushed or closed whole
        // ends in the report, its content kept.
        EXPECT_EQ(reported, 3);
        EXPECT_GE(retried, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(OnceOrFromThenOn, SettingsFaults, ::testing::Bool());

TEST(SettingsFaultsOnRead, FileThatCannotBeOpenedIsReportedAfterItsTries) {
    reset_program_state();
    TempFolder folder;
    std::string path = folder.file("Glimmets.ini");
    write_bytes(path, OLD_FILE);
    fake.fail_at = 1;
    fake.fail_from_then_on = true;
    try {
        read_settings(path.c_str());
        FAIL() << "the failure was not reported";
    } catch (const FatalErrorReported& error) {
        EXPECT_EQ(std::string(error.what()), MESSAGE + path);
        EXPECT_EQ(error.caption, utf8_from_cp1252(get_text(TXT_ERROR_CAPTION)));
    }
    EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>(REPLACE_TRIES - 1, REPLACE_PAUSE_MS));
    EXPECT_EQ(read_bytes(path), OLD_FILE);
    EXPECT_EQ(used_best_scores(), 0);
}

// ---- A replacement refused for a while -------------------------------------

TEST_F(SettingsFaults, ReplacementRefusedForAWhileIsTriedAgain) {
    for (int refusals = 1; refusals <= REPLACE_TRIES; ++refusals) {
        start_and_change_everything();
        fake.replace_calls = 0;
        fake.sleeps.clear();
        fake.replace_refusals = refusals;
        int pauses_seen = 0;
        fake.on_sleep = [&] {
            ++pauses_seen;
            EXPECT_EQ(read_bytes(settings_path), OLD_FILE) << "pause " << pauses_seen;
            EXPECT_EQ(read_bytes(temporary_settings_path(settings_path)), new_file) << "pause " << pauses_seen;
        };
        std::string kept;
        const bool reported = exit_is_reported(&kept);
        fake.on_sleep = nullptr;
        // Refused at every try: reported after one pause fewer than tries,
        // and the new content goes under a kept name of this process's own.
        const bool given_up = refusals == REPLACE_TRIES;
        EXPECT_EQ(reported, given_up) << refusals;
        EXPECT_EQ(read_bytes(settings_path), given_up ? OLD_FILE : new_file) << refusals;
        EXPECT_EQ(fake.replace_calls, given_up ? REPLACE_TRIES : refusals + 1) << refusals;
        EXPECT_EQ(pauses_seen, given_up ? refusals - 1 : refusals) << refusals;
        if (given_up) {
            EXPECT_EQ(file_name(kept), "Glimmets.ini.1." + std::to_string(fake.process_id) + ".kept");
            EXPECT_EQ(read_bytes(kept).substr(0, new_file.size()), new_file);
        }
        std::set<std::string> names = names_in(folder.path());
        if (given_up) names.erase(file_name(kept));
        EXPECT_EQ(names, (std::set<std::string>{"Glimmets.ini", "Glimmets.ini.lock"})) << refusals;
        if (given_up) std::remove(kept.c_str());
    }
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
