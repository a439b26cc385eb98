"""End-to-end tests of the Options menu's two view options: "Show groups"
(the group under the pointer or the keyboard cursor outlined, its size in a
fifth status field) and "Symbols on stones", both kept in the settings file
and read back by the program that came before them."""
import time

import rules
from dialog_helpers import failure, status
from harness import Game, settings_file, wait_until
from overlay_helpers import cursor_cells, expected_outline, outline_sides, point_at
from test_main_window import settled_board

CMD_SHOW_GROUPS = 203
CMD_SYMBOLS = 204


def outline_on_screen(game, columns, rows):
    return outline_sides(game.capture(), columns, rows, game.stone_size())


def wait_outline(game, columns, rows, expected, why):
    if not wait_until(lambda: outline_on_screen(game, columns, rows) == expected, 5, 0.1):
        failure(game, "%s: the outline passes %s, not %s" % (why, outline_on_screen(game, columns, rows), expected))


def check_show_groups(name, form, size, lang, label):
    columns, rows = 12, 10
    settings = settings_file(columns=columns, rows=rows, size=size, form=form, colours=4, lang=lang)
    with Game(name, settings=settings) as game:
        game.wait_window()
        board = game.board()
        group = rules.groups(board)[0]
        lone = [g[0] for g in rules.groups(board) if len(g) == 1]
        point_at(game, *group[0])
        time.sleep(0.3)
        assert outline_on_screen(game, columns, rows) == {} and len(status(game)) == 4, "groups shown while off"

        game.command(CMD_SHOW_GROUPS)
        wait_outline(game, columns, rows, expected_outline(board, *group[0]), "the pointer's group")
        assert wait_until(lambda: status(game)[4] == label % len(group), 3, 0.1), status(game)
        game.screenshot(name, window_only=True)
        if lone:
            point_at(game, *lone[0])
            wait_outline(game, columns, rows, {}, "a lone stone")
            assert wait_until(lambda: status(game)[4] == "", 3, 0.1), status(game)

        # The keyboard cursor takes over, and both show, told apart.
        game.key("Down")
        target = group[-1]
        start = (0, rows - 1)
        game.key(*(["Right"] * target[0] + ["Up"] * (start[1] - target[1])))
        wait_outline(game, columns, rows, expected_outline(board, *target), "the cursor's group")
        assert cursor_cells(game.capture(), columns, rows, size) == [target]
        game.screenshot(name + "_cursor", window_only=True)

        # The outline follows the board after the move: the cell under the
        # cursor now holds whatever fell or rolled into it.
        game.key("space")
        after = settled_board(game)
        assert rules.remaining(after) == rules.remaining(board) - len(group)
        wait_outline(game, columns, rows, expected_outline(after, *target), "after the move")

        game.command(CMD_SHOW_GROUPS)
        wait_outline(game, columns, rows, {}, "turned off")
        assert wait_until(lambda: len(status(game)) == 4, 3, 0.1), status(game)
        game.command(102)
        assert game.wait_exit() == 0
        assert game.settings_text() == settings, "the options left a trace: %r" % game.settings_text()


def test_show_groups_on_square_and_round_stones_at_two_sizes_in_both_languages():
    for form, size, lang in ((0, 15, 1000), (1, 15, 0), (0, 24, 0), (1, 24, 1000)):
        label = "%d in group" if lang == 1000 else "%d en groupe"
        check_show_groups("show_groups_%s_%d_%s" % ("round" if form else "square", size, "en" if lang else "fr"),
                          form, size, lang, label)
