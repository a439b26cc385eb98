// The table of the 24 best scores, kept in the order the entries were filled
// (the list box sorts them for display). The first empty entry ends the used
// part of the table: listing, saving and the search for a free entry all stop
// there. A finished game takes a free entry whatever its score; once the
// table is full it displaces the earliest of the lowest scores.
#include "storage/best_scores.h"

#include <cstring>

#include "platform/platform.h"
#include "storage/format_text.h"

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

bool same_entry(const BestScoreEntry& a, const BestScoreEntry& b) {
    return a.score == b.score && std::strcmp(a.name, b.name) == 0;
}

}  // namespace

int used_entries(const BestScoreEntry* table) {
    int used = 0;
    while (used < BEST_SCORE_COUNT && table[used].score != 0) ++used;
    return used;
}

int insert_entry(BestScoreEntry* table, const BestScoreEntry& entry) {
    InsertionPoint point = find_insertion_point(table);
    if (point.lowest > entry.score) return -1;
    table[point.index].score = entry.score;
    set_entry_name(table[point.index], entry.name);
    return point.index;
}

int remove_entry(BestScoreEntry* table, const BestScoreEntry& entry) {
    const int used = used_entries(table);
    for (int i = 0; i < used; ++i) {
        if (!same_entry(table[i], entry)) continue;
        std::memmove(&table[i], &table[i + 1], sizeof(BestScoreEntry) * static_cast<std::size_t>(used - 1 - i));
        table[used - 1] = BestScoreEntry{};
        return i;
    }
    return -1;
}

int name_entry(BestScoreEntry* table, std::int32_t score, const char* name) {
    const BestScoreEntry unnamed{score, " "};
    for (int i = 0; i < used_entries(table); ++i) {
        if (!same_entry(table[i], unnamed)) continue;
        set_entry_name(table[i], name);
        return i;
    }
    return -1;
}

void set_entry_name(BestScoreEntry& entry, const char* name) {
    std::size_t length = std::strlen(name);
    if (length > NAME_CAPACITY - 1) length = NAME_CAPACITY - 1;
    std::memcpy(entry.name, name, length);
    entry.name[length] = '\0';
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
    format_text(buffer, static_cast<std::size_t>(size), "%06d, %s", best_scores[i].score,
                  best_scores[i].name);
    return true;
}

int used_best_scores() { return used_entries(best_scores); }
