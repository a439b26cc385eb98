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

void insert_best_score(int score);
void clear_best_scores();
int ask_player_name(char* name);  // 1 OK, 0 cancelled; `name` holds 64 bytes
int trim_leading_spaces(char* text);
void trim_trailing_spaces(char* text);

// The line the best-scores list shows for entry i: "%06d, %s".
// `buffer` holds at least 64 bytes. Returns false for an empty entry.
bool format_best_score_line(int i, char* buffer, int size);
// The number of used entries: those before the first empty one.
int used_best_scores();
