"""End-to-end tests of the main window: its size and place, the status bar,
the board on the screen and what clicks, keys and menu commands do to it,
the roads out of the program and the settings file they leave, the language
switch, accents under a non-Western code page, and the error box for a
settings file that cannot be opened."""
import subprocess
import time

import pictures
import rules
from harness import (COLOURS, Game, PROBE, WM_LBUTTONDOWN, parse_settings, probe, settings_file,
                     wait_until, wine)

STONE_COLOURS = set(COLOURS) - {"blank"}
ENGLISH_KEYS = ["maxi_x", "maxi_y", "form", "size", "lang", "colors", "sound"]
FRENCH_KEYS = ["maxi_x", "maxi_y", "form", "larg", "lang", "couleurs", "son"]


def assert_layout(game, rect, columns, rows, size):
    """The window fits the grid and stands in the middle of the screen."""
    left, top, right, bottom = rect["window"]
    width, height = right - left, bottom - top
    assert width == columns * size + 6, (width, columns, size)
    assert height == rect["menu_height"] + rect["caption_height"] + rows * size + 26, (height, rect)
    screen_w, screen_h = rect["screen"]
    assert left == max(0, (screen_w - width) // 2) and top == max(0, (screen_h - height) // 2), rect


def assert_full_board(board, columns, rows):
    assert len(board) == columns and all(len(col) == rows for col in board)
    strays = [(c + 1, r + 1, v) for c, col in enumerate(board) for r, v in enumerate(col) if v not in STONE_COLOURS]
    assert not strays, "cells not showing a stone: %s" % strays[:10]


def settled_board(game):
    """The board once the move's animation is over: two equal reads in a row."""
    previous = None
    for _ in range(20):
        time.sleep(0.15)
        board = game.board()
        if board == previous:
            return board
        previous = board
    raise AssertionError("the board never settled")


def quit_by_menu(game, first_menu_key):
    """Quit through the menu with the keyboard: the last item of the first menu."""
    game.open_menu(first_menu_key)
    game.key("Up", "Return")


def test_first_start_without_settings_file():
    with Game("first_start") as game:
        rect = game.wait_window()
        assert rect["title"] == "Glimmets"
        assert_layout(game, rect, 10, 15, 15)
        board = game.board()
        assert_full_board(board, 10, 15)
        assert game.status() == ["", "150", "150", str(rules.playable(board))]
        game.screenshot("first_start")
        quit_by_menu(game, "g")  # "&Game": English without a settings file
        assert game.wait_exit() == 0
        assert [line.split("=")[0] for line in game.settings_text().split("\r\n")[:7]] == ENGLISH_KEYS
        assert parse_settings(game.settings_text())["maxi_x"] == 10


def caption_glyphs(image, rect):
    """The dark pixels drawn on the caption buttons, as one set of (x, y)
    per button from left to right (a disabled button draws none)."""
    frame = (image.width - rect["client_size"][0]) // 2
    caption = rect["caption_height"]
    left = image.width - frame - 3 * caption - 6
    ink = {(x, y) for x in range(left, image.width - frame) for y in range(frame, frame + caption)
           if max(image.pixel(x, y)) < 60}
    glyphs, previous = [], None
    for x in sorted({x for x, _ in ink}):
        if previous is None or x > previous + 1:
            glyphs.append(set())
        glyphs[-1] |= {p for p in ink if p[0] == x}
        previous = x
    return glyphs


def test_caption_buttons_show_their_symbols():
    # Without Wine's symbol font the buttons show the letters that stand
    # for the symbols: "0" for minimize, "r" for close.
    with Game("caption_buttons") as game:
        rect = game.wait_window()
        glyphs = caption_glyphs(game.capture(whole_window=True), rect)
        game.screenshot("caption_buttons", window_only=True)
        assert len(glyphs) >= 2, "no symbols on the caption buttons: %s" % glyphs
        minimize, close = glyphs[0], glyphs[-1]
        hint = "the caption buttons show letters (is Wine's Marlett font in the prefix? see scripts/wine-env.sh)"
        xs, ys = [x for x, _ in close], [y for _, y in close]
        mirrored = {(min(xs) + max(xs) - x, y) for x, y in close}
        flipped = {(x, min(ys) + max(ys) - y) for x, y in close}
        assert len(close) >= 8 and max(xs) - min(xs) >= 4, hint  # a cross, not a stroke of a letter
        assert close == mirrored == flipped and abs((max(xs) - min(xs)) - (max(ys) - min(ys))) <= 1, hint
        xs, ys = [x for x, _ in minimize], [y for _, y in minimize]
        assert max(ys) - min(ys) <= 2 and max(xs) - min(xs) >= 3, hint  # a flat bar
        game.command(102)
        assert game.wait_exit() == 0


def test_every_stone_size_and_form_shows_its_pictures():
    cases = [(31, 31, 24, 1), (31, 31, 24, 0)] + [(12, 10, size, form) for size in (15, 18, 21) for form in (1, 0)]
    for columns, rows, size, form in cases:
        name = "size_%d_%s_%dx%d" % (size, "round" if form else "square", columns, rows)
        with Game(name, settings=settings_file(columns=columns, rows=rows, size=size, form=form)) as game:
            rect = game.wait_window()
            assert_layout(game, rect, columns, rows, size)
            assert_full_board(game.board(), columns, rows)
            # Every cell is exactly one of the stone pictures the painter draws.
            strip = pictures.expected_strip(form, size, size)
            unmatched = pictures.unmatched_cells(game.capture(), strip, columns, rows, pictures.STONE_SLOTS)
            assert not unmatched, "cells not drawn as the painter's pictures: %s" % unmatched[:10]
            game.screenshot(name)
            game.command(102)
            assert game.wait_exit() == 0


def test_clicks_follow_the_rules_undo_and_new_game():
    columns, rows = 12, 10
    with Game("clicks", settings=settings_file(columns=columns, rows=rows, size=24, form=0, colours=4)) as game:
        game.wait_window()
        board = game.board()
        assert_full_board(board, columns, rows)
        left = columns * rows

        # Left, right and middle presses each remove a group by the rules.
        history = []
        for move, button in enumerate((1, 3, 2)):
            group = rules.groups(board)[0]
            assert len(group) >= 2, "no group to play"
            column, row = group[0]
            game.click_cell(column + 1, row + 1, button)
            if move == 0:
                # The first press starts the clock: its first tick shows 0'01.
                clicked = time.monotonic()
                clock = wait_until(lambda: game.status()[0], 3, 0.05)
                assert clock == "0'01" and time.monotonic() - clicked < 2.2, clock
            expected = rules.apply_click(board, column, row)
            after = settled_board(game)
            assert after == expected, "button %d at (%d, %d): screen differs from the rules" % (button, column + 1, row + 1)
            left -= len(group)
            status = game.status()
            assert status[1:] == [str(columns * rows), str(left), str(rules.playable(after))], status
            history.append(board)
            board = after

        # A lone stone and a press below the grid change nothing.
        lone = [g for g in rules.groups(board) if len(g) == 1]
        if lone:
            game.click_cell(lone[0][0][0] + 1, lone[0][0][1] + 1)
            assert settled_board(game) == board
        game.post(WM_LBUTTONDOWN, 0, ((rows * 24 + 3) << 16) | 5)
        game.click_client(5, rows * 24 + 3)
        assert settled_board(game) == board
        assert game.status()[2] == str(left)

        # The clock goes on; Ctrl+Z takes the last move back.
        assert wait_until(lambda: game.status()[0] >= "0'03", 4, 0.2)
        game.key("ctrl+z")
        assert settled_board(game) == history[-1]

        # F2 deals a new board and empties the clock field.
        game.key("F2")
        total = str(columns * rows)
        assert wait_until(lambda: game.status()[2] == total, 5, 0.1), "F2 dealt no new game: %s" % game.status()
        fresh = settled_board(game)
        assert_full_board(fresh, columns, rows)
        assert fresh != history[-1]
        assert game.status() == ["", str(columns * rows), str(columns * rows), str(rules.playable(fresh))]
        game.screenshot("after_new_game")
        game.command(102)
        assert game.wait_exit() == 0


def close_box(game):
    left, top, right, _ = game.rect()["window"]
    game.click_screen(right - 10, top + 12)


def system_menu_close(game):
    game.open_menu("space")
    game.key("c")  # the system menu's "&Close"


def test_every_road_out_writes_the_settings_in_the_current_language():
    roads = [("close_box", close_box), ("alt_f4", lambda game: game.key("alt+F4")),
             ("system_menu", system_menu_close)]
    for index, (name, road) in enumerate(roads):
        lang = 0 if index % 2 == 0 else 1000
        with Game("road_" + name, settings=settings_file(columns=11, rows=12, lang=lang, colours=5)) as game:
            game.wait_window()
            road(game)
            assert game.wait_exit() == 0, name
            text = game.settings_text()
            keys = [line.split("=")[0] for line in text.split("\r\n")[:7]]
            assert keys == (FRENCH_KEYS if lang == 0 else ENGLISH_KEYS), (name, text)
            assert parse_settings(text)["maxi_x"] == 11 and parse_settings(text)["couleurs" if lang == 0 else "colors"] == 5


def menu_bar_ink(game):
    """Columns of the menu bar that hold dark (text) pixels."""
    image = game.capture(whole_window=True)
    rect = game.rect()
    frame = (image.width - rect["client_size"][0]) // 2
    top = frame + rect["caption_height"]
    ink = set()
    for y in range(top + 2, top + rect["menu_height"] - 2):
        for x in range(frame, image.width - frame):
            if sum(image.pixel(x, y)) < 200:
                ink.add(x)
    return ink, image.width - frame


def test_language_switch_keeps_the_title_and_the_help_menu_at_the_right():
    with Game("language", settings=settings_file(columns=20, rows=10, size=24, lang=0)) as game:
        game.wait_window()
        french, right_edge = menu_bar_ink(game)
        game.screenshot("language_french")
        game.command(202)
        english = wait_until(lambda: (lambda ink: ink if ink != french else None)(menu_bar_ink(game)[0]), 5, 0.2)
        game.screenshot("language_english")
        game.focus()  # in front, as the player sees it
        game.screenshot("glimmets_window", window_only=True)  # the picture of the README
        assert game.rect()["title"] == "Glimmets"
        assert english, "the menu texts did not change"
        for ink in (french, english):
            assert max(ink) > right_edge - 20, "the help menu left the right end of the bar"
            middle = range(right_edge * 2 // 5, right_edge * 3 // 4)
            assert not ink & set(middle), "the help menu is not apart at the right"
        game.command(202)
        assert wait_until(lambda: menu_bar_ink(game)[0] == french, 5, 0.2), "the French menu did not come back"
        game.command(202)
        game.command(102)
        assert game.wait_exit() == 0
        assert [line.split("=")[0] for line in game.settings_text().split("\r\n")[:7]] == ENGLISH_KEYS


def options_menu_pixels(name, lang):
    """The open Options menu of a French game under the given LANG, as pixels."""
    with Game(name, settings=settings_file(columns=20, rows=12, size=24, lang=0), lang=lang) as game:
        rect = game.wait_window()
        assert rect["title"] == "Glimmets"
        game.open_menu("o")
        time.sleep(0.3)
        shot = game.screenshot(name)
        # Only the drop-down menu: the boards of the two runs differ.
        left, top, right, bottom = [w for w in game.windows() if w["class"] == "#32768"][0]["rect"]
        pixels = subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                                 "rgb:-"], capture_output=True, check=True).stdout
        game.key("Escape", "Escape")
        game.command(102)
        assert game.wait_exit() == 0
        return pixels


def test_accents_show_right_under_a_cyrillic_code_page():
    western = options_menu_pixels("accents_cp1252", "en_US.UTF-8")
    cyrillic = options_menu_pixels("accents_cp1251", "ru_RU.UTF-8")
    # "Paramètres du jeu" must read the same: under code page 1251 an ANSI
    # call would show the "è" byte as a Cyrillic letter.
    assert western == cyrillic, "the menu differs under code page 1251 (see shots accents_cp125x.png)"


def test_settings_file_that_cannot_be_opened_stops_with_an_error_box():
    original = settings_file(columns=13, rows=11).encode("cp1252")
    game = Game("locked", settings=original)
    lock = subprocess.Popen(["wine", PROBE, "lock", game.settings_path.replace("/", "\\"), "60"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        assert lock.stdout.readline().strip() == b'"locked"'
        with game:
            box = wait_until(lambda: [w for w in game.windows() if w["class"] == "#32770"], 20, 0.2)
            assert box, "no error box"
            assert box[0]["title"].startswith("Glimmets"), box
            assert not [w for w in game.windows() if w["class"] == "GLIMMETS"], "a window came before the box"
            texts = game.texts("#32770")
            message = [c["text"] for c in texts["controls"] if c["text"].startswith("Erreur")]
            assert message and message[0].startswith("Erreur à l'ouverture du fichier : "), texts
            assert message[0].endswith("Glimmets.ini"), message
            game.screenshot("locked_settings_file")
            game.focus(box[0]["rect"])
            game.key("Return")
            assert game.wait_exit() == 1
    finally:
        lock.kill()
        lock.wait()
    assert game.settings_bytes() == original


def test_the_board_paints_again_the_part_the_system_asks_for():
    # A trace left over the board (from the middle of cell 2,2 to the middle of
    # cell 5,4) stays until the system asks the window to paint that part.
    columns, rows, size = 12, 10, 24
    with Game("paint", settings=settings_file(columns=columns, rows=rows, size=size, form=1)) as game:
        game.wait_window()
        strip = pictures.expected_strip(1, size, size)
        before = game.capture()
        assert not pictures.unmatched_cells(before, strip, columns, rows, pictures.STONE_SLOTS)
        half = size // 2
        trace = [size + half, size + half, 4 * size + half, 3 * size + half]
        assert probe("trace", *trace)
        # Drawn inside the game, the trace reaches the X server a moment later.
        crossed = [(c, r) for c in range(2, 6) for r in range(2, 5)]
        traced = wait_until(lambda: (lambda cells: cells if cells == crossed else None)(
            pictures.unmatched_cells(game.capture(), strip, columns, rows)), timeout=5)
        assert traced == crossed, pictures.unmatched_cells(game.capture(), strip, columns, rows)
        assert probe("trace", *trace, "redraw")
        painted = wait_until(lambda: (lambda image: image if image.pixels == before.pixels else None)(game.capture()),
                             timeout=5)
        game.screenshot("paint_after_trace", window_only=True)
        assert painted, "the trace is still on the board: %s" % pictures.unmatched_cells(
            game.capture(), strip, columns, rows)
        game.command(102)
        assert game.wait_exit() == 0
