// The rows of the bilingual string table, for texts.cpp and the tests that
// walk every text. Each row holds one text in both languages, so no text can
// exist in one language and be missing from the other.
#pragma once

struct TextRow {
    int id;               // the French id N; the English text answers to N + 1000
    const char* french;   // cp1252 bytes
    const char* english;  // cp1252 bytes
};

extern const TextRow STRING_TABLE[];
extern const int STRING_TABLE_SIZE;
