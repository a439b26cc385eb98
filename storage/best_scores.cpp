// The table of the 24 best scores, kept in the order the entries were filled
// (the list box sorts them for display). The first empty entry ends the used
// part of the table: listing, saving and the search for a free entry all stop
// there. A finished game takes a free entry whatever its score; once the
// table is full it displaces the earliest of the lowest scores.
#include "storage/best_scores.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/platform.h"

BestScoreEntry best_scores[BEST_SCORE_COUNT];

namespace {

// The entry a new score would take, and the lowest score it must reach
// (0 when the table still has a free entry).
struct InsertionPoint {
    int index;
    std::int32_t lowest;
};

InsertionPoint find_insertion_point(const BestScoreEntry* table) {
    std::int32_t lowest = 0;
    int lowest_index = 0;
    for (int i = 0; i < BEST_SCORE_COUNT; ++i) {
        std::int32_t score = table[i].score;
        if (score == 0) return {i, 0};
        if (lowest == 0) lowest = score;
        if (score < lowest) {
            lowest = score;
            lowest_index = i;
        }
    }
    return {lowest_index, lowest};
}

void copy_name(BestScoreEntry& entry, const char* name) {
    std::size_t length = std::strlen(name);
    if (length > NAME_CAPACITY - 1) length = NAME_CAPACITY - 1;
    std::memcpy(entry.name, name, length);
    entry.name[length] = '\0';
}

bool same_entry(const BestScoreEntry& a, const BestScoreEntry& b) {
    return a.score == b.score && std::strcmp(a.name, b.name) == 0;
}

// Marks as taken the first entry of `table` equal to `entry` and not taken
// yet; false when there is none. Counting this way treats each table as a bag
// of entries: two equal entries need two equal matches.
bool take_match(const BestScoreEntry* table, bool* taken, const BestScoreEntry& entry) {
    for (int i = 0; i < used_entries(table); ++i) {
        if (!taken[i] && same_entry(table[i], entry)) {
            taken[i] = true;
            return true;
        }
    }
    return false;
}

// The used entries of `from` that have no match in `than`, in order.
std::vector<BestScoreEntry> entries_beyond(const BestScoreEntry* from, const BestScoreEntry* than) {
    bool taken[BEST_SCORE_COUNT] = {};
    std::vector<BestScoreEntry> beyond;
    for (int i = 0; i < used_entries(from); ++i)
        if (!take_match(than, taken, from[i])) beyond.push_back(from[i]);
    return beyond;
}

bool naming = false;

}  // namespace

bool insert_best_score(int score) {
    BestScoreEntry entry{score, " "};  // the name cancel gives, until the player answers
    int index = insert_entry(best_scores, entry);
    if (index < 0) return false;
    char name[NAME_BUFFER_SIZE];
    naming = true;
    ask_player_name(name);
    naming = false;
    copy_name(best_scores[index], name);
    return true;
}

bool asking_player_name() { return naming; }

int used_entries(const BestScoreEntry* table) {
    int used = 0;
    while (used < BEST_SCORE_COUNT && table[used].score != 0) ++used;
    return used;
}

int insert_entry(BestScoreEntry* table, const BestScoreEntry& entry) {
    InsertionPoint point = find_insertion_point(table);
    if (point.lowest > entry.score) return -1;
    table[point.index].score = entry.score;
    copy_name(table[point.index], entry.name);
    return point.index;
}

void add_missing_entries(BestScoreEntry* table, const BestScoreEntry* from) {
    for (const BestScoreEntry& entry : entries_beyond(from, table)) insert_entry(table, entry);
}

void merge_best_scores(const BestScoreEntry* in_file, const BestScoreEntry* known, const BestScoreEntry* mine,
                       BestScoreEntry* merged) {
    std::vector<BestScoreEntry> removed = entries_beyond(known, mine);
    std::vector<BestScoreEntry> entered = entries_beyond(mine, known);
    BestScoreEntry kept[BEST_SCORE_COUNT] = {};
    bool gone[BEST_SCORE_COUNT] = {};
    for (const BestScoreEntry& entry : removed) take_match(in_file, gone, entry);
    int count = 0;
    for (int i = 0; i < used_entries(in_file); ++i)
        if (!gone[i]) kept[count++] = in_file[i];
    for (const BestScoreEntry& entry : entered) insert_entry(kept, entry);
    std::memcpy(merged, kept, sizeof kept);
}

int ask_player_name(char* name) {
    std::strcpy(name, " ");
    if (platform_ask_player_name(name) != 1) {
        // Cancelled, or the box could not be shown: the name stays one space.
        std::strcpy(name, " ");
        return 0;
    }
    name[NAME_BUFFER_SIZE - 1] = '\0';
    name[NAME_TYPED_MAX] = '\0';
    trim_leading_spaces(name);
    trim_trailing_spaces(name);
    return 1;
}

void clear_best_scores() {
    for (BestScoreEntry& entry : best_scores) {
        entry.score = 0;
        entry.name[0] = '\0';
    }
}

int trim_leading_spaces(char* text) {
    std::size_t spaces = std::strspn(text, " ");
    if (spaces == 0) return 0;
    std::memmove(text, text + spaces, std::strlen(text + spaces) + 1);
    return 1;
}

void trim_trailing_spaces(char* text) {
    std::size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ') --length;
    text[length] = '\0';
}

bool format_best_score_line(int i, char* buffer, int size) {
    if (i < 0 || i >= BEST_SCORE_COUNT || best_scores[i].score == 0 || size <= 0) return false;
    std::snprintf(buffer, static_cast<std::size_t>(size), "%06d, %s", best_scores[i].score,
                  best_scores[i].name);
    return true;
}

int used_best_scores() { return used_entries(best_scores); }
