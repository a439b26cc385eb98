// The table of the 24 best scores and the players' names.
#pragma once

#include <cstdint>

constexpr int BEST_SCORE_COUNT = 24;
constexpr int NAME_CAPACITY = 25;        // 24 characters and the terminator
constexpr int NAME_BUFFER_SIZE = 64;     // what ask_player_name fills
constexpr int NAME_TYPED_MAX = 23;       // characters read from the name field

struct BestScoreEntry {
    std::int32_t score;  // 0: empty entry
    char name[NAME_CAPACITY];
};

extern BestScoreEntry best_scores[BEST_SCORE_COUNT];

// Enters `score` by the insertion rule and asks the player's name; true when
// the score was entered. Until the player answers, the entry's name is one
// space (what cancel gives), so a write made meanwhile names nobody else.
bool insert_best_score(int score);
// True while the name of a new entry is being asked.
bool asking_player_name();
void clear_best_scores();
int ask_player_name(char* name);  // 1 OK, 0 cancelled; `name` holds 64 bytes
int trim_leading_spaces(char* text);
void trim_trailing_spaces(char* text);

// The line the best-scores list shows for entry i: "%06d, %s".
// `buffer` holds at least 64 bytes. Returns false for an empty entry.
bool format_best_score_line(int i, char* buffer, int size);
// The number of used entries: those before the first empty one.
int used_best_scores();

// ---- Tables other than the program's own (the settings file's, a merge) ----

// The used entries of `table` (those before the first empty one).
int used_entries(const BestScoreEntry* table);
// Puts `entry` into `table` (24 entries) by the insertion rule: the first
// empty entry, else in place of the earliest lowest score when it reaches it.
// Returns the index taken, or -1 when the score does not reach the lowest.
int insert_entry(BestScoreEntry* table, const BestScoreEntry& entry);
// The scores a write leaves in the file when the file now holds `in_file`,
// held `known` when this copy last read or wrote it, and this copy's table is
// `mine`: what the file holds, less what this copy removed from what it knew
// (a reset, a displaced score), plus what this copy entered, each placed by
// the insertion rule. Entries are told apart by score and name; the same
// score and name entered by two copies stays twice. `merged` may be `in_file`.
// Adds to `table`, by the insertion rule, the entries of `from` it lacks.
void add_missing_entries(BestScoreEntry* table, const BestScoreEntry* from);
void merge_best_scores(const BestScoreEntry* in_file, const BestScoreEntry* known, const BestScoreEntry* mine,
                       BestScoreEntry* merged);
