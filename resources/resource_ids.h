/* Numbers shared by the resource script and the C++ code, each named once.
   This header is read by windres as well as by the compilers, so it holds
   nothing but #define lines outside the C++ guard at the end. */
#ifndef GLIMMETS_RESOURCE_IDS_H
#define GLIMMETS_RESOURCE_IDS_H

/* Icon, menu and accelerators */
#define IDI_GLIMMETS            1
#define IDM_MAIN_MENU           128
#define IDA_ACCELERATORS        129

/* Menu commands */
#define CMD_NEW_GAME            100
#define CMD_UNDO                101
#define CMD_QUIT                102
#define CMD_RESTART             103
#define CMD_BOARD_NUMBER        104
#define CMD_HINT                105
#define CMD_SETTINGS            200
#define CMD_BEST_SCORES         201
#define CMD_TOGGLE_LANGUAGE     202
#define CMD_SHOW_GROUPS         203
#define CMD_SYMBOLS             204
#define CMD_ABOUT               300
#define CMD_HELP                301

/* Dialog templates */
#define DLG_ABOUT               130
#define DLG_CONGRATULATIONS     150
#define DLG_BEST_SCORES         200
#define DLG_PLAYER_NAME         300
#define DLG_SETTINGS            550
#define DLG_BOARD_NUMBER        600

/* Controls: shared by every dialog */
#define IDC_OK                  128
#define IDC_CANCEL_BUTTON       129
#define IDC_STATIC_ANY          (-1)
/* Controls: About box */
#define IDC_ABOUT_TITLE         131
#define IDC_ABOUT_CONTACT       132
/* Controls: congratulations box */
#define IDC_CONGRATS_TEXT       151
/* Controls: best scores */
#define IDC_SCORES_LIST         201
#define IDC_SCORES_RESET        202
/* Controls: player's name */
#define IDC_NAME_EDIT           301
/* Controls: settings */
#define IDC_GRID_GROUP          551
#define IDC_COLUMNS_LABEL       552
#define IDC_ROWS_LABEL          553
#define IDC_COLOURS_LABEL       554
#define IDC_COLUMNS_EDIT        555
#define IDC_ROWS_EDIT           556
#define IDC_COLOURS_EDIT        557
#define IDC_COLUMNS_ARROWS      558
#define IDC_ROWS_ARROWS         559
#define IDC_COLOURS_ARROWS      560
#define IDC_FORM_GROUP          561
#define IDC_FORM_ROUND          562
#define IDC_FORM_SQUARE         563
#define IDC_SIZE_GROUP          564
#define IDC_SIZE_15             565
#define IDC_SIZE_18             566
#define IDC_SIZE_21             567
#define IDC_SIZE_24             568
#define IDC_SOUND_CHECK         569
/* Controls: board number */
#define IDC_BOARD_NUMBER_LABEL  601
#define IDC_BOARD_NUMBER_EDIT   602
/* Controls: main window */
#define IDC_STATUS_BAR          11100

/* Timers */
#define TIMER_CLOCK             1

/* Sounds: WAVE resources 3030 + sound number */
#define IDW_SOUND_BASE          3030
#define IDW_SOUND_REFUSED       3030
#define IDW_SOUND_START         3031
#define IDW_SOUND_BURST         3032
#define IDW_SOUND_FALL          3033
#define IDW_SOUND_COLLAPSE      3034
#define IDW_SOUND_UNDO          3035

/* Texts: French ids; the English text of id N is N + TEXT_ENGLISH_OFFSET */
#define TEXT_ENGLISH_OFFSET     1000
#define TXT_MENU_GAME           400
#define TXT_MENU_OPTIONS        401
#define TXT_MENU_HELP           402
#define TXT_ITEM_NEW_GAME       410
#define TXT_ITEM_UNDO           411
#define TXT_ITEM_QUIT           412
#define TXT_ITEM_RESTART        413
#define TXT_ITEM_BOARD_NUMBER   414
#define TXT_ITEM_HINT           415
#define TXT_BOARD_NUMBER_TITLE  416
#define TXT_BOARD_NUMBER_LABEL  417
#define TXT_BOARD_NUMBER_REFUSED 418
#define TXT_ITEM_SETTINGS       420
#define TXT_ITEM_SCORES         421
#define TXT_ITEM_LANGUAGE       422
#define TXT_ITEM_SHOW_GROUPS    423
#define TXT_ITEM_SYMBOLS        424
#define TXT_ABOUT_TITLE         430
#define TXT_ITEM_HELP           431
#define TXT_HELP_TITLE          432
#define TXT_HELP_CONTENTS       433
#define TXT_HELP_BACK           434
#define TXT_ABOUT_PRODUCT       450
#define TXT_ABOUT_CONTACT       451
#define TXT_CONGRATS_TITLE      480
#define TXT_NAME_TITLE          481
#define TXT_MAIN_TITLE          482
#define TXT_SETTINGS_TITLE      485
#define TXT_GRID_GROUP          486
#define TXT_COLUMNS_LABEL       487
#define TXT_ROWS_LABEL          488
#define TXT_FORM_GROUP          489
#define TXT_FORM_ROUND          490
#define TXT_FORM_SQUARE         491
#define TXT_SIZE_GROUP          492
#define TXT_COLOURS_LABEL       493
#define TXT_SOUND_CHECK         494
#define TXT_ERROR_CAPTION       500
#define TXT_KEY_ROWS            501
#define TXT_KEY_COLUMNS         502
#define TXT_KEY_LANGUAGE        503
#define TXT_KEY_FORM            504
#define TXT_KEY_SIZE            505
#define TXT_KEY_COLOURS         506
#define TXT_KEY_SOUND           507
#define TXT_SCORES_TITLE        508
#define TXT_CONGRATS_TEXT       509
#define TXT_OK                  515
#define TXT_CANCEL              516
#define TXT_GAME_OVER           518
#define TXT_RESET_SCORES        519
/* The settings file written during play and kept when it cannot be replaced */
#define TXT_NOT_SAVED           520
#define TXT_NOT_SAVED_GOES_ON   521
#define TXT_SCORES_KEPT_IN      522
/* The view's options in the settings file, and the size of the group shown */
#define TXT_KEY_OPTIONS         530
#define TXT_GROUP_SIZE          531

/* The game's own help window: the help pages it shows (RCDATA written by the
   help generator from resources/help) and its controls */
#define IDR_HELP_PAGES          700
#define IDC_HELP_TEXT           701
#define IDC_HELP_CONTENTS       702
#define IDC_HELP_BACK           703

#if defined(__cplusplus) && !defined(RC_INVOKED)
/* Runs of consecutive ids that code walks by offset. */
static_assert(IDW_SOUND_UNDO == IDW_SOUND_BASE + 5 && IDW_SOUND_REFUSED == IDW_SOUND_BASE,
              "sounds are 3030 + sound number");
static_assert(IDC_COLUMNS_ARROWS == IDC_COLUMNS_EDIT + 3 && IDC_COLOURS_ARROWS == IDC_COLOURS_EDIT + 3,
              "each arrow control is its edit box + 3");
static_assert(IDC_SIZE_24 == IDC_SIZE_15 + 3, "size buttons 15, 18, 21, 24");
#endif

#endif
