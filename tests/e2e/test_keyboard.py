"""End-to-end tests of play by keyboard: every key of the cursor, the cursor
hidden by the pointer and shown again where it was, Space and Enter as a
click on the cursor's cell with the accelerators still at work, and a whole
game played by arrows and Space alone, each board checked against the rules
for the same moves, then the same deal dealt again (F5) and played by clicks on
the same cells, board for board."""
import rules
from dialog_helpers import failure, status, wait_board, wait_dialog, wait_closed
from harness import Game, settings_file, wait_until, xdotool
from overlay_helpers import cursor_cells, point_at, point_away


def cursor_on_screen(game, columns, rows):
    return cursor_cells(game.capture(), columns, rows, game.stone_size())


def wait_cursor(game, columns, rows, expected, why):
    if not wait_until(lambda: cursor_on_screen(game, columns, rows) == expected, 5, 0.1):
        failure(game, "%s: the cursor shows on %s, not %s" % (why, cursor_on_screen(game, columns, rows), expected))


def test_every_cursor_key_and_the_pointer_hiding_it():
    columns, rows = 12, 10
    point_away()
    with Game("cursor_keys", settings=settings_file(columns=columns, rows=rows, size=21, form=0, colours=5)) as game:
        game.wait_window()
        assert cursor_on_screen(game, columns, rows) == [], "a cursor before any key"
        # key, where the cursor stands after it (0-based): the first key only
        # shows it, bottom left; then each key moves it, and stops at the edges.
        steps = [("Up", (0, 9)), ("Up", (0, 8)), ("Right", (1, 8)), ("End", (11, 8)), ("Right", (11, 8)),
                 ("Prior", (11, 0)), ("Up", (11, 0)), ("Left", (10, 0)), ("Home", (0, 0)), ("Left", (0, 0)),
                 ("Next", (0, 9)), ("Down", (0, 9)), ("Right", (1, 9))]
        for key, cell in steps:
            game.key(key)
            wait_cursor(game, columns, rows, [cell], "after %s" % key)
        game.screenshot("cursor_keys")
        board = game.board()

        # A move of the pointer over the board hides it; the next key shows
        # it again where it was, without moving it.
        point_at(game, 6, 4)
        wait_cursor(game, columns, rows, [], "after a pointer move")
        game.key("Left")
        wait_cursor(game, columns, rows, [(1, 9)], "shown again by Left")
        # A click hides it too (on a lone stone: refused, nothing changes).
        lone = [g[0] for g in rules.groups(board) if len(g) == 1]
        if lone:
            game.click_cell(lone[0][0] + 1, lone[0][1] + 1)
            wait_cursor(game, columns, rows, [], "after a click")
            assert game.board() == board
        game.key("Down")
        wait_cursor(game, columns, rows, [(1, 9)], "shown again by Down")
        game.command(102)
        assert game.wait_exit() == 0


def keys_to(start, target):
    """Arrow keys that take the cursor from one cell to another."""
    (c0, r0), (c1, r1) = start, target
    return (["Right"] * (c1 - c0) + ["Left"] * (c0 - c1) + ["Down"] * (r1 - r0) + ["Up"] * (r0 - r1))


def nearest_cell(group, at):
    return min(group, key=lambda cell: abs(cell[0] - at[0]) + abs(cell[1] - at[1]))


def test_space_and_enter_press_the_cursor_cell_and_the_accelerators_still_work():
    columns, rows = 12, 10
    point_away()
    with Game("keyboard_press", settings=settings_file(columns=columns, rows=rows, size=24, form=0, colours=4)) as game:
        game.wait_window()
        board = game.board()
        at = (0, rows - 1)
        game.key("Down")  # shows the cursor bottom left
        history = []
        for press in ("space", "Return"):
            target = nearest_cell(rules.groups(board)[0], at)
            game.key(*keys_to(at, target), press)
            expected = rules.apply_click(board, *target)
            history.append(board)
            board = wait_board(game, expected)
            at = target
            # The cursor stays on its cell after the move.
            wait_cursor(game, columns, rows, [at], "after %s" % press)
            left = rules.remaining(board)
            assert status(game)[1:] == [str(columns * rows), str(left), str(rules.playable(board))], status(game)
        assert wait_until(lambda: status(game)[0] >= "0'01", 3, 0.1), "the keyboard's first press started no clock"
        game.key("ctrl+z")
        wait_board(game, history[-1])
        game.key("F2")
        assert wait_until(lambda: status(game)[2] == str(columns * rows) and game.board() != history[-1], 5, 0.1)
        game.open_menu("g")  # the menu keys too
        game.key("Escape", "Escape")
        game.command(102)
        assert game.wait_exit() == 0


def test_a_whole_game_by_arrows_and_space_follows_the_rules_board_by_board():
    columns, rows = 10, 10
    settings = settings_file(columns=columns, rows=rows, size=21, form=0, colours=3)
    # The pointer rests where the board will open: the system reports it
    # there, and that must not hide the cursor, which only a move does.
    xdotool("mousemove", 640, 500)
    with Game("keyboard_game", settings=settings) as game:
        game.wait_window()
        board = game.board()
        at = (0, rows - 1)
        first = board
        game.key("Up")  # shows the cursor
        moves, pressed, boards = 0, [], []
        while rules.playable(board):
            target = nearest_cell(rules.groups(board)[0], at)
            game.key(*keys_to(at, target), "space")
            at, moves = target, moves + 1
            expected = rules.apply_click(board, *target)
            if rules.playable(expected) == 0:
                break  # the box that ends the game covers the board
            board = wait_board(game, expected)
            pressed.append(target)
            boards.append(board)
            left = rules.remaining(board)
            assert status(game)[2:] == [str(left), str(rules.playable(board))], (moves, status(game))
        box = wait_dialog(game, "Congratulations!!")
        assert wait_until(lambda: status(game)[3] == "Game over", 3, 0.1), status(game)
        result = " ".join(c["text"] for c in box["controls"])
        game.screenshot("keyboard_game_over")
        game.key("Return")  # the box's OK, by keyboard too
        wait_dialog(game, "Please enter your name:")
        game.type("Keys")
        game.key("Return")
        wait_closed(game)
        wait_board(game, expected)  # the last board, once the boxes are gone
        # A cleared board counts as one stone left.
        assert ("%d remaining stones" % max(1, rules.remaining(expected))) in result, result
        game.key("space")  # the game is over: a press does nothing
        # The same deal again (F5), the same cells clicked: the same boards.
        game.key("F5")
        wait_board(game, first)
        for (column, row), after in zip(pressed, boards):
            game.click_cell(column + 1, row + 1)
            wait_board(game, after)
        game.command(102)
        assert game.wait_exit() == 0
        assert ",Keys\r\n" in game.settings_text() and moves >= 2, (moves, game.settings_text())
