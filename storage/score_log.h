// The changes a copy of the game made to the best scores that the settings
// file does not hold yet: a score entered, the name given to it, an entry
// removed (Reset scores). They are played again, in order, on whatever the
// file holds when this copy next writes it, so that another copy's scores
// stay and nothing this copy removed comes back.
#pragma once

#include <string>
#include <vector>

#include "storage/best_scores.h"

struct ScoreChange {
    enum Kind : char {
        ENTERED = '+',  // by the insertion rule, with the name cancel gives
        NAMED = '=',    // the entry of that score still named one space takes the name
        REMOVED = '-',  // the first equal entry goes
    };
    Kind kind;
    BestScoreEntry entry;
};
using ScoreLog = std::vector<ScoreChange>;

// Applies one change to `table`: the index it entered, named or removed, or
// -1 when it found nothing to do (a score below 24 better ones, an entry that
// is gone).
int apply_score_change(BestScoreEntry* table, const ScoreChange& change);
// Applies the changes in order. The first `uncertain` ones may be in the
// table already (a write that may have reached the file): a score they enter
// is entered only when the table lacks an equal entry.
void apply_score_log(BestScoreEntry* table, const ScoreLog& log, std::size_t uncertain = 0);

// One change per line, "+540,Ann" (CR LF), and back: a line that is not a
// change adds nothing.
std::string format_score_log(const ScoreLog& log);
void parse_score_change(const char* line, ScoreLog& log);
