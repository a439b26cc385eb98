// Every text the game shows, and the keys of its settings file, in French and
// in English, as 8-bit Western European (cp1252) bytes: that is what the
// menus, dialogs and the settings file take, whatever the system's own code
// page. Accented letters are written as escapes so this file stays plain
// ASCII; each escape ends its string piece ("termin\xE9" "e") because a hex
// escape would otherwise swallow the letters after it.
#include "storage/string_table.h"

#include "resources/resource_ids.h"
#include "resources/version.h"

const TextRow STRING_TABLE[] = {
    {TXT_MENU_GAME, "&Partie", "&Game"},
    {TXT_MENU_OPTIONS, "&Options", "&Options"},
    {TXT_MENU_HELP, "&Aide", "&Help"},
    {TXT_ITEM_NEW_GAME, "Nouvelle partie\tF2", "New Game\tF2"},
    {TXT_ITEM_UNDO, "Annuler dernier coup\tCtrl+Z", "Undo last move\tCtrl+Z"},
    {TXT_ITEM_QUIT, "Quitter", "Quit"},
    {TXT_ITEM_RESTART, "Recommencer cette partie\tF5", "Restart this board\tF5"},
    {TXT_ITEM_BOARD_NUMBER, "Partie num\xE9" "ro...", "Board number..."},
    {TXT_ITEM_HINT, "Indice\tH", "Hint\tH"},
    {TXT_BOARD_NUMBER_TITLE, "Partie num\xE9" "ro", "Board number"},
    {TXT_BOARD_NUMBER_LABEL, "Num\xE9" "ro de la partie, de 0 \xE0 4294967295 :",
     "Number of the board, from 0 to 4294967295:"},
    {TXT_BOARD_NUMBER_REFUSED,
     "Un num\xE9" "ro de partie ne s'\xE9" "crit qu'avec des chiffres,\nde 0 \xE0 4294967295.\n"
     "La partie en cours continue.",
     "A board number is written with digits only,\nfrom 0 to 4294967295.\nThe game in play goes on."},
    {TXT_ITEM_SETTINGS, "Param\xE8" "tres du jeu", "Game settings"},
    {TXT_ITEM_SCORES, "Afficher scores", "Display scores"},
    {TXT_ITEM_LANGUAGE, "English", "Fran\xE7" "ais"},
    {TXT_ITEM_SHOW_GROUPS, "Montrer les groupes", "Show groups"},
    {TXT_ITEM_SYMBOLS, "Symboles sur les pi\xE8" "ces", "Symbols on stones"},
    {TXT_ABOUT_TITLE, "A propos de Glimmets", "About Glimmets"},
    {TXT_ITEM_HELP, "Aide", "Help"},
    {TXT_HELP_TITLE, "Aide de Glimmets", "Glimmets Help"},
    {TXT_HELP_CONTENTS, "Sommaire", "Contents"},
    {TXT_HELP_BACK, "Pr\xE9" "c\xE9" "dent", "Back"},
    {TXT_ABOUT_PRODUCT, "Glimmets\nVersion " GLIMMETS_VERSION_TEXT, "Glimmets\nVersion " GLIMMETS_VERSION_TEXT},
    {TXT_ABOUT_CONTACT,
     "Un jeu de r\xE9" "flexion libre.\nRemarques et suggestions :\nvoir l'aide du jeu.",
     "A free puzzle game.\nComments and suggestions:\nsee the game's help."},
    {TXT_CONGRATS_TITLE, "Bravo !!", "Congratulations!!"},
    {TXT_NAME_TITLE, "Veuillez indiquer votre nom", "Please enter your name:"},
    {TXT_MAIN_TITLE, "Glimmets", "Glimmets"},
    {TXT_SETTINGS_TITLE, "Param\xE9" "trage de la grille de jeu", "Game Grid Settings"},
    {TXT_GRID_GROUP, "Taille de la grille", "Size of grid"},
    {TXT_COLUMNS_LABEL, "Nb de colonnes", "# Columns"},
    {TXT_ROWS_LABEL, "Nb de lignes", "# Rows"},
    {TXT_FORM_GROUP, "Forme des pi\xE8" "ces", "Form of stones"},
    {TXT_FORM_ROUND, "Ronde", "Round"},
    {TXT_FORM_SQUARE, "Carr\xE9" "e", "Square"},
    {TXT_SIZE_GROUP, "Taille (en pixels)", "Size (in pixels)"},
    {TXT_COLOURS_LABEL, "Nb de couleurs", "# Colors"},
    {TXT_SOUND_CHECK, "Effets sonores", "Sound effects"},
    {TXT_ERROR_CAPTION, "Glimmets \x97 jeu de r\xE9" "flexion libre",
     "Glimmets \x97 a free puzzle game"},
    {TXT_KEY_ROWS, "maxi_y=%d", "maxi_y=%d"},
    {TXT_KEY_COLUMNS, "maxi_x=%d", "maxi_x=%d"},
    {TXT_KEY_LANGUAGE, "lang=%d", "lang=%d"},
    {TXT_KEY_FORM, "form=%d", "form=%d"},
    {TXT_KEY_SIZE, "larg=%d", "size=%d"},
    {TXT_KEY_COLOURS, "couleurs=%d", "colors=%d"},
    {TXT_KEY_SOUND, "son=%d", "sound=%d"},
    {TXT_SCORES_TITLE, "Meilleurs scores", "Best Scores"},
    {TXT_CONGRATS_TEXT,
     "Bravo,\n\nvous avez r\xE9" "solu cette grille %dx%d\nen %02d' %02d\"\n(reste : %d pi\xE8"
     "ces).\nVotre score est de %d points.",
     "Congratulations,\n\nyou solved this %dx%d grid\nin %02d' %02d\"\n"
     "(with only %d remaining stones).\nYou score %d points."},
    {TXT_OK, "OK", "OK"},
    {TXT_CANCEL, "Annuler", "Cancel"},
    {TXT_GAME_OVER, "Partie termin\xE9" "e", "Game over"},
    {TXT_RESET_SCORES, "Effacer les scores", "Reset scores"},
    {TXT_KEY_OPTIONS, "options=%d", "options=%d"},
    {TXT_GROUP_SIZE, "%d en groupe", "%d in group"},
    {TXT_NOT_SAVED, "Les r\xE9" "glages et les scores n'ont pas pu \xEA" "tre enregistr\xE9" "s dans :\n",
     "The settings and scores could not be saved in:\n"},
    {TXT_NOT_SAVED_GOES_ON,
     "\n\nLe jeu continue. Ils seront enregistr\xE9" "s au prochain changement et en quittant le jeu.",
     "\n\nThe game goes on. They will be saved at the next change and when you quit the game."},
    {TXT_SCORES_KEPT_IN, "Les scores de cette session sont gard\xE9" "s dans : ",
     "This session's scores are kept in: "},
};

const int STRING_TABLE_SIZE = static_cast<int>(sizeof STRING_TABLE / sizeof STRING_TABLE[0]);
