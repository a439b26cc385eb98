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
group goes. Each screen restarts Wine twice, so each gets one test."""
import pictures
import rules
from harness import Game, Screen, probe, settings_file, wait_until

CMD_NEW_GAME, CMD_QUIT = 100, 102
INK = 100  # a status text's pixels are darker than this on every channel


def scaled(size, dpi):
    return (size * dpi + 48) // 96


def drawn_side(rect, columns):
    return rect["client_size"][0] // columns


def check_window(game, columns, rows, wanted):
    """The window's size, place and menu bar; returns the side the stones are drawn at."""
    rect = game.wait_window()
    side = drawn_side(rect, columns)
    width, height = rect["client_size"]
    assert (width, height) == (columns * side, rows * side + rect["status_height"]), \
        "%s: the client area %s is not the grid at %d px and the status bar (%d px)" % (
            game.name, rect["client_size"], side, rect["status_height"])
    left, top, right, bottom = rect["window"]
    assert rect["client_origin"][1] - top == -rect["one_line_frame"][1], \
        "%s: the menu bar is not one line: %s" % (game.name, rect)
    area_left, area_top, area_right, area_bottom = rect["work_area"]
    assert area_left <= left and area_top <= top and right <= area_right and bottom <= area_bottom, \
        "%s: the window %s is not inside the work area %s" % (game.name, rect["window"], rect["work_area"])
    # The stone size at the scale, or the largest side at which the window fits.
    extra_width, extra_height = right - left - columns * side, bottom - top - rows * side
    one_more_fits = (columns * (side + 1) + extra_width <= area_right - area_left
                     and rows * (side + 1) + extra_height <= area_bottom - area_top)
    assert side == wanted or (side < wanted and not one_more_fits), \
        "%s: stones of %d px where %d are asked (%s)" % (game.name, side, wanted, rect)
    return side


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
    unmatched = pictures.unmatched_cells(game.capture(), strip, columns, rows, pictures.STONE_SLOTS)
    assert not unmatched, "%s: cells not painted again after a cover: %s" % (game.name, unmatched[:10])
    assert game.board(columns, rows, side) == before


def click_last_stone(game, columns, rows, side):
    """Clicks the stone of the last column in the last row, on a board where
    it lies in a group (new boards are dealt until one does), and checks that
    its group goes."""
    for _ in range(20):
        board = game.board(columns, rows, side)
        if len(rules.group_at(board, columns - 1, rows - 1)) >= 2:
            break
        game.command(CMD_NEW_GAME)
        wait_until(lambda: game.status() and game.status()[0] == "", 5, 0.1)
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
        settings = settings_file(columns=columns, rows=rows, size=size, form=form, colours=3)
        with Game(label, settings=settings) as game:
            side = check_window(game, columns, rows, scaled(size, dpi))
            game.focus()
            game.screenshot(label)
            check_status_fields(game)
            check_sharp_stones(game, columns, rows, side, size, form)
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


def test_at_150_percent_with_the_metrics_of_windows_10_and_a_taskbar():
    with Screen(dpi=144, windows10=True, taskbar=True):
        play_on_screen("screen_144dpi_windows10", 144, [(12, 10, 24, 1), (31, 31, 24, 0)])


def test_at_200_percent():
    with Screen(dpi=192):
        play_on_screen("screen_192dpi", 192, SMALL_AND_LARGEST)


def test_largest_board_on_1280_by_720_with_a_taskbar():
    with Screen(desktop="1280x720", taskbar=True):
        play_on_screen("screen_1280x720", 96, [(31, 31, 24, 0)])
