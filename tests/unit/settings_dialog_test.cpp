// The settings dialog's rules: where the arrows stop, and what OK stores and
// asks the shell to do, whatever the player typed into the number fields.
#include <gtest/gtest.h>

#include "control/game.h"
#include "control/settings_dialog.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "tests/unit/fake_platform.h"

namespace {

SettingsField number(unsigned value) { return {true, value}; }
const SettingsField LETTERS{false, 0};

class SettingsDialogRules : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        settings = GameSettings{15, 12, 1, 21, LANGUAGE_ENGLISH, 4, 1};
        game.state = GAME_RUNNING;
    }

    // The dialog as it opens: the live settings, unchanged.
    static SettingsChoice as_opened() {
        SettingsChoice choice{};
        choice.columns = number(static_cast<unsigned>(settings.columns));
        choice.rows = number(static_cast<unsigned>(settings.rows));
        choice.colours = number(static_cast<unsigned>(settings.colours));
        choice.sound = settings.sound != 0;
        choice.round = settings.form != 0;
        for (int i = 0; i < 4; ++i) choice.size_ticked[i] = STONE_SIZES[i] == settings.stone_size;
        return choice;
    }
};

TEST(SettingsArrows, StepFromTheEditBoxAndStopAtTheGridBounds) {
    for (int arrows : {IDC_COLUMNS_ARROWS, IDC_ROWS_ARROWS}) {
        EXPECT_EQ(arrow_step(arrows, number(15), 1), 16);
        EXPECT_EQ(arrow_step(arrows, number(15), -1), 14);
        EXPECT_EQ(arrow_step(arrows, number(31), 1), 31);
        EXPECT_EQ(arrow_step(arrows, number(10), -1), 10);
        EXPECT_EQ(arrow_step(arrows, number(99), 1), 31);
        EXPECT_EQ(arrow_step(arrows, number(99), -1), 31);
        EXPECT_EQ(arrow_step(arrows, number(0), 1), 10);
        EXPECT_EQ(arrow_step(arrows, LETTERS, 1), 10);
        EXPECT_EQ(arrow_step(arrows, LETTERS, -1), 10);
    }
}

TEST(SettingsArrows, StepFromTheEditBoxAndStopAtTheColourBounds) {
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, number(4), 1), 5);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, number(6), 1), 6);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, number(2), -1), 2);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, number(99), 1), 6);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, number(99), -1), 6);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, LETTERS, 1), 2);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, LETTERS, -1), 2);
}

TEST(SettingsArrows, HugeTypedNumbersStopAtTheUpperBoundInsteadOfWrapping) {
    EXPECT_EQ(arrow_step(IDC_COLUMNS_ARROWS, number(4294967295u), 1), 31);
    EXPECT_EQ(arrow_step(IDC_ROWS_ARROWS, number(2147483648u), -1), 31);
    EXPECT_EQ(arrow_step(IDC_COLOURS_ARROWS, number(4294967295u), 1), 6);
}

TEST(SettingsArrows, EachArrowControlIsBoundToItsEditBox) {
    EXPECT_EQ(arrows_edit_box(IDC_COLUMNS_ARROWS), IDC_COLUMNS_EDIT);
    EXPECT_EQ(arrows_edit_box(IDC_ROWS_ARROWS), IDC_ROWS_EDIT);
    EXPECT_EQ(arrows_edit_box(IDC_COLOURS_ARROWS), IDC_COLOURS_EDIT);
}

TEST_F(SettingsDialogRules, OkStoresTheGridAsPendingAndTheRestAtOnce) {
    SettingsChoice choice = as_opened();
    choice.columns = number(20);
    choice.rows = number(25);
    choice.colours = number(3);
    choice.sound = false;
    apply_settings_choice(choice);
    EXPECT_EQ(pending_dimensions.columns, 20);
    EXPECT_EQ(pending_dimensions.rows, 25);
    EXPECT_EQ(settings.columns, 15);  // the running grid is left alone
    EXPECT_EQ(settings.rows, 12);
    EXPECT_EQ(settings.colours, 3);
    EXPECT_EQ(settings.sound, 0);
}

TEST_F(SettingsDialogRules, OkWithTheSameFormAndSizeDoesNotReloadThePictures) {
    SettingsOutcome outcome = apply_settings_choice(as_opened());
    EXPECT_FALSE(outcome.reload_pictures);
    EXPECT_EQ(settings.form, 1);
    EXPECT_EQ(settings.stone_size, 21);
}

TEST_F(SettingsDialogRules, ANewFormOrSizeIsStoredAndReloadsThePictures) {
    SettingsChoice square = as_opened();
    square.round = false;
    EXPECT_TRUE(apply_settings_choice(square).reload_pictures);
    EXPECT_EQ(settings.form, 0);

    SettingsChoice larger = as_opened();
    larger.size_ticked[2] = false;
    larger.size_ticked[3] = true;
    EXPECT_TRUE(apply_settings_choice(larger).reload_pictures);
    EXPECT_EQ(settings.stone_size, 24);
    EXPECT_EQ(settings.form, 0);
}

TEST_F(SettingsDialogRules, TheLastTickedSizeWinsAndNoneTickedKeepsTheSize) {
    SettingsChoice two = as_opened();
    two.size_ticked[0] = true;  // 15 and 21 both ticked
    apply_settings_choice(two);
    EXPECT_EQ(settings.stone_size, 21);

    SettingsChoice none = as_opened();
    for (bool& ticked : none.size_ticked) ticked = false;
    EXPECT_FALSE(apply_settings_choice(none).reload_pictures);
    EXPECT_EQ(settings.stone_size, 21);
}

TEST_F(SettingsDialogRules, OkDealsANewGameOnlyWhenNoneIsRunning) {
    game.state = GAME_RUNNING;
    EXPECT_FALSE(apply_settings_choice(as_opened()).post_new_game);
    game.state = GAME_NOT_STARTED;
    EXPECT_TRUE(apply_settings_choice(as_opened()).post_new_game);
    game.state = GAME_OVER;
    EXPECT_TRUE(apply_settings_choice(as_opened()).post_new_game);
}

TEST_F(SettingsDialogRules, TypedNumbersOutOfRangeAreBroughtIntoTheirBounds) {
    SettingsChoice choice = as_opened();
    choice.columns = number(99);
    choice.rows = number(0);
    choice.colours = number(1);
    apply_settings_choice(choice);
    EXPECT_EQ(pending_dimensions.columns, 31);
    EXPECT_EQ(pending_dimensions.rows, 10);
    EXPECT_EQ(settings.colours, 2);

    choice.columns = number(5);
    choice.rows = number(4294967295u);
    choice.colours = number(4294967295u);
    apply_settings_choice(choice);
    EXPECT_EQ(pending_dimensions.columns, 10);
    EXPECT_EQ(pending_dimensions.rows, 31);
    EXPECT_EQ(settings.colours, 6);
}

TEST_F(SettingsDialogRules, AFieldWithoutANumberLeavesItsSettingAsItWas) {
    pending_dimensions = PendingDimensions{25, 25};  // asked for earlier in this game
    SettingsChoice choice = as_opened();
    choice.columns = LETTERS;
    choice.rows = number(20);
    choice.colours = LETTERS;
    apply_settings_choice(choice);
    EXPECT_EQ(pending_dimensions.columns, 15);  // the grid's own side, not the earlier request
    EXPECT_EQ(pending_dimensions.rows, 20);
    EXPECT_EQ(settings.colours, 4);
}

TEST(SettingsFieldText, OnlyDigitsWithSpacesAroundThemAreANumber) {
    struct Case {
        const char* text;
        bool is_number;
        unsigned value;
    };
    const Case cases[] = {
        {"12", true, 12},          {" 7 ", true, 7},        {"007", true, 7},
        {"", false, 0},            {"   ", false, 0},      {"-3", false, 0},
        {"+3", false, 0},          {"1x", false, 0},        {"x1", false, 0},
        {"1 2", false, 0},         {"99999999999999999999", true, 4294967295u},
    };
    for (const Case& c : cases) {
        SettingsField field = parse_settings_field(c.text);
        EXPECT_EQ(field.is_number, c.is_number) << '"' << c.text << '"';
        EXPECT_EQ(field.value, c.value) << '"' << c.text << '"';
    }
    // A huge typed number is brought down to the bound, not wrapped to the lower one.
    EXPECT_EQ(arrow_step(IDC_COLUMNS_ARROWS, parse_settings_field("99999999999"), 1), 31);
}

TEST_F(SettingsDialogRules, ANewGameAfterOkDealsTheChosenGrid) {
    game.state = GAME_OVER;
    SettingsChoice choice = as_opened();
    choice.columns = number(40);
    choice.rows = LETTERS;
    ASSERT_TRUE(apply_settings_choice(choice).post_new_game);
    new_game_with_seed(7);
    EXPECT_EQ(settings.columns, 31);
    EXPECT_EQ(settings.rows, 12);
    EXPECT_GE(board.cells[31][12], 1);  // the last cell holds a stone
    EXPECT_LE(board.cells[31][12], 4);
    EXPECT_EQ(board.cells[32][12], CELL_BORDER);
}

}  // namespace
