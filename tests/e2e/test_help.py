"""End-to-end tests of the help: F1 and the Help menu's Help item open the
system help viewer on the contents topic of Glimmets.hlp, a jump leads to a
topic whose accents show the same under a Cyrillic code page as under a
Western one, and ending the game closes the viewer.

The viewer draws its text itself, so the tests read it from the screen: jumps
are drawn in green, one line each in the contents topic (7 French, 7 English),
and a topic's text area is compared pixel for pixel between two locales."""
import os
import subprocess

from harness import SHOTS, Game, Image, settings_file, wait_until

HELP_CAPTION = "Glimmets"       # the caption the help file gives the viewer's window
CONTENTS_JUMPS = 14
# Jumps to topics whose name hashes are negative as signed numbers: they are
# found only when the topic-name index is sorted the way the viewer searches it.
ENGLISH_UNDO_JUMP = 9           # "Undoing a move"
FRENCH_SETTINGS_JUMP = 4        # "Les paramètres du jeu", with many accents
JUMP_GREEN = (0, 128, 0)
BUTTON_BAR_GREY = (245, 245, 245)
WM_CLOSE = 0x0010


def viewer_window(game):
    """The help viewer's main window: a visible top-level window of another
    process than the game, with the help file's caption."""
    for window in game.windows():
        if window["class"] not in ("GLIMMETS", "#32770") and window["title"] == HELP_CAPTION:
            return window
    return None


def viewer_processes():
    """Linux processes of this Wine prefix that run the help viewer."""
    prefix = os.environ["WINEPREFIX"]
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                cmdline = f.read().lower()
            with open("/proc/%s/environ" % pid, "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        if b"winhlp32" in cmdline and ("WINEPREFIX=" + prefix).encode() in environ:
            found.append(int(pid))
    return found


def focus_game(game):
    """Clicks the middle of the game's caption, as a player would before a
    key: once a click has given X's focus to a Wine desktop that has since
    gone (the viewer's, in an earlier test), keys reach no window until then."""
    rect = game.wait_window()
    left, top, right, _ = rect["window"]
    game.click_screen((left + right) // 2, top + 3 + rect["caption_height"] // 2)


def wait_viewer(game, timeout=20):
    window = wait_until(lambda: viewer_window(game), timeout, 0.3)
    assert window, "%s: the help viewer did not open" % game.name
    return window


def screen():
    path = os.path.join(SHOTS, "help_screen.ppm")
    os.makedirs(SHOTS, exist_ok=True)
    subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True, timeout=30)
    return Image(path)


def text_area(image, window):
    """(left, top, right, bottom) of the viewer's text: below its grey button
    bar (the first run of at least 8 grey rows), inside its frame."""
    left, top, right, bottom = window["rect"]
    x = (left + right) // 2
    grey = [image.pixel(x, y) == BUTTON_BAR_GREY for y in range(top, bottom)]
    for start in range(len(grey) - 8):
        if all(grey[start:start + 8]):
            end = start
            while end < len(grey) and grey[end]:
                end += 1
            return left + 4, top + end, right - 4, bottom - 4
    raise AssertionError("no button bar in the viewer's window %s" % window)


def jump_lines(image, area):
    """The lines of green jump text in the area: [(y_top, y_bottom, x_first, x_last)]."""
    left, top, right, bottom = area
    lines = []
    for y in range(top, bottom):
        xs = [x for x in range(left, right) if image.pixel(x, y) == JUMP_GREEN]
        if not xs:
            continue
        if lines and y - lines[-1][1] <= 2:
            y0, _, x0, x1 = lines[-1]
            lines[-1] = (y0, y, min(x0, xs[0]), max(x1, xs[-1]))
        else:
            lines.append((y, y, xs[0], xs[-1]))
    return lines


def pixels(image, area, height=320):
    """The top of the text area, where every topic's text starts."""
    left, top, right, bottom = area
    return [image.pixel(x, y) for y in range(top, min(bottom, top + height)) for x in range(left, right)]


def show_contents(game):
    """Waits for the viewer and checks that it shows the contents topic."""
    window = wait_viewer(game)

    def contents_drawn():
        image = screen()
        area = text_area(image, window)
        return (image, area) if len(jump_lines(image, area)) == CONTENTS_JUMPS else None

    drawn = wait_until(contents_drawn, 10, 0.5)
    assert drawn, "%s: the viewer does not show the contents topic" % game.name
    return window, drawn[0], drawn[1]


def follow_jump(game, image, area, index):
    """Clicks the index-th jump line of the contents; returns the screen once
    another topic is drawn and has stopped changing."""
    y0, y1, x0, x1 = jump_lines(image, area)[index]
    game.click_screen((x0 + x1) // 2, (y0 + y1) // 2)
    previous = []

    def topic_drawn():
        shot = screen()
        lines = jump_lines(shot, area)
        settled = previous and pixels(previous[-1], area) == pixels(shot, area)
        previous.append(shot)
        return shot if lines and len(lines) != CONTENTS_JUMPS and settled else None

    shot = wait_until(topic_drawn, 10, 0.5)
    assert shot, "%s: the jump did not open a topic" % game.name
    return shot


def end_game_closes_viewer(game):
    game.post(WM_CLOSE)
    assert game.wait_exit() == 0
    assert wait_until(lambda: viewer_window(game) is None, 15, 0.3), "the viewer is still shown"
    assert wait_until(lambda: not viewer_processes(), 15, 0.3), "winhlp32 still runs: %s" % viewer_processes()


def clean_up():
    """Ends a viewer that a failed test left open."""
    for pid in viewer_processes():
        subprocess.run(["kill", str(pid)], check=False)


def open_french_topic(name, lang=None):
    """A French game whose help is opened with F1, then the jump to the
    topic on the settings; returns the picture of the topic's text."""
    try:
        with Game(name, settings=settings_file(lang=0), lang=lang) as game:
            focus_game(game)
            game.key("F1")
            window, image, area = show_contents(game)
            topic = follow_jump(game, image, area, FRENCH_SETTINGS_JUMP)
            game.screenshot(name)
            end_game_closes_viewer(game)
            return pixels(topic, area)
    finally:
        clean_up()


def test_f1_opens_the_contents_and_a_jump_opens_an_english_topic():
    try:
        with Game("help_f1") as game:
            focus_game(game)
            game.key("F1")
            window, image, area = show_contents(game)
            assert window["title"] == HELP_CAPTION
            game.screenshot("help_contents")
            follow_jump(game, image, area, ENGLISH_UNDO_JUMP)
            game.screenshot("help_topic_en")
            end_game_closes_viewer(game)
    finally:
        clean_up()


def test_help_menu_item_opens_the_contents_in_a_french_game():
    try:
        with Game("help_menu_fr", settings=settings_file(lang=0)) as game:
            focus_game(game)
            # "&Aide" is the last menu; its last item is "Aide".
            assert game.open_menu("a")
            game.key("Up", "Return")
            show_contents(game)
            game.screenshot("help_menu_fr")
            end_game_closes_viewer(game)
    finally:
        clean_up()


def test_help_menu_item_opens_the_contents_in_an_english_game():
    try:
        with Game("help_menu_en") as game:
            focus_game(game)
            assert game.open_menu("h")
            game.key("Up", "Return")
            show_contents(game)
            end_game_closes_viewer(game)
    finally:
        clean_up()


def test_french_accents_show_the_same_under_a_cyrillic_code_page():
    western = open_french_topic("help_topic_fr")
    cyrillic = open_french_topic("help_topic_fr_ru", lang="ru_RU.UTF-8")
    assert len(western) == len(cyrillic)
    differing = sum(1 for a, b in zip(western, cyrillic) if a != b)
    assert differing == 0, "%d pixels of the French topic differ under ru_RU.UTF-8" % differing
