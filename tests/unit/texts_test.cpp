// The string table in both languages, the shared text buffer, and what the
// language switch sends through the door to the title and menu bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/texts.h"
#include "tests/unit/fake_platform.h"

namespace {

class Texts : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
};

TEST_F(Texts, EndOfGameTextInEachLanguage) {
    settings.language_offset = LANGUAGE_ENGLISH;
    EXPECT_STREQ(get_text(TXT_GAME_OVER), "Game over");
    settings.language_offset = LANGUAGE_FRENCH;
    EXPECT_STREQ(get_text(TXT_GAME_OVER), "Partie termin\xE9" "e");
}

TEST_F(Texts, AccentsAreSingleWesternEuropeanBytes) {
    EXPECT_STREQ(find_text(TXT_ITEM_LANGUAGE + TEXT_ENGLISH_OFFSET), "Fran\xE7" "ais");
    EXPECT_STREQ(find_text(TXT_ITEM_SETTINGS), "Param\xE8" "tres du jeu");
    EXPECT_STREQ(find_text(TXT_SETTINGS_TITLE), "Param\xE9" "trage de la grille de jeu");
    EXPECT_STREQ(find_text(TXT_CONGRATS_TEXT),
                 "Bravo,\n\nvous avez r\xE9" "solu cette grille %dx%d\nen %02d' %02d\"\n"
                 "(reste : %d pi\xE8" "ces).\nVotre score est de %d points.");
    EXPECT_STREQ(find_text(TXT_ITEM_UNDO + TEXT_ENGLISH_OFFSET), "Undo last move\tCtrl+Z");
}

TEST_F(Texts, EveryIdExistsInBothLanguages) {
    const std::vector<int> ids = {400, 401, 402, 410, 411, 412, 420, 421, 422, 430, 431, 432, 433, 434, 450,
                                  451, 480, 481, 482, 485, 486, 487, 488, 489, 490, 491, 492,
                                  493, 494, 500, 501, 502, 503, 504, 505, 506, 507, 508, 509,
                                  515, 516, 518, 519, 423, 424, 530, 531};
    for (int id : ids) {
        ASSERT_NE(find_text(id), nullptr) << id;
        ASSERT_NE(find_text(id + TEXT_ENGLISH_OFFSET), nullptr) << id;
        EXPECT_STRNE(find_text(id), "") << id;
        EXPECT_STRNE(find_text(id + TEXT_ENGLISH_OFFSET), "") << id;
    }
    EXPECT_EQ(std::string(find_text(TXT_ERROR_CAPTION)).rfind("Glimmets", 0), 0u);
    EXPECT_EQ(std::string(find_text(TXT_ERROR_CAPTION + 1000)).rfind("Glimmets", 0), 0u);
}

TEST_F(Texts, UnknownIdGivesEmptyText) {
    EXPECT_STREQ(get_text(517), "");
    EXPECT_STREQ(get_text(-5), "");
    EXPECT_STREQ(get_text(399), "");
    settings.language_offset = 2147483647;  // damaged: must not overflow
    EXPECT_STREQ(get_text(TXT_OK), "");
    EXPECT_EQ(find_text(99999), nullptr);
}

TEST_F(Texts, OneSharedBufferHoldsTheLastText) {
    const char* first = get_text(TXT_OK);
    const char* second = get_text(TXT_CANCEL);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Annuler");
}

const std::vector<std::string> FRENCH_MENU = {
    "title Glimmets",
    "menu 0 &Partie",
    "menu 1 &Options",
    "menu 2 &Aide",
    "item 100 Nouvelle partie\tF2",
    "item 101 Annuler dernier coup\tCtrl+Z",
    "item 103 Recommencer cette partie\tF5",
    "item 104 Partie num\xE9" "ro...",
    "item 105 Indice\tH",
    "item 102 Quitter",
    "item 200 Param\xE8" "tres du jeu",
    "item 201 Afficher scores",
    "item 202 English",
    "item 203 Montrer les groupes",
    "item 204 Symboles sur les pi\xE8" "ces",
    "item 300 A propos de Glimmets",
    "item 301 Aide",
    "check 203 off",
    "check 204 off",
    "menu redraw",
};

TEST_F(Texts, MenuTextsAppliedInOrderThenRedrawn) {
    apply_menu_texts();
    EXPECT_EQ(fake.events, FRENCH_MENU);
}

TEST_F(Texts, MenuChecksFollowTheOptionsAfterTheTexts) {
    view_options = ViewOptions{true, false};
    toggle_language();
    const auto checks = fake.matching("check");
    EXPECT_EQ(checks, (std::vector<std::string>{"check 203 on", "check 204 off"}));
    EXPECT_EQ(fake.count("item 203 Show groups"), 1);
    EXPECT_EQ(fake.count("item 204 Symbols on stones"), 1);
}

TEST_F(Texts, ToggleSwitchesTheMenuAndTwiceComesBack) {
    toggle_language();
    EXPECT_EQ(settings.language_offset, LANGUAGE_ENGLISH);
    EXPECT_EQ(fake.matching("title"), std::vector<std::string>{"title Glimmets"});
    EXPECT_EQ(fake.count("menu 0 &Game"), 1);
    EXPECT_EQ(fake.count("item 202 Fran\xE7" "ais"), 1);  // names the other language
    EXPECT_EQ(fake.events.back(), "menu redraw");

    fake.clear_events();
    toggle_language();
    EXPECT_EQ(settings.language_offset, LANGUAGE_FRENCH);
    EXPECT_EQ(fake.events, FRENCH_MENU);
}

}  // namespace
