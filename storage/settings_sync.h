// The settings file follows the game: it is written as soon as something it
// keeps has changed (a best score named, the scores reset, the settings
// chosen, the language switched), so that a game ended by force, a crash or
// a power cut loses nothing. A write that fails while the game runs is not
// the end: the player is told once, and the next change and the exit write
// again. Only the final write at exit ends the program when it fails.
#pragma once

// Start-up: reads the settings file, then takes in the scores that a final
// write refused for good kept beside it, and writes them into the file.
void load_settings();
// After a change during play. Does nothing before the settings path is known,
// or while the player is naming a new best score (the name is the change
// that follows). False when the file could not be written.
bool save_settings();
// The final write, at exit or at the end of the session: once only.
void save_settings_at_exit();
// The Reset scores button: empties the table, and so the file, of the scores
// the file holds now; those another copy adds later stay.
void reset_best_scores();
// Back to the state of a fresh start (for tests that run many starts).
void reset_settings_sync();
