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

void clear_best_scores();
int ask_player_name(char* name);  // 1 OK, 0 cancelled; `name` holds 64 bytes
int trim_leading_spaces(char* text);
void trim_trailing_spaces(char* text);

// The line the best-scores list shows for entry i: "%06d, %s".
// `buffer` holds at least 64 bytes. Returns false for an empty entry.
bool format_best_score_line(int i, char* buffer, int size);
// The number of used entries: those before the first empty one.
int used_best_scores();

// ---- Any table: the program's, the settings file's, one being merged ----

// The used entries of `table` (those before the first empty one).
int used_entries(const BestScoreEntry* table);
// Puts `entry` into `table` (24 entries) by the insertion rule: the first
// empty entry, else in place of the earliest lowest score when it reaches it.
// Returns the index taken, or -1 when the score does not reach the lowest.
int insert_entry(BestScoreEntry* table, const BestScoreEntry& entry);
// Removes from `table` the first entry equal to `entry` (score and name), the
// entries after it moving up. Returns its index, or -1 when there is none.
int remove_entry(BestScoreEntry* table, const BestScoreEntry& entry);
// Gives the first entry of `table` with that score and the name cancel gives
// (one space) the name `name`. Returns its index, or -1 when there is none.
int name_entry(BestScoreEntry* table, std::int32_t score, const char* name);
// Copies `name` into `entry`, cut at its 24 characters.
void set_entry_name(BestScoreEntry& entry, const char* name);
