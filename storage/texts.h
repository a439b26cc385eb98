// The bilingual string table and the language switch. Texts are named by
// their French id; get_text adds the current language offset.
#pragma once

constexpr int TEXT_BUFFER_SIZE = 512;

// The text id + the language offset, as 8-bit Western European characters
// (cp1252), in one shared buffer that the next call overwrites. An id with no
// text gives "".
const char* get_text(int id);

// The text stored under an absolute id (French N, English N + 1000), or null.
const char* find_text(int absolute_id);

void apply_menu_texts();
void toggle_language();
