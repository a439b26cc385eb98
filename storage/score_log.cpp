// Playing a copy's changes to the best scores again on the file's table, and
// the lines that keep them in a kept file.
#include "storage/format_text.h"
#include "storage/score_log.h"

#include <cstring>

#include "storage/settings_file.h"

int apply_score_change(BestScoreEntry* table, const ScoreChange& change) {
    switch (change.kind) {
        case ScoreChange::ENTERED: return insert_entry(table, change.entry);
        case ScoreChange::NAMED: return name_entry(table, change.entry.score, change.entry.name);
        case ScoreChange::REMOVED: return remove_entry(table, change.entry);
    }
    return -1;
}

void apply_score_log(BestScoreEntry* table, const ScoreLog& log, std::size_t uncertain) {
    for (std::size_t i = 0; i < log.size(); ++i) {
        const ScoreChange& change = log[i];
        if (i < uncertain && change.kind == ScoreChange::ENTERED) {
            BestScoreEntry rest[BEST_SCORE_COUNT];
            std::memcpy(rest, table, sizeof rest);
            if (remove_entry(rest, change.entry) >= 0) continue;
        }
        apply_score_change(table, change);
    }
}

std::string format_score_log(const ScoreLog& log) {
    std::string out;
    for (const ScoreChange& change : log) {
        char line[64];
        format_text(line, sizeof line, "%c%d,%s\r\n", static_cast<char>(change.kind), change.entry.score,
                      change.entry.name);
        out += line;
    }
    return out;
}

void parse_score_change(const char* line, ScoreLog& log) {
    const char kind = line[0];
    if (kind != ScoreChange::ENTERED && kind != ScoreChange::NAMED && kind != ScoreChange::REMOVED) return;
    ScoreChange change{static_cast<ScoreChange::Kind>(kind), {}};
    // An entry never scores 0: that is the mark of an empty one.
    if (parse_score_line(line + 1, change.entry) && change.entry.score != 0) log.push_back(change);
}
