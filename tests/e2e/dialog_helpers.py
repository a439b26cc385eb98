"""Helpers of the dialog tests: opening a dialog by its command and waiting
for it, reading its controls, clicking them, their arrows and the dialog's
close box with real mouse input, typing into a field, checking that a box
stands centred over the main window, and playing a game to its end.

Controls are found by id in probe's "texts" output, whose rectangles are in
screen coordinates (the same as the X root window's)."""
import time

import rules
from harness import wait_until

DIALOG = "#32770"

CMD_NEW_GAME = 100
CMD_QUIT = 102
CMD_SETTINGS = 200
CMD_BEST_SCORES = 201
CMD_TOGGLE_LANGUAGE = 202
CMD_ABOUT = 300


def status(game):
    """The status fields; a probe that fails under load is asked again."""
    fields = wait_until(game.status, 3, 0.1)
    assert fields, "the status bar could not be read"
    return fields


def main_rect(game):
    rect = wait_until(game.rect, 3, 0.1)
    assert rect, "the main window could not be read"
    return rect


def open_dialogs(game):
    return [w for w in game.windows() if w["class"] == DIALOG]


def wait_dialog(game, title=None, timeout=10):
    """The texts of the dialog once it is shown (with that title, if given)."""
    def shown():
        boxes = [w for w in open_dialogs(game) if title is None or w["title"] == title]
        return boxes and game.texts(DIALOG)
    texts = wait_until(shown, timeout, 0.1)
    if not texts:
        failure(game, "no dialog %r appeared; open: %s" % (title, open_dialogs(game)))
    return texts


def open_dialog(game, command, title=None):
    game.command(command)
    return wait_dialog(game, title)


def wait_closed(game, timeout=5):
    if not wait_until(lambda: not open_dialogs(game), timeout, 0.1):
        failure(game, "the dialog is still open: %s" % open_dialogs(game))


def failure(game, message):
    """Fails with a screenshot of the moment, named after the game."""
    shot = game.screenshot("failed_" + game.name)
    raise AssertionError("%s (screen: %s)" % (message, shot))


def control(texts, control_id):
    for item in texts["controls"]:
        if item["id"] == control_id:
            return item
    raise AssertionError("no control %d in %r" % (control_id, texts["title"]))


def text_of(texts, control_id):
    return control(texts, control_id)["text"]


def field(game, control_id):
    return text_of(game.texts(DIALOG), control_id)


def wait_field(game, control_id, expected, timeout=3):
    """Waits for a control of the open dialog to read `expected`."""
    seen = wait_until(lambda: field(game, control_id) == expected, timeout, 0.05)
    assert seen, "control %d reads %r, not %r" % (control_id, field(game, control_id), expected)


def assert_centred(game, texts):
    """The dialog's centre is the main window's (to the pixel that halving
    an odd difference loses)."""
    main = main_rect(game)["window"]
    box = texts["rect"]
    for axis in (0, 1):
        main_centre = (main[axis] + main[axis + 2]) / 2
        box_centre = (box[axis] + box[axis + 2]) / 2
        assert abs(main_centre - box_centre) <= 1, \
            "%r is not centred over the main window: %s over %s" % (texts["title"], box, main)


def click_rect(game, rect):
    left, top, right, bottom = rect
    game.click_screen((left + right) // 2, (top + bottom) // 2)


def click_control(game, texts, control_id):
    """A click on a control, once its dialog is in front with its X window
    shown: a click lands on whatever X window is under the pointer."""
    game.focus(window_rect=texts["rect"])
    click_rect(game, control(texts, control_id)["rect"])


def click_arrow(game, texts, arrows_id, up):
    """A press on the up or the down arrow of an up-down control."""
    game.focus(window_rect=texts["rect"])
    left, top, right, bottom = control(texts, arrows_id)["rect"]
    quarter = (bottom - top) // 4
    game.click_screen((left + right) // 2, top + quarter if up else bottom - 1 - quarter)


def type_into(game, texts, edit_id, text):
    """Replaces the text of an edit box as a player does: click, select, type."""
    click_control(game, texts, edit_id)
    game.key("End", "shift+Home", "BackSpace")
    if text:
        game.type(text)
    wait_field(game, edit_id, text)


def click_close_box(game, texts):
    """A click on the dialog's close box, once the dialog is in front."""
    left, top, right, _ = texts["rect"]
    caption = main_rect(game)["caption_height"]
    game.focus(window_rect=texts["rect"])
    game.click_screen(right - 4 - caption // 2, top + 3 + caption // 2)
    if not wait_until(lambda: texts["title"] not in [w["title"] for w in open_dialogs(game)], 5, 0.1):
        failure(game, "the close box did not close %r" % texts["title"])


def wait_board(game, expected, timeout=5):
    """Waits for the board on the screen to show `expected`."""
    time.sleep(0.25)  # the burst alone lasts 200 ms
    board = wait_until(lambda: (lambda b: b if b == expected else None)(game.board()), timeout, 0.1)
    assert board, "the board did not come to what the rules give"
    return board


def play_to_the_end(game):
    """Plays square stones by the largest group until none can be played.
    Returns the board the rules give after the last move (the box that ends
    the game covers the screen's board)."""
    left, top = main_rect(game)["client_origin"]  # the window stays put during a game
    size = game.stone_size()
    board = game.board()
    for _ in range(200):
        groups = rules.groups(board)
        assert groups and len(groups[0]) >= 2, "no group left to play but the game went on"
        column, row = groups[0][0]
        game.click_screen(left + column * size + size // 2, top + row * size + size // 2)
        expected = rules.apply_click(board, column, row)
        if rules.playable(expected) == 0:
            return expected
        board = wait_board(game, expected)
    raise AssertionError("the game never ended")


def pause(seconds=0.3):
    time.sleep(seconds)
