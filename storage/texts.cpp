// Placeholder until the string table lands.
#include "storage/texts.h"
const char* get_text(int) { return ""; }
const char* find_text(int) { return nullptr; }
void apply_menu_texts() {}
void toggle_language() {}
