// Keeping the settings file in step with the game: the writes made during
// play, the final one, the reset of the scores, and the scores kept by a
// final write that could not replace the file.
#include "storage/settings_sync.h"

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/texts.h"

namespace {

bool warned = false;        // the player has been told of the failing writes
bool finished = false;      // the final write is done: nothing follows it
bool kept_taken_in = false; // a kept file's scores wait to reach the settings file

void warn_once() {
    if (warned) return;
    warned = true;
    std::string message = utf8_from_cp1252(get_text(TXT_NOT_SAVED));
    message += settings_path;
    message += utf8_from_cp1252(get_text(TXT_NOT_SAVED_GOES_ON));
    std::string caption = utf8_from_cp1252(get_text(TXT_ERROR_CAPTION));
    platform_show_warning(message.c_str(), caption.c_str());
}

// The kept file has done its work once its scores are in the settings file.
void forget_kept_file() {
    if (!kept_taken_in) return;
    kept_taken_in = false;
    platform_file_remove(kept_settings_path(settings_path).c_str());
}

// The scores of the kept file that the settings file lacks enter the table.
bool take_in_kept_scores() {
    BestScoreEntry kept[BEST_SCORE_COUNT];
    if (!read_file_scores(kept_settings_path(settings_path).c_str(), kept)) return false;
    add_missing_entries(best_scores, kept);  // what the kept file lacks stays
    kept_taken_in = true;
    return true;
}

}  // namespace

void load_settings() {
    read_settings(settings_path.c_str());
    if (take_in_kept_scores()) save_settings();
}

bool save_settings() {
    if (settings_path.empty() || finished || asking_player_name()) return false;
    BestScoreEntry table[BEST_SCORE_COUNT];
    scores_to_write(settings_path.c_str(), table);
    if (write_settings_file(settings_path.c_str(), table) != WriteOutcome::WRITTEN) {
        // The old file stands whole; the next change or the exit tries again.
        platform_file_remove(temporary_settings_path(settings_path).c_str());
        warn_once();
        return false;
    }
    warned = false;
    std::memcpy(best_scores, table, sizeof table);  // another copy's new scores show too
    forget_kept_file();
    return true;
}

void save_settings_at_exit() {
    if (finished) return;
    finished = true;
    write_settings(settings_path.c_str());
    forget_kept_file();
}

void reset_best_scores() {
    // What the file holds now is what the player sees cleared.
    BestScoreEntry in_file[BEST_SCORE_COUNT];
    if (read_file_scores(settings_path.c_str(), in_file)) std::memcpy(known_scores, in_file, sizeof in_file);
    clear_best_scores();
    save_settings();
}

void reset_settings_sync() { warned = finished = kept_taken_in = false; }
