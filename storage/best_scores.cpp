// Placeholder until the best scores land.
#include "storage/best_scores.h"
BestScoreEntry best_scores[BEST_SCORE_COUNT];
void insert_best_score(int) {}
void clear_best_scores() {}
int ask_player_name(char*) { return 0; }
int trim_leading_spaces(char*) { return 0; }
void trim_trailing_spaces(char*) {}
bool format_best_score_line(int, char*, int) { return false; }
int used_best_scores() { return 0; }
