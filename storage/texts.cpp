// Looking up texts in the current language, and switching the language.
// Callers name every text by its French id; the language offset picks the
// French (0) or English (1000) text. Every text lands in one shared buffer,
// so a caller uses a text before it loads the next one: no text is ever
// allocated.
#include "storage/texts.h"

#include <cstring>
#include <limits>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/settings_sync.h"
#include "storage/string_table.h"

namespace {

char text_buffer[TEXT_BUFFER_SIZE];

// The menu items, found by their command id, and the texts they show.
struct MenuItemText {
    int command;
    int text_id;
};

constexpr MenuItemText MENU_ITEMS[] = {
    {CMD_NEW_GAME, TXT_ITEM_NEW_GAME},   {CMD_UNDO, TXT_ITEM_UNDO},
    {CMD_RESTART, TXT_ITEM_RESTART},     {CMD_BOARD_NUMBER, TXT_ITEM_BOARD_NUMBER},
    {CMD_HINT, TXT_ITEM_HINT},
    {CMD_QUIT, TXT_ITEM_QUIT},           {CMD_SETTINGS, TXT_ITEM_SETTINGS},
    {CMD_BEST_SCORES, TXT_ITEM_SCORES},  {CMD_TOGGLE_LANGUAGE, TXT_ITEM_LANGUAGE},
    {CMD_SHOW_GROUPS, TXT_ITEM_SHOW_GROUPS}, {CMD_SYMBOLS, TXT_ITEM_SYMBOLS},
    {CMD_ABOUT, TXT_ABOUT_TITLE},        {CMD_HELP, TXT_ITEM_HELP},
};

constexpr int MENU_TITLE_COUNT = 3;

static_assert(TXT_MENU_OPTIONS == TXT_MENU_GAME + 1 && TXT_MENU_HELP == TXT_MENU_GAME + 2,
              "menu titles are addressed as 400 + position");

}  // namespace

const char* find_text(int absolute_id) {
    bool english = absolute_id >= TEXT_ENGLISH_OFFSET;
    int id = english ? absolute_id - TEXT_ENGLISH_OFFSET : absolute_id;
    for (int i = 0; i < STRING_TABLE_SIZE; ++i) {
        if (STRING_TABLE[i].id == id) return english ? STRING_TABLE[i].english : STRING_TABLE[i].french;
    }
    return nullptr;
}

const char* get_text(int id) {
    // Summed in 64 bits: a damaged offset must give "" rather than overflow.
    long long absolute = static_cast<long long>(id) + settings.language_offset;
    const char* text = nullptr;
    if (absolute >= std::numeric_limits<int>::min() && absolute <= std::numeric_limits<int>::max())
        text = find_text(static_cast<int>(absolute));
    if (text == nullptr) text = "";
    std::size_t length = std::strlen(text);
    if (length > TEXT_BUFFER_SIZE - 1) length = TEXT_BUFFER_SIZE - 1;  // cut at 511
    std::memcpy(text_buffer, text, length);
    text_buffer[length] = '\0';
    return text_buffer;
}

void apply_menu_texts() {
    platform_set_window_title(get_text(TXT_MAIN_TITLE));
    for (int position = 0; position < MENU_TITLE_COUNT; ++position)
        platform_set_menu_title(position, get_text(TXT_MENU_GAME + position));
    for (const MenuItemText& item : MENU_ITEMS)
        platform_set_menu_item(item.command, get_text(item.text_id));
    // After the texts: an item whose text is set anew loses its check mark.
    platform_check_menu_item(CMD_SHOW_GROUPS, view_options.show_groups);
    platform_check_menu_item(CMD_SYMBOLS, view_options.symbols);
    platform_redraw_menu();
}

void toggle_language() {
    settings.language_offset =
        settings.language_offset == LANGUAGE_ENGLISH ? LANGUAGE_FRENCH : LANGUAGE_ENGLISH;
    apply_menu_texts();
    save_settings();
}
