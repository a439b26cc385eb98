"""End-to-end tests of the Options menu's two view options: "Show groups"
(the group under the pointer or the keyboard cursor outlined, its size in a
fifth status field) and "Symbols on stones", both kept in the settings file
and read back by the program that came before them."""
import subprocess
import time

import rules
from dialog_helpers import failure, status
from harness import Game, Screen, parse_settings, settings_file, wait_until
from pictures import STONE_SLOTS, cell_slot, expected_strip, unmatched_cells
from overlay_helpers import cursor_cells, expected_outline, outline_sides, point_at, point_away
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
        size = game.use_drawn_side()
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


def grey(cell):
    """A cell's RGB bytes as the greys a greyscale screen shows."""
    return [round(0.299 * cell[i] + 0.587 * cell[i + 1] + 0.114 * cell[i + 2]) for i in range(0, len(cell), 3)]


def wait_pictures(game, strip, columns, rows, why):
    if not wait_until(lambda: not unmatched_cells(game.capture(), strip, columns, rows), 5, 0.1):
        failure(game, "%s: cells %s show other pictures" % (why, unmatched_cells(game.capture(), strip, columns, rows)[:5]))


def grey_screenshot(game, name):
    path = game.screenshot(name, window_only=True)
    subprocess.run(["convert", path, "-colorspace", "Gray", path.replace(".png", "_grey.png")], check=True, timeout=30)


def check_symbols(name, form, size):
    """Symbols on: every cell is the painter's picture with its symbol, and
    in grey every two colours differ in a twentieth of the stone or more;
    off again: the pictures of before, and nothing left in the file."""
    columns, rows = 12, 10
    settings = settings_file(columns=columns, rows=rows, size=size, form=form, colours=6)
    point_away()
    with Game(name, settings=settings) as game:
        game.wait_window()
        side = game.use_drawn_side()
        plain = expected_strip(form, size, side)
        marked = expected_strip(form, size, side, symbols=True)
        wait_pictures(game, plain, columns, rows, "symbols off")
        game.command(CMD_SYMBOLS)
        wait_pictures(game, marked, columns, rows, "symbols on")
        image = game.capture()
        shown = {}
        for column in range(1, columns + 1):
            for row in range(1, rows + 1):
                shown.setdefault(cell_slot(image, marked, column, row), (column, row))
        assert len(set(shown) & set(STONE_SLOTS)) >= 5, shown
        greys = {slot: grey(image.block((c - 1) * side, (r - 1) * side, side)) for slot, (c, r) in shown.items()}
        for a in greys:
            for b in greys:
                if a < b:
                    apart = sum(abs(x - y) > 64 for x, y in zip(greys[a], greys[b]))
                    assert apart * 20 >= side * side, (name, a, b, apart)
        grey_screenshot(game, name)
        game.command(CMD_SYMBOLS)
        wait_pictures(game, plain, columns, rows, "symbols off again")
        game.command(102)
        assert game.wait_exit() == 0
        assert game.settings_text() == settings


def test_symbols_at_every_stone_size_tell_the_six_colours_apart_in_grey():
    for size in (15, 18, 21, 24):
        for form in (1, 0):
            check_symbols("symbols_%s_%d" % ("round" if form else "square", size), form, size)


def test_outline_and_symbols_at_150_percent():
    with Screen(dpi=144):
        check_show_groups("show_groups_square_15_at_144dpi", 0, 15, 1000, "%d in group")
        check_show_groups("show_groups_round_24_at_144dpi", 1, 24, 0, "%d en groupe")
        check_symbols("symbols_round_15_at_144dpi", 1, 15)
        check_symbols("symbols_square_24_at_144dpi", 0, 24)


def test_both_options_kept_across_a_restart_and_a_file_of_before_reads_with_both_off():
    columns, rows, size = 12, 10, 21
    before = settings_file(columns=columns, rows=rows, size=size, form=0, scores=[(540, "Zizu"), (300, " ")])
    plain, marked = expected_strip(0, size, size), expected_strip(0, size, size, symbols=True)
    point_away()
    with Game("options_before", settings=before) as game:
        game.wait_window()
        wait_pictures(game, plain, columns, rows, "a file of before")
        point_at(game, 3, 3)
        time.sleep(0.3)
        assert len(status(game)) == 4 and outline_on_screen(game, columns, rows) == {}
        point_away()
        game.command(CMD_SHOW_GROUPS)
        game.command(CMD_SYMBOLS)
        wait_pictures(game, marked, columns, rows, "both on")
        game.open_menu("o")
        time.sleep(0.3)
        game.screenshot("options_menu_checked_en")
        game.key("Escape", "Escape")
        game.command(102)
        assert game.wait_exit() == 0
        written = game.settings_text()
    # One more line after the scores; the seven settings and the scores as before.
    assert written == before + "options=3\r\n", written
    assert parse_settings(written) == parse_settings(before)

    point_away()
    with Game("options_after", settings=written) as game:
        game.wait_window()
        wait_pictures(game, marked, columns, rows, "symbols kept")
        image = game.capture()
        assert wait_until(lambda: len(status(game)) == 5, 3, 0.1), status(game)
        # The group's field stands at the right end of the window laid out
        # (its width the same as when the option is ticked in the window).
        group_field = lambda: game.rect()["client_size"][0] - game.rect()["status_parts"][3]
        at_start = group_field()
        game.command(CMD_SHOW_GROUPS)
        assert wait_until(lambda: len(status(game)) == 4, 3, 0.1), status(game)
        game.command(CMD_SHOW_GROUPS)
        assert wait_until(lambda: len(status(game)) == 5, 3, 0.1) and group_field() == at_start, (at_start, group_field())
        point_at(game, 0, rows - 1)  # kept too: the group under the pointer is outlined
        slots = [[cell_slot(image, marked, c + 1, r + 1) for r in range(rows)] for c in range(columns)]
        wait_outline(game, columns, rows, expected_outline(slots, 0, rows - 1), "groups kept")
        game.command(202)  # French: the menu's texts and check marks
        game.open_menu("o")
        time.sleep(0.3)
        game.screenshot("options_menu_checked_fr")
        game.key("Escape", "Escape")
        game.command(CMD_SHOW_GROUPS)
        game.command(CMD_SYMBOLS)
        wait_pictures(game, plain, columns, rows, "both off")
        game.command(202)
        game.command(102)
        assert game.wait_exit() == 0
        assert game.settings_text() == before
