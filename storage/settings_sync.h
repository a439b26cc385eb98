// The settings file follows the game: it is written as soon as something it
// keeps has changed, so that a game ended by force, a crash or a power cut
// loses nothing, and several copies of the game may share it.
//
// Every write is one step under an exclusive lock (a lock file beside the
// settings file, released by the system if the copy dies): read the file,
// play this copy's own changes to the scores again on what it holds now,
// write it whole. So another copy's new scores stay, and whether a new score
// enters is decided against the file of that moment. A write that fails
// during play is told once and tried again at the next change; the changes
// wait in memory meanwhile. When the final write fails for good, this copy's
// content and its changes are kept beside the file under a name of its own
// (Glimmets.ini.<n>.<process>.kept); the next write of any copy takes them
// in, exactly once, and a starting copy takes its settings from them.
#pragma once

#include <string>

#include "storage/score_log.h"

// What keeping the file in step needs to remember between two writes.
struct SyncState {
    ScoreLog pending;       // changes to the scores that the file does not hold yet
    // The last write that was not seen to succeed: the hash of its content and
    // how many of the waiting changes it held. If the file is found holding
    // that content, it did succeed and those changes are in.
    std::string unconfirmed_hash;
    long unconfirmed_changes = 0;
    bool warned = false;    // the player has been told of the failing writes
    bool finished = false;  // the final write is done: nothing follows it
};
extern SyncState sync_state;

// Start-up: reads the settings file and any kept files, and writes their
// content into the file; the error box that ends the program when the file
// exists but cannot be opened.
void load_settings();
// After a change during play. False when the file could not be written (the
// player is told once) or the final write is done.
bool save_settings();
// The final write, at exit or at the end of the session: once only. When it
// fails the error box ends the program, naming the kept file.
void save_settings_at_exit();

// The end of a game: enters `score` by the insertion rule, with the name that
// cancel gives (one space), decided against the scores the file holds now,
// and writes it at once. True when it entered: the player's name is asked.
bool insert_best_score(int score);
// The name the player gave that score (the name box's answer, cut and
// trimmed): its entry, found again in the file, takes it and it is written.
// Nothing is done for one space, the name the entry already has.
void name_best_score(int score, const char* name);
// The Reset scores button: empties the table of the scores the file holds
// now; those another copy adds later stay.
void reset_best_scores();

// Back to the state of a fresh start (for tests that run many starts).
void reset_settings_sync();
