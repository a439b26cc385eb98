"""End-to-end tests of the dialogs: the About box, the settings dialog with
its arrows, radio buttons, OK and Cancel, and the end of a game as the player
sees it: "Game over", the congratulations box, the name entry, the best-scores
list and its reset, and the settings file left at exit. Every dialog is
opened by its command (posted, as the menu would) or by the end of a game,
driven with real mouse and keys, read from outside, and photographed in both
languages."""
import time

import rules
from dialog_helpers import (CMD_ABOUT, CMD_BEST_SCORES, CMD_QUIT, CMD_SETTINGS, CMD_TOGGLE_LANGUAGE,
                            assert_centred, click_arrow, click_close_box, click_control, control,
                            main_rect, open_dialog, open_dialogs, pause, play_to_the_end, status, text_of,
                            type_into, wait_board, wait_closed, wait_dialog, wait_field)
from harness import COLOURS, Game, parse_settings, settings_file, wait_until

OK, CANCEL = 128, 129
COLUMNS, ROWS, COLOURS_FIELD = 555, 556, 557
COLUMNS_ARROWS, ROWS_ARROWS, COLOURS_ARROWS = 558, 559, 560
SOUND, ROUND, SQUARE = 569, 562, 563
SIZE_BUTTONS = {15: 565, 18: 566, 21: 567, 24: 568}
SCORES_LIST, RESET = 201, 202
NAME_FIELD = 301
STONE_COLOURS = set(COLOURS) - {"blank"}


def quit_game(game):
    game.command(CMD_QUIT)
    assert game.wait_exit() == 0


def window_size(game):
    left, top, right, bottom = main_rect(game)["window"]
    return right - left, bottom - top


def assert_window_fits(game, columns, rows, size):
    rect = main_rect(game)
    expected = (columns * size + 6, rect["menu_height"] + rect["caption_height"] + rows * size + 26)
    assert window_size(game) == expected, (window_size(game), columns, rows, size)


def is_square(image, column, row, size):
    """A square stone fills its cell's corner; a round one leaves it black."""
    return image.pixel(column * size + 1, row * size + 1) != (0, 0, 0)


def wait_total(game, total):
    """Waits for a new game of `total` stones to be dealt and laid out."""
    shown = wait_until(lambda: status(game)[1] == str(total), 5, 0.1)
    assert shown, "no new game of %d stones: %s" % (total, status(game))


# ---- About -----------------------------------------------------------------

def test_about_box_in_both_languages_and_its_four_ways_to_close():
    with Game("about", settings=settings_file(lang=0)) as game:
        game.wait_window()
        box = open_dialog(game, CMD_ABOUT)
        assert box["title"] == "A propos de Glimmets", box["title"]
        assert box["owner_class"] == "GLIMMETS"
        assert text_of(box, 131) == "Glimmets\nVersion 1.0"
        french_contact = text_of(box, 132)
        assert french_contact and text_of(box, OK) == "OK"
        assert_centred(game, box)
        game.screenshot("about_fr")
        click_control(game, box, OK)
        wait_closed(game)

        game.command(CMD_TOGGLE_LANGUAGE)
        closings = [("enter", lambda b: game.key("Return")), ("escape", lambda b: game.key("Escape")),
                    ("close box", lambda b: click_close_box(game, b))]
        for index, (way, close) in enumerate(closings):
            box = open_dialog(game, CMD_ABOUT)
            assert box["title"] == "About Glimmets", box["title"]
            assert text_of(box, 131) == "Glimmets\nVersion 1.0"
            assert text_of(box, 132) and text_of(box, 132) != french_contact
            assert_centred(game, box)
            if index == 0:
                game.screenshot("about_en")
            close(box)
            wait_closed(game)
        assert game.running()
        quit_game(game)


# ---- Settings: texts, arrows, cancel -----------------------------------------

ENGLISH_SETTINGS = {551: "Size of grid", 552: "# Columns", 553: "# Rows", 554: "# Colors",
                    569: "Sound effects", 561: "Form of stones", 562: "Round", 563: "Square",
                    564: "Size (in pixels)", 565: "15", 566: "18", 567: "21", 568: "24",
                    OK: "OK", CANCEL: "Cancel"}
FRENCH_SETTINGS = {551: "Taille de la grille", 552: "Nb de colonnes", 553: "Nb de lignes",
                   554: "Nb de couleurs", 569: "Effets sonores", 561: "Forme des pièces",
                   562: "Ronde", 563: "Carrée", 564: "Taille (en pixels)", OK: "OK", CANCEL: "Annuler"}


def test_settings_dialog_texts_arrows_and_cancel():
    original = settings_file(columns=10, rows=15, form=1, size=15, colours=6, sound=1)
    with Game("settings_arrows", settings=original) as game:
        game.wait_window()
        board, size = game.board(), window_size(game)
        box = open_dialog(game, CMD_SETTINGS)
        assert box["title"] == "Game Grid Settings"
        assert box["owner_class"] == "GLIMMETS"
        assert {i: text_of(box, i) for i in ENGLISH_SETTINGS} == ENGLISH_SETTINGS
        assert [text_of(box, i) for i in (COLUMNS, ROWS, COLOURS_FIELD)] == ["10", "15", "6"]
        checks = {i: control(box, i)["check"] for i in (SOUND, ROUND, SQUARE, 565, 566, 567, 568)}
        assert checks == {SOUND: 1, ROUND: 1, SQUARE: 0, 565: 1, 566: 0, 567: 0, 568: 0}, checks
        assert all(control(box, i)["class"] == "msctls_updown32" for i in (558, 559, 560))
        assert_centred(game, box)
        game.screenshot("settings_en")

        def press(arrows, up, expected):
            click_arrow(game, box, arrows, up)
            wait_field(game, arrows - 3, expected)

        press(COLUMNS_ARROWS, False, "10")           # already at the lower bound
        type_into(game, box, COLUMNS, "30")
        press(COLUMNS_ARROWS, True, "31")
        press(COLUMNS_ARROWS, True, "31")
        type_into(game, box, COLUMNS, "20")           # steps start from a typed number
        press(COLUMNS_ARROWS, True, "21")
        type_into(game, box, COLUMNS, "99")
        press(COLUMNS_ARROWS, False, "31")
        type_into(game, box, ROWS, "11")
        press(ROWS_ARROWS, False, "10")
        press(ROWS_ARROWS, False, "10")
        type_into(game, box, ROWS, "abc")
        press(ROWS_ARROWS, True, "10")
        press(COLOURS_ARROWS, True, "6")
        type_into(game, box, COLOURS_FIELD, "3")
        press(COLOURS_ARROWS, False, "2")
        press(COLOURS_ARROWS, False, "2")
        type_into(game, box, COLOURS_FIELD, "99")
        press(COLOURS_ARROWS, False, "6")
        type_into(game, box, COLOURS_FIELD, "xy")
        press(COLOURS_ARROWS, True, "2")
        click_control(game, box, SQUARE)
        click_control(game, box, SIZE_BUTTONS[24])
        click_control(game, box, SOUND)
        assert wait_until(lambda: control(game.texts("#32770"), SQUARE)["check"] == 1, 3, 0.05)

        click_control(game, box, CANCEL)
        wait_closed(game)
        pause(0.5)
        assert window_size(game) == size and game.board() == board, "Cancel changed the game"

        # Nothing was kept: the next opening shows the settings as they were;
        # Escape and the close box end it as Cancel does.
        for close in (lambda b: game.key("Escape"), lambda b: click_close_box(game, b)):
            box = open_dialog(game, CMD_SETTINGS)
            assert [text_of(box, i) for i in (COLUMNS, ROWS, COLOURS_FIELD)] == ["10", "15", "6"]
            assert [control(box, i)["check"] for i in (SOUND, ROUND, 565, 568)] == [1, 1, 1, 0]
            close(box)
            wait_closed(game)
        pause(0.5)
        assert game.board() == board
        quit_game(game)
        assert game.settings_text() == original


def test_settings_dialog_in_french_under_a_cyrillic_code_page():
    with Game("settings_french", settings=settings_file(lang=0), lang="ru_RU.UTF-8") as game:
        game.wait_window()
        box = open_dialog(game, CMD_SETTINGS)
        assert box["title"] == "Paramétrage de la grille de jeu", box["title"]
        assert {i: text_of(box, i) for i in FRENCH_SETTINGS} == FRENCH_SETTINGS
        assert_centred(game, box)
        game.screenshot("settings_fr")
        game.key("Escape")
        wait_closed(game)
        quit_game(game)


# ---- Settings: OK ----------------------------------------------------------------

def test_settings_ok_with_no_game_running_deals_the_new_grid_at_once():
    with Game("settings_ok_idle", settings=settings_file(columns=10, rows=15, form=1, size=15, colours=6)) as game:
        game.wait_window()
        box = open_dialog(game, CMD_SETTINGS)
        type_into(game, box, COLUMNS, "12")
        type_into(game, box, ROWS, "11")
        type_into(game, box, COLOURS_FIELD, "3")
        click_control(game, box, SQUARE)
        click_control(game, box, SIZE_BUTTONS[18])
        click_control(game, box, SOUND)
        click_control(game, box, OK)
        wait_closed(game)
        wait_total(game, 132)
        assert_window_fits(game, 12, 11, 18)
        pause(0.3)
        board = game.board(12, 11, 18)
        assert all(v in STONE_COLOURS for column in board for v in column), board
        assert len({v for column in board for v in column}) <= 3
        image = game.capture()
        assert all(is_square(image, c, r, 18) for c in range(12) for r in range(11))
        assert status(game) == ["", "132", "132", str(rules.playable(board))]
        game.screenshot("settings_applied_at_once")
        quit_game(game)
        fields = parse_settings(game.settings_text())
        assert fields == {"maxi_x": 12, "maxi_y": 11, "form": 0, "size": 18, "lang": 1000, "colors": 3,
                          "sound": 1}, fields


def test_settings_ok_during_a_running_game_keeps_it_until_the_next_new_game():
    with Game("settings_ok_running", settings=settings_file(columns=10, rows=15, form=0, size=15, colours=4)) as game:
        game.wait_window()
        start = game.board()
        column, row = rules.groups(start)[0][0]
        game.click_cell(column + 1, row + 1)
        board = wait_board(game, rules.apply_click(start, column, row))
        size = window_size(game)

        box = open_dialog(game, CMD_SETTINGS)
        type_into(game, box, COLUMNS, "14")
        type_into(game, box, ROWS, "12")
        click_control(game, box, SIZE_BUTTONS[21])
        click_control(game, box, OK)
        wait_closed(game)

        # The game goes on in the same window, its stones drawn at the new
        # size: the top-left 7 x 10 cells of the same board are what is seen.
        expected = [column[:10] for column in board[:7]]
        assert wait_until(lambda: game.board(7, 10, 21) == expected, 5, 0.2), "the board is not drawn at the new size"
        assert window_size(game) == size
        assert status(game)[1] == "150"
        game.screenshot("settings_size_during_game")

        game.key("F2")
        wait_total(game, 168)
        assert_window_fits(game, 14, 12, 21)
        quit_game(game)
        assert parse_settings(game.settings_text())["maxi_x"] == 14


def test_typed_numbers_out_of_range_are_clamped_and_letters_keep_the_setting():
    with Game("settings_clamped", settings=settings_file(columns=12, rows=11, colours=4)) as game:
        game.wait_window()
        box = open_dialog(game, CMD_SETTINGS)
        type_into(game, box, COLUMNS, "99")
        type_into(game, box, ROWS, "abc")
        type_into(game, box, COLOURS_FIELD, "9")
        click_control(game, box, OK)
        wait_closed(game)
        wait_total(game, 31 * 11)
        assert_window_fits(game, 31, 11, 15)
        box = open_dialog(game, CMD_SETTINGS)
        assert [text_of(box, i) for i in (COLUMNS, ROWS, COLOURS_FIELD)] == ["31", "11", "6"]

        type_into(game, box, COLUMNS, "5")
        type_into(game, box, ROWS, "0")
        type_into(game, box, COLOURS_FIELD, "1")
        click_control(game, box, OK)
        wait_closed(game)
        wait_total(game, 100)
        assert_window_fits(game, 10, 10, 15)
        pause(0.3)
        assert len({v for column in game.board(10, 10, 15) for v in column}) <= 2
        box = open_dialog(game, CMD_SETTINGS)
        assert [text_of(box, i) for i in (COLUMNS, ROWS, COLOURS_FIELD)] == ["10", "10", "2"]
        game.key("Escape")
        wait_closed(game)
        quit_game(game)
        fields = parse_settings(game.settings_text())
        assert (fields["maxi_x"], fields["maxi_y"], fields["colors"]) == (10, 10, 2), fields


# ---- The end of a game ---------------------------------------------------------

SMALL_GAME = dict(columns=10, rows=10, form=0, size=15, colours=2, sound=0)
ENGLISH_RESULT = ("Congratulations,\n\nyou solved this 10x10 grid\nin %02d' %02d\"\n"
                  "(with only %d remaining stones).\nYou score %d points.")
FRENCH_RESULT = ("Bravo,\n\nvous avez résolu cette grille 10x10\nen %02d' %02d\"\n"
                 "(reste : %d pièces).\nVotre score est de %d points.")


def finish_a_game(game, caption, result, game_over, shot):
    """Plays to the end and checks the status bar and the congratulations box;
    returns (the box's texts, the score)."""
    final = play_to_the_end(game)
    box = wait_dialog(game, caption)
    left = rules.remaining(final)
    fields = status(game)
    assert fields[2:] == [str(left), game_over], fields
    # The clock field stays empty when the game ended before its first tick.
    minutes, seconds = (int(part) for part in (fields[0] or "0'00").split("'"))
    shown_left = max(left, 1)  # a cleared board counts one stone for the score
    score = 100 * 2 * 100 // shown_left
    assert text_of(box, 151) == result % (minutes, seconds, shown_left, score), text_of(box, 151)
    assert text_of(box, OK) == "OK" and box["owner_class"] == "GLIMMETS"
    assert_centred(game, box)
    time.sleep(1.2)
    assert status(game)[0] == fields[0], "the clock still runs after the end"
    game.screenshot(shot)
    return box, score


def test_a_whole_game_in_english_then_one_in_french_with_names_and_best_scores():
    with Game("whole_game_en", settings=settings_file(lang=1000, **SMALL_GAME)) as game:
        game.wait_window()
        box, first_score = finish_a_game(game, "Congratulations!!", ENGLISH_RESULT, "Game over",
                                         "congratulations_en")
        click_control(game, box, OK)

        name = wait_dialog(game, "Please enter your name:")
        assert text_of(name, NAME_FIELD) == " " and text_of(name, OK) == "OK"
        assert_centred(game, name)
        game.type("  Ann Lee  ")  # the field has the focus
        wait_field(game, NAME_FIELD, "  Ann Lee  ")
        game.screenshot("name_en")
        game.key("Return")
        wait_closed(game)

        scores = open_dialog(game, CMD_BEST_SCORES, "Best Scores")
        assert text_of(scores, RESET) == "Reset scores" and text_of(scores, OK) == "OK"
        listed = game.listbox("#32770", SCORES_LIST)
        assert listed == ["%06d, Ann Lee" % first_score], (listed, first_score)
        assert_centred(game, scores)
        game.screenshot("best_scores_en")
        game.key("Escape")
        wait_closed(game)
        quit_game(game)
        written = game.settings_text()
        assert written == settings_file(lang=1000, scores=[(first_score, "Ann Lee")], **SMALL_GAME), written

    # The table survives the run; the next games are played in French and
    # their name entries cancelled, by Escape and by the close box.
    with Game("whole_game_fr", settings=written) as game:
        game.wait_window()
        game.command(CMD_TOGGLE_LANGUAGE)
        box, second_score = finish_a_game(game, "Bravo !!", FRENCH_RESULT, "Partie terminée",
                                          "congratulations_fr")
        game.key("Escape")
        name = wait_dialog(game, "Veuillez indiquer votre nom")
        assert text_of(name, NAME_FIELD) == " "
        assert_centred(game, name)
        game.screenshot("name_fr")
        game.key("Escape")
        wait_closed(game)

        game.key("F2")
        assert wait_until(lambda: status(game)[2] == "100", 5, 0.1), status(game)
        pause(0.3)
        box, third_score = finish_a_game(game, "Bravo !!", FRENCH_RESULT, "Partie terminée",
                                         "congratulations_fr_again")
        click_close_box(game, box)
        name = wait_dialog(game, "Veuillez indiquer votre nom")
        game.type("Zed")  # typed, then cancelled: not kept
        wait_field(game, NAME_FIELD, "Zed")
        click_close_box(game, name)
        wait_closed(game)

        scores = open_dialog(game, CMD_BEST_SCORES, "Meilleurs scores")
        assert text_of(scores, RESET) == "Effacer les scores"
        lines = ["%06d, Ann Lee" % first_score, "%06d,  " % second_score, "%06d,  " % third_score]
        assert game.listbox("#32770", SCORES_LIST) == sorted(lines, key=str.lower)
        assert_centred(game, scores)
        game.screenshot("best_scores_fr")
        click_control(game, scores, RESET)
        assert wait_until(lambda: game.listbox("#32770", SCORES_LIST) == [], 3, 0.1), "reset left lines"
        assert open_dialogs(game), "reset closed the dialog"
        click_close_box(game, scores)
        wait_closed(game)
        scores = open_dialog(game, CMD_BEST_SCORES)
        assert game.listbox("#32770", SCORES_LIST) == []
        click_control(game, scores, OK)
        wait_closed(game)
        quit_game(game)
        assert game.settings_text() == settings_file(lang=0, **SMALL_GAME), game.settings_text()
