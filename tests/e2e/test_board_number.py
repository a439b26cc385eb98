"""End-to-end tests of Restart this board (F5), the Board number dialog and
the Hint (H): the first board back to the pixel after some moves, a typed
number dealing the same board as another run dealt with it, a text that is
not a number refused while the game goes on, and the hint's outline on a
group that the rules say can be taken, on the largest board, kept when H
is pressed again and taken by a click as any group is."""
import rules
from dialog_helpers import (CMD_QUIT, assert_centred, control, failure, open_dialog,
                            open_dialogs, status, text_of, type_into, wait_board, wait_closed, wait_dialog)
from harness import Game, settings_file, wait_until
from overlay_helpers import cursor_cells, expected_outline, outline_sides

CMD_BOARD_NUMBER = 104
LABEL, NUMBER_FIELD, OK, CANCEL = 601, 602, 128, 129
COLUMNS, ROWS, SIZE = 12, 10, 21


def square_game(name, **fields):
    return Game(name, settings=settings_file(columns=COLUMNS, rows=ROWS, size=SIZE, form=0, colours=4, **fields))


def board_pixels(game):
    """The grid's pixels, exactly: the part of the client area above the status bar."""
    image = game.capture()
    width = COLUMNS * SIZE * 3
    return b"".join(image.pixels[(y * image.width) * 3:(y * image.width) * 3 + width] for y in range(ROWS * SIZE))


def play_largest(game, board, moves):
    """Takes the largest group `moves` times, checking each board; the cells clicked."""
    clicked = []
    for _ in range(moves):
        column, row = rules.groups(board)[0][0]
        game.click_cell(column + 1, row + 1)
        board = wait_board(game, rules.apply_click(board, column, row))
        clicked.append((column, row))
    return board, clicked


def quit_game(game):
    game.command(CMD_QUIT)
    assert game.wait_exit() == 0


def test_restart_gives_back_the_first_board_to_the_pixel():
    with square_game("restart") as game:
        game.wait_window()
        first_pixels, first = board_pixels(game), game.board()
        first_status = status(game)
        played, _ = play_largest(game, first, 3)
        assert wait_until(lambda: status(game)[0] != "", 3, 0.1), "the clock did not start"
        game.key("F5")
        if not wait_until(lambda: game.board() == first, 5, 0.1):
            failure(game, "F5 did not deal the first board again")
        assert board_pixels(game) == first_pixels
        assert status(game) == first_status  # the clock waits for the first press again
        game.key("ctrl+z")  # the history started over: nothing to undo
        assert game.board() == first
        game.screenshot("restart_first_board")
        # The same moves play the same way again.
        again, _ = play_largest(game, first, 3)
        assert again == played
        game.open_menu("g")  # the Game menu with the three new items, for the eye
        game.screenshot("game_menu_en")
        game.key("Escape", "Escape")
        quit_game(game)


def open_board_number(game):
    box = open_dialog(game, CMD_BOARD_NUMBER)
    number = text_of(box, NUMBER_FIELD)
    assert number.isdigit() and int(number) < 2 ** 32, number
    return box, number


def deal_number(game, box, number, expected=None, before=None):
    """Types the number and Enter; the board dealt, once it shows `expected`
    or, not knowing it, once it differs from `before` and stays."""
    type_into(game, box, NUMBER_FIELD, number)
    game.key("Return")
    wait_closed(game)

    def dealt():
        board = game.board()
        if expected is not None:
            return board if board == expected else None
        return board if board != before and game.board() == board else None
    board = wait_until(dealt, 5, 0.1)
    if not board:
        failure(game, "board %s was not dealt" % number)
    return board


def test_a_typed_number_deals_the_board_another_run_deals_for_it():
    with square_game("number_first", lang=0) as game:
        game.wait_window()
        dealt = game.board()
        box, own_number = open_board_number(game)
        assert box["title"] == "Partie num\xe9ro", box["title"]
        assert text_of(box, LABEL) == "Num\xe9ro de la partie, de 0 \xe0 4294967295 :"
        assert (text_of(box, OK), text_of(box, CANCEL)) == ("OK", "Annuler")
        assert_centred(game, box)
        game.screenshot("board_number_fr")
        game.key("Escape")
        wait_closed(game)
        # After a move, the number shown deals the first board again.
        play_largest(game, dealt, 1)
        box, shown = open_board_number(game)
        assert shown == own_number
        deal_number(game, box, own_number, expected=dealt)
        box, _ = open_board_number(game)
        asked = deal_number(game, box, "4294967295", before=dealt)
        quit_game(game)

    with square_game("number_second") as game:
        game.wait_window()
        box, _ = open_board_number(game)
        assert box["title"] == "Board number", box["title"]
        assert text_of(box, LABEL) == "Number of the board, from 0 to 4294967295:"
        game.screenshot("board_number_en")
        deal_number(game, box, "4294967295", expected=asked)
        box, shown = open_board_number(game)
        assert shown == "4294967295"
        deal_number(game, box, own_number, expected=dealt)
        quit_game(game)


def refusal_shown(game):
    """The message in front of the dialog says which numbers are taken."""
    texts = game.texts("#32770")
    return texts and any("digits only" in c["text"] for c in texts["controls"])


def test_a_text_that_is_not_a_number_is_refused_and_the_game_goes_on():
    with square_game("number_refused") as game:
        game.wait_window()
        board, _ = play_largest(game, game.board(), 1)
        for typed in ("12x", "4294967296", "-5", "0" * 70 + "7"):  # the last one longer than any number
            box, number = open_board_number(game)
            type_into(game, box, NUMBER_FIELD, typed)
            game.key("Return")
            if not wait_until(lambda: refusal_shown(game), 5, 0.1):
                failure(game, "no message refused %r" % typed)
            game.screenshot("board_number_refused")
            game.key("Return")  # closes the message, back to the dialog
            assert wait_until(lambda: len(open_dialogs(game)) == 1, 5, 0.1)
            assert control(game.texts("#32770"), NUMBER_FIELD)["text"] == typed
            game.key("Escape")
            wait_closed(game)
            assert game.board() == board
        board, _ = play_largest(game, board, 1)  # the game goes on
        quit_game(game)


def test_h_outlines_a_group_the_rules_can_take_and_a_click_takes_it():
    # The largest board, where a search takes longest: H again on the same
    # position outlines the same group, from the hint kept for it.
    side = 31
    with Game("hint", settings=settings_file(columns=side, rows=side, size=SIZE, form=0, colours=6)) as game:
        game.wait_window()
        board = game.board()
        for move in range(3):
            game.key("h")
            sides = wait_until(lambda: outline_sides(game.capture(), side, side, SIZE), 10, 0.1)
            if not sides:
                failure(game, "H outlined nothing")
            column, row = min(sides)
            assert sides == expected_outline(board, column, row), sides
            if move == 0:
                game.screenshot("hint")
                # H again, then a key that shows the keyboard cursor once that H was handled.
                game.key("h", "Up")
                if not wait_until(lambda: cursor_cells(game.capture(), side, side, SIZE) == [(0, side - 1)], 10, 0.1):
                    failure(game, "the cursor did not show after the second H")
                assert outline_sides(game.capture(), side, side, SIZE) == sides
            game.click_cell(column + 1, row + 1)
            board = wait_board(game, rules.apply_click(board, column, row))
            assert outline_sides(game.capture(), side, side, SIZE) == {}
            assert status(game)[2] == str(rules.remaining(board))
        quit_game(game)
