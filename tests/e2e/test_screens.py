"""End-to-end tests of the game on the screens players have: scales of 125,
150 and 200 % (120, 144 and 192 DPI), the window metrics and fonts of
Windows 10, a taskbar that takes the bottom of the screen, and a screen of
1280 x 720 pixels too small for the largest board at its stone size.

On each screen, for a small board and the largest one: the client area
holds exactly the grid and the status bar, the menu bar is one line, the
window lies inside the work area, the stones are drawn at the stone size
times the scale (or at the largest side that lets the grid fit), the status
fields hold their numbers, the board comes back whole after something was
drawn over it, and the last stone of the last row can be clicked and its
group goes. The window answers the system's question of its size at a
scale with the size the grid needs, and the message of a change of scale
lays it out at the rectangle the system then suggests, the game going on.
Every message of a change of the screen (monitors, work area, metrics and
fonts, theme) lays a window pushed partly off the screen out again inside
the work area; a change of scale while the window is minimized never moves
it, and is laid out once the window is restored. (Under Wine a running
window's menu bar keeps its font and the monitor's work area does not
change: the layout's arithmetic for those is unit-tested.) Then the six
dialogs in both languages lie inside the work area, centred over the game,
with no text running out of its control and the arrows beside their boxes
(Wine draws even a bitmap font scaled: that every box is in the shell's
scalable font is checked on the resource script); the help window opens
inside the work area at the scale, its links in the system's link colour.
Each screen restarts Wine twice, so each gets one test; the screen of the
run itself (96 DPI, classic metrics) has its own for the dialogs and the
help."""
import subprocess

import pictures
import rules
import test_help
from dialog_helpers import (CMD_ABOUT, CMD_BEST_SCORES, CMD_SETTINGS, assert_centred, open_dialog,
                            open_dialogs, play_to_the_end, wait_closed, wait_dialog)
from harness import SHOTS, Game, Image, Screen, probe, settings_file, wait_until

CMD_NEW_GAME, CMD_QUIT, CMD_BOARD_NUMBER = 100, 102, 104
WM_SETTINGCHANGE, WM_DISPLAYCHANGE, WM_THEMECHANGED = 0x001A, 0x007E, 0x031A
SPI_SETNONCLIENTMETRICS, SPI_SETWORKAREA = 0x002A, 0x002F
# What the system sends every window when the screen changes while the game
# runs: the monitors or their resolution, the work area, the metrics and
# fonts, the theme.
SCREEN_CHANGES = [("WM_DISPLAYCHANGE", WM_DISPLAYCHANGE, 32, 1024 << 16 | 1280),
                  ("SPI_SETWORKAREA", WM_SETTINGCHANGE, SPI_SETWORKAREA, 0),
                  ("SPI_SETNONCLIENTMETRICS", WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0),
                  ("WM_THEMECHANGED", WM_THEMECHANGED, 0, 0)]
INK = 100  # a text's pixels are darker than this on every channel
NUMBER_FIELDS = [(555, 558), (556, 559), (557, 560)]  # the settings' edit boxes and their arrows
HELP_WIDTH, HELP_HEIGHT = 560, 620  # the help window at 100 %


def scaled(size, dpi):
    return (size * dpi + 48) // 96


def drawn_side(rect, columns):
    return rect["client_size"][0] // columns


def check_window(game, columns, rows, wanted):
    """The window's size, place and menu bar; returns its rect, with the side
    the stones are drawn at."""
    return check_rect(game.name, game.wait_window(), columns, rows, wanted)


def check_rect(name, rect, columns, rows, wanted):
    """The window as the probe read it: the client area holds exactly the grid
    and the status bar, the menu bar is one line, the window lies inside the
    work area, and the stones are drawn at the side wanted or at the largest
    that lets the window fit. Returns the rect, with that side."""
    side = drawn_side(rect, columns)
    rect["side"] = side
    width, height = rect["client_size"]
    assert (width, height) == (columns * side, rows * side + rect["status_height"]), \
        "%s: the client area %s is not the grid at %d px and the status bar (%d px)" % (
            name, rect["client_size"], side, rect["status_height"])
    left, top, right, bottom = rect["window"]
    assert rect["client_origin"][1] - top == -rect["one_line_frame"][1], \
        "%s: the menu bar is not one line: %s" % (name, rect)
    area_left, area_top, area_right, area_bottom = rect["work_area"]
    assert area_left <= left and area_top <= top and right <= area_right and bottom <= area_bottom, \
        "%s: the window %s is not inside the work area %s" % (name, rect["window"], rect["work_area"])
    # The stone size at the scale, or the largest side at which the window fits.
    extra_width, extra_height = right - left - columns * side, bottom - top - rows * side
    one_more_fits = (columns * (side + 1) + extra_width <= area_right - area_left
                     and rows * (side + 1) + extra_height <= area_bottom - area_top)
    assert side == wanted or (side < wanted and not one_more_fits), \
        "%s: stones of %d px where %d are asked (%s)" % (name, side, wanted, rect)
    return rect


def check_status_fields(game):
    """Each number field is at least 30 pixels at 100 %, scaled, and its text
    ends clear of the field's right edge (a clipped text runs into it)."""
    rect = game.rect()
    parts = rect["status_parts"]
    least = 30 * rect["dpi"] // 96
    assert parts[0] >= least and all(b - a >= least for a, b in zip(parts, parts[1:3])), parts
    image = game.capture()
    top = rect["client_size"][1] - rect["status_height"]
    for left, right in zip(parts[0:2], parts[1:3]):
        ink = [x for x in range(left, right) for y in range(top, image.height)
               if max(image.pixel(x, y)) < INK]
        assert ink and max(ink) < right - 3, "%s: the field [%d, %d) is too narrow for its text" % (
            game.name, left, right)


def check_sharp_stones(game, columns, rows, side, size, form):
    """Every cell is exactly one of the pictures the painter draws at that
    side (not a smaller picture stretched), also after something was drawn
    over the board, which the game paints over again at once."""
    strip = pictures.expected_strip(form, size, side)
    before = game.board(columns, rows, side)
    unmatched = pictures.unmatched_cells(game.capture(), strip, columns, rows, pictures.STONE_SLOTS)
    assert not unmatched, "%s: cells not drawn sharp at %d px: %s" % (game.name, side, unmatched[:10])
    assert probe("cover"), "the board could not be covered"
    # The game paints again at once, but its drawing reaches the X server a
    # moment later under load: wait on the pixels.
    unmatched = []

    def painted_again():
        unmatched[:] = pictures.unmatched_cells(game.capture(), strip, columns, rows, pictures.STONE_SLOTS)
        return not unmatched
    wait_until(painted_again, 10, 0.1)
    assert not unmatched, "%s: cells not painted again after a cover: %s" % (game.name, unmatched[:10])
    assert game.board(columns, rows, side) == before


def check_scale_change(game, columns, rows, side):
    """Asked its size at its scale before a change of scale, the window
    answers the size it has, and then takes the rectangle the system
    suggests from it exactly. A suggestion of a wrong size puts it at the
    place suggested, sized to the grid again. The game goes on: the same
    board, the same status fields."""
    before, fields = game.board(columns, rows, side), game.status()
    rect = game.rect()
    area, (left, top, right, bottom) = rect["work_area"], rect["window"]
    answer = probe("scaledsize", rect["dpi"])
    assert answer == {"answered": 1, "size": [right - left, bottom - top]}, (answer, rect["window"])
    width, height = right - left, bottom - top
    x, y = area[0] + (area[2] - area[0] - width) // 3, area[1] + (area[3] - area[1] - height) // 3
    suggested = [x, y, x + width, y + height]  # inside the work area, as the system would suggest
    assert probe("dpichanged", *suggested)
    taken = check_window(game, columns, rows, side)["window"]
    assert taken == suggested, "the suggested %s became %s" % (suggested, taken)
    suggested = [area[0] + 10, area[1] + 10, area[0] + 110, area[1] + 110]  # a size the system got wrong
    assert probe("dpichanged", *suggested)
    rect = check_window(game, columns, rows, side)
    left, top = rect["window"][:2]
    assert (left, top) == (suggested[0], suggested[1]) or rect["window"][3] == area[3], rect["window"]
    # Laid out again, the window's pixels follow under load a moment later.
    same = wait_until(lambda: game.status() == fields and game.board(columns, rows, side) == before, 5, 0.1)
    assert same, "after the change of scale: %s, %s" % (game.status(), fields)


def outside(rect, area):
    return rect[2] > area[2] and rect[3] > area[3]


def check_screen_changes(game, columns, rows, side):
    """Each message of a change of the screen lays the window out again: a
    window pushed partly off the screen comes back inside the work area,
    its client area exactly the grid and the status bar."""
    steps = probe("screenchanges", *[number for _, *change in SCREEN_CHANGES for number in change])
    assert steps, "the changes of the screen could not be sent"
    for (name, *_), step in zip(SCREEN_CHANGES, steps):
        assert outside(step["pushed"], step["after"]["work_area"]), "%s: not pushed off: %s" % (name, step)
        check_rect("%s after %s" % (game.name, name), step["after"], columns, rows, side)


def check_minimized_change(game, columns, rows, side):
    """A change of scale while the window is minimized moves nothing, not
    even to the place the system suggests; the window, restored, is laid
    out: pushed partly off the screen before, it comes back inside."""
    steps = probe("minimizedchange")
    assert steps, "the change while minimized could not be sent"
    minimized, changed = steps["minimized"], steps["changed"]
    assert minimized["minimized"] and changed["minimized"], steps
    assert changed["window"] == minimized["window"], "moved while minimized: %s" % steps
    assert outside(steps["pushed"], minimized["work_area"]) and not steps["restored"]["minimized"], steps
    check_rect(game.name + " restored", steps["restored"], columns, rows, side)


def click_last_stone(game, columns, rows, side):
    """Clicks the stone of the last column in the last row, on a board where
    it lies in a group (new boards are dealt until one does), and checks that
    its group goes."""
    board = game.board(columns, rows, side)
    for _ in range(12):
        if len(rules.group_at(board, columns - 1, rows - 1)) >= 2:
            break
        # Boards are dealt from the clock's seconds: a deal within the same
        # second gives the same board, so new games are asked until another shows.
        dealt = board
        for _ in range(5):
            game.command(CMD_NEW_GAME)
            board = wait_until(lambda: (lambda b: b if b != dealt else None)(game.board(columns, rows, side)), 1.5, 0.2)
            if board:
                break
        assert board, "%s: no new board was dealt" % game.name
    else:
        raise AssertionError("no board had the last stone in a group")
    game.click_client((columns - 1) * side + side // 2, (rows - 1) * side + side // 2)
    expected = rules.apply_click(board, columns - 1, rows - 1)
    assert wait_until(lambda: game.board(columns, rows, side) == expected, 5, 0.2), \
        "%s: the group of the last stone did not go" % game.name
    left = str(columns * rows - len(rules.group_at(board, columns - 1, rows - 1)))
    assert wait_until(lambda: game.status()[2] == left, 3, 0.1), game.status()


def play_on_screen(name, dpi, boards):
    """Every check, for each board (columns, rows, stone size, form)."""
    for columns, rows, size, form in boards:
        label = "%s_%dx%d_%dpx" % (name, columns, rows, size)
        settings = settings_file(columns=columns, rows=rows, size=size, form=form, colours=6 if form else 3)
        with Game(label, settings=settings) as game:
            side = check_window(game, columns, rows, scaled(size, dpi))["side"]
            game.focus()
            game.screenshot(label)
            game.screenshot(label + "_window", window_only=True)  # the README's pictures at 100 and 150 %
            check_status_fields(game)
            check_sharp_stones(game, columns, rows, side, size, form)
            check_scale_change(game, columns, rows, side)
            check_screen_changes(game, columns, rows, side)
            check_minimized_change(game, columns, rows, side)
            if form == 0:  # the rules of the test know square stones
                click_last_stone(game, columns, rows, side)
            game.command(CMD_QUIT)
            assert game.wait_exit() == 0
        # The stone size chosen is written back as it was, whatever was drawn.
        assert game.settings_text().split("\r\n")[3] == "size=%d" % size


SMALL_AND_LARGEST = [(10, 15, 15, 1), (31, 31, 24, 0)]


def test_at_125_percent():
    with Screen(dpi=120):
        play_on_screen("screen_120dpi", 120, SMALL_AND_LARGEST)
        dialogs_on_screen("screen_120dpi", 120)
        help_on_screen("screen_120dpi", 120)


def test_at_150_percent_with_the_metrics_of_windows_10_and_a_taskbar():
    with Screen(dpi=144, windows10=True, taskbar=True):
        play_on_screen("screen_144dpi_windows10", 144, [(12, 10, 24, 1), (31, 31, 24, 0)])
        dialogs_on_screen("screen_144dpi_windows10", 144)
        help_on_screen("screen_144dpi_windows10", 144)


def test_at_200_percent():
    with Screen(dpi=192):
        play_on_screen("screen_192dpi", 192, SMALL_AND_LARGEST)
        dialogs_on_screen("screen_192dpi", 192)
        help_on_screen("screen_192dpi", 192)


def test_largest_board_on_1280_by_720_with_a_taskbar():
    with Screen(desktop="1280x720", taskbar=True):
        play_on_screen("screen_1280x720", 96, [(31, 31, 24, 0)])


# ---- Dialogs and help -----------------------------------------------------

def screen_image():
    path = SHOTS + "/screen.ppm"
    subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True, timeout=30)
    return Image(path)


def inside(rect, area):
    return area[0] <= rect[0] and area[1] <= rect[1] and rect[2] <= area[2] and rect[3] <= area[3]


def check_box(game, texts, work_area):
    """A dialog inside the work area, centred over the game, whose texts end
    inside their controls: no ink in the last two columns of a label, a
    check box, a radio button or a group box's title."""
    assert inside(texts["rect"], work_area), "%r lies outside the work area %s" % (texts["title"], work_area)
    assert_centred(game, texts)
    game.focus(window_rect=texts["rect"])
    image = screen_image()
    for item in texts["controls"]:
        text = item["text"]
        if not text or text.startswith("\uffff") or item["class"] not in ("Button", "Static") or item["id"] == 1:
            continue
        left, top, right, bottom = item["rect"]
        if item["class"] == "Button" and item["id"] in (128, 129, 202):
            continue  # push buttons: their frame is dark, their text centred
        edge = [(x, y) for x in (right - 2, right - 1) for y in range(top, bottom)
                if max(image.pixel(x, y)) < INK]
        assert not edge, "%s: the text %r runs out of its control %s" % (game.name, text, item["rect"])


def check_arrows(texts, dpi):
    """Each number box has its arrows beside it, as tall as it and at least
    as wide as 16 pixels at 100 %."""
    controls = {item["id"]: item["rect"] for item in texts["controls"]}
    for edit, arrows in NUMBER_FIELDS:
        box, pair = controls[edit], controls[arrows]
        assert (pair[1], pair[3]) == (box[1], box[3]) and abs(pair[0] - box[2]) <= 2, (box, pair)
        assert pair[2] - pair[0] >= 16 * dpi // 96, pair


def dialogs_on_screen(name, dpi):
    """The six dialogs in both languages: the four of the menus, then the
    congratulations and the name entry at the end of a quick game."""
    for lang, language in ((0, "fr"), (1000, "en")):
        label = "%s_dialogs_%s" % (name, language)
        settings = settings_file(columns=10, rows=10, size=15, form=0, colours=2, lang=lang)
        with Game(label, settings=settings) as game:
            work_area = game.wait_window()["work_area"]
            game.use_drawn_side()
            for command, shot in ((CMD_SETTINGS, "settings"), (CMD_BOARD_NUMBER, "board_number"),
                                  (CMD_BEST_SCORES, "scores"), (CMD_ABOUT, "about")):
                texts = open_dialog(game, command)
                check_box(game, texts, work_area)
                if command == CMD_SETTINGS:
                    check_arrows(texts, dpi)
                game.screenshot("%s_%s" % (label, shot))
                game.key("Escape", window_rect=texts["rect"])
                wait_closed(game)
            play_to_the_end(game)
            for shot in ("congratulations", "name"):
                texts = wait_dialog(game)
                check_box(game, texts, work_area)
                game.screenshot("%s_%s" % (label, shot))
                game.key("Return", window_rect=texts["rect"])
                assert wait_until(lambda: texts["title"] not in [w["title"] for w in open_dialogs(game)], 5, 0.1)


def help_on_screen(name, dpi):
    """The help window opens at the scale inside the work area of the game's
    monitor, its links drawn in the system's link colour."""
    with Game(name + "_help", settings=settings_file(lang=1000)) as game:
        rect = game.wait_window()
        game.focus()
        game.key("F1")
        window = test_help.wait_contents(game)
        work = rect["work_area"]
        left, top, right, bottom = window["rect"]
        assert inside(window["rect"], work), (window["rect"], work)
        assert right - left == min(HELP_WIDTH * dpi // 96, work[2] - work[0]), window["rect"]
        assert bottom - top == min(HELP_HEIGHT * dpi // 96, work[3] - work[1]), window["rect"]
        game.focus()  # no caret in the help text
        game.screenshot(name + "_help")
        image = screen_image()
        lines = test_help.paragraphs(window)
        first = sum(len(text) + 1 for text in lines[:lines.index("How to play")])
        x, y = probe("charpos", test_help.HELP_CLASS, test_help.HELP_TEXT, first)
        link = {image.pixel(x + dx, y + dy) for dx in range(40) for dy in range(16 * dpi // 96)}
        colour = tuple(rect["link_colour"])
        if sum(colour) < 3 * 160:  # a link colour that reads on the white page: that one
            assert colour in link, "no pixel of the link colour %s in the link" % (colour,)
        else:  # a pale one (Wine's own scheme): links in a colour that reads
            assert [p for p in link if max(p) < INK], "the link is not readable: %s" % sorted(link)[:5]
        test_help.quit_at_once(game)


def test_at_100_percent():
    play_on_screen("screen_96dpi", 96, [(12, 10, 24, 1)])
    dialogs_on_screen("screen_96dpi", 96)
    help_on_screen("screen_96dpi", 96)
