// The end of a game: the end-of-game text, the clock stopped, the score in
// the best-scores table and the settings file, then the congratulations box
// and the player's name.

#include "control/game.h"
#include "control/game_status.h"
#include "engine/board.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/format_text.h"
#include "storage/game_settings.h"
#include "storage/settings_sync.h"
#include "storage/texts.h"

namespace {

constexpr int SECONDS_PER_MINUTE = 60;
constexpr int SCORE_FACTOR = 100;

// get_text hands out one shared buffer, so each text is copied before the
// next one is loaded.
void copy_text(int id, char (&out)[TEXT_BUFFER_SIZE]) { format_text(out, sizeof out, "%s", get_text(id)); }

}  // namespace

// A cleared board counts as one stone left: the score divides by it. The
// colours are those the board was dealt with, whatever the settings ask for
// the next deal.
int compute_score() {
    if (game.remaining == 0) game.remaining = 1;
    return game.total * current_deal.colours * SCORE_FACTOR / game.remaining;
}

void end_game() {
    char text[TEXT_BUFFER_SIZE];
    copy_text(TXT_GAME_OVER, text);
    platform_set_status(STATUS_PLAYABLE, text);
    platform_stop_clock(game.clock_timer);
    game.state = GAME_OVER;

    char caption[TEXT_BUFFER_SIZE];
    char format[TEXT_BUFFER_SIZE];
    copy_text(TXT_CONGRATS_TITLE, caption);
    copy_text(TXT_CONGRATS_TEXT, format);
    const int minutes = game.seconds / SECONDS_PER_MINUTE;
    const int secs = game.seconds % SECONDS_PER_MINUTE;
    game.last_score = compute_score();
    // The format is the program's own text 509, with six integer placeholders.
    format_text(text, sizeof text, format, settings.columns, settings.rows, minutes, secs, game.remaining,
                  game.last_score);
    // In the file before any box shows, named as cancel names it: a game
    // ended by force at either box keeps its score.
    const bool entered = insert_best_score(game.last_score);
    platform_show_congratulations(caption, text);
    if (!entered) return;
    char name[NAME_BUFFER_SIZE];
    ask_player_name(name);
    name_best_score(game.last_score, name);
}
