"""End-to-end tests of the help.

Wherever the rich text control can be loaded, F1 and Help > Help open the
game's own help window on the contents, whatever version the system
reports (a game run in Windows XP compatibility mode included): a window
owned by the game, whose rich text control the probe reads (WM_GETTEXT) and
whose links it locates (EM_POSFROMCHAR), so links are followed by real
clicks and keys. Ending the game closes it at once, and nothing of it
reaches the settings file.

Where the control cannot be loaded (Wine told not to load msftedit.dll), F1
and Help > Help open the system's viewer on Glimmets.hlp: jumps are drawn
in green, one line each in the contents topic (8 French, 8 English), and a
topic's text area is compared pixel for pixel between two locales."""
import contextlib
import os
import re
import subprocess

from harness import NO_RICH_TEXT, SHOTS, Game, Image, probe, settings_file, wait_until, wine

HELP_CLASS = "GlimmetsHelp"
HELP_TEXT, HELP_CONTENTS, HELP_BACK = 701, 702, 703   # the help window's controls
CONTENTS_TITLE = "Glimmets"
CONTENTS_LINKS = ["Comment jouer", "Le score", "Annuler un coup", "Rejouer une partie, l\u2019indice",
                  "Les meilleurs scores", "Les param\u00e8tres du jeu", "Les touches",
                  "Le fichier de param\u00e8tres",
                  "How to play", "The score", "Undoing a move", "Playing a board again, the hint",
                  "The best scores", "The game settings", "The keys", "The settings file"]
BACK_TO_CONTENTS = "Sommaire / Contents"
WM_CLOSE = 0x0010

HELP_CAPTION = "Glimmets"       # the caption the help file gives the viewer's window
CONTENTS_JUMPS = 16
# Jumps to topics whose name hashes are negative as signed numbers: they are
# found only when the topic-name index is sorted the way the viewer searches it.
ENGLISH_UNDO_JUMP = 10          # "Undoing a move"
FRENCH_SETTINGS_JUMP = 5        # "Les paramètres du jeu", with many accents
JUMP_GREEN = (0, 128, 0)
BUTTON_BAR_GREY = (245, 245, 245)


# ---- The game's own help window ----

def focus_game(game):
    """The game's window in front, as a click on it would make it."""
    game.wait_window()
    game.focus()


def control(window, control_id):
    return next(c for c in window["controls"] if c["id"] == control_id)


def paragraphs(window):
    """The help text as the control holds it, one paragraph a line."""
    return re.split(r"\r\n|\r|\n", control(window, HELP_TEXT)["text"])


def wait_topic(game, title, timeout=15):
    """Waits until the help window shows the topic with that title; its texts.
    The window is filled before it is titled and shown: it counts once shown."""
    seen = []

    def shown():
        window = game.texts(HELP_CLASS)
        seen[:] = [paragraphs(window)[:2] if window else None]
        return window if window and window["visible"] and paragraphs(window)[0] == title else None

    window = wait_until(shown, timeout, 0.2)
    assert window, "%s: the help window does not show %r (seen: %r)" % (game.name, title, seen)
    return window


def wait_contents(game, timeout=15):
    window = wait_topic(game, CONTENTS_TITLE, timeout)
    shown = paragraphs(window)
    assert all(label in shown for label in CONTENTS_LINKS), shown
    assert window["owner_class"] == "GLIMMETS"
    return window


def click_link(game, window, label):
    """Clicks the middle of the link on a line of its own with that label."""
    lines = paragraphs(window)
    line = lines.index(label)
    first = sum(len(text) + 1 for text in lines[:line])  # a paragraph's end is one character
    x0, y0 = probe("charpos", HELP_CLASS, HELP_TEXT, first)
    x1, _ = probe("charpos", HELP_CLASS, HELP_TEXT, first + len(label) - 1)
    game.click_screen((x0 + x1) // 2 + 2, y0 + 6)


def click_button(game, window, control_id):
    left, top, right, bottom = control(window, control_id)["rect"]
    game.click_screen((left + right) // 2, (top + bottom) // 2)


def help_keys(game, window, *keys):
    """Keys typed in the help window."""
    game.key(*keys, window_rect=window["rect"])


def help_windows(game):
    return [w for w in game.windows() if w["class"] == HELP_CLASS]


def quit_at_once(game):
    """Ends the game with its help open: it must exit 0 without waiting."""
    game.post(WM_CLOSE)
    assert game.wait_exit(timeout=5) == 0


def test_f1_opens_the_help_window_on_the_contents_and_its_links_back_and_contents_work():
    with Game("help_window_en", settings=settings_file()) as game:
        focus_game(game)
        game.key("F1")
        window = wait_contents(game)
        # Brought to the front just after it is shown.
        if not window["foreground"]:
            window = wait_until(lambda: (lambda w: w if w and w["foreground"] else None)(game.texts(HELP_CLASS)), 5)
        assert window and window["title"] == "Glimmets Help" and window["foreground"] == 1
        assert control(window, HELP_CONTENTS)["text"] == "Contents"
        assert control(window, HELP_BACK)["text"] == "Back" and control(window, HELP_BACK)["enabled"] == 0
        game.screenshot("help_window_contents_en")

        click_link(game, window, "Undoing a move")
        window = wait_topic(game, "Undoing a move")
        assert "You can go back up to nine moves this way" in control(window, HELP_TEXT)["text"]
        assert control(window, HELP_BACK)["enabled"] == 1
        game.screenshot("help_window_topic_en")
        click_button(game, window, HELP_BACK)
        window = wait_contents(game)

        click_link(game, window, "The keys")
        window = wait_topic(game, "The keys")
        click_button(game, window, HELP_CONTENTS)
        window = wait_contents(game)
        # Back from the contents returns to the topic it was left from.
        click_button(game, window, HELP_BACK)
        window = wait_topic(game, "The keys")
        click_link(game, window, BACK_TO_CONTENTS)
        wait_contents(game)
        quit_at_once(game)
    assert game.settings_text() == settings_file()  # nothing of the help is kept


def test_help_window_follows_links_and_goes_back_by_keyboard_and_escape_closes_it():
    with Game("help_window_keys", settings=settings_file()) as game:
        focus_game(game)
        game.key("F1")
        window = wait_contents(game)
        help_keys(game, window, "Tab", "Return")          # the first link
        window = wait_topic(game, "Comment jouer")
        help_keys(game, window, "BackSpace")
        window = wait_topic(game, CONTENTS_TITLE)
        help_keys(game, window, "Tab", "Tab", "shift+Tab", "Tab", "Return")   # the second link
        window = wait_topic(game, "Le score")
        help_keys(game, window, "alt+Left")
        window = wait_contents(game)
        # Back disabled by its own keys while it has the focus: the keys go
        # on to the text (a link followed), and Escape still closes.
        help_keys(game, window, "Tab", "Return")
        window = wait_topic(game, "Comment jouer")
        help_keys(game, window, "shift+Tab", "BackSpace")  # to Back, then Back
        window = wait_contents(game)
        assert control(window, HELP_BACK)["enabled"] == 0
        help_keys(game, window, "Tab", "Return")
        window = wait_topic(game, "Comment jouer")
        help_keys(game, window, "shift+Tab", "alt+Left")
        window = wait_contents(game)
        help_keys(game, window, "Escape")
        assert wait_until(lambda: not help_windows(game), 10, 0.2), "Escape did not close the help window"
        assert game.running()
        # Opened again, it starts anew on the contents.
        focus_game(game)
        game.key("F1")
        window = wait_contents(game)
        assert control(window, HELP_BACK)["enabled"] == 0
        quit_at_once(game)


def test_contents_and_back_by_keyboard_and_an_open_help_window_follows_the_language():
    with Game("help_buttons_keys", settings=settings_file()) as game:
        focus_game(game)
        game.key("F1")
        window = wait_contents(game)
        assert window["title"] == "Glimmets Help"
        help_keys(game, window, "Tab", "Return")
        window = wait_topic(game, "Comment jouer")
        # Before the first link, Shift+Tab reaches Back; Space presses it.
        help_keys(game, window, "shift+Tab", "space")
        window = wait_contents(game)
        help_keys(game, window, "Tab", "Return")
        window = wait_topic(game, "Comment jouer")
        # Back, then Contents; Enter presses it.
        help_keys(game, window, "shift+Tab", "shift+Tab", "Return")
        window = wait_contents(game)
        assert control(window, HELP_BACK)["enabled"] == 1
        # Past the last link Tab reaches Contents, then Back; Enter presses it.
        help_keys(game, window, *(["Tab"] * (len(CONTENTS_LINKS) + 2)), "Return")
        window = wait_topic(game, "Comment jouer")
        help_keys(game, window, "alt+Home")
        window = wait_contents(game)
        # The language switch reaches the open window.
        game.command(202)
        assert wait_until(lambda: (game.texts(HELP_CLASS) or {}).get("title") == "Aide de Glimmets", 5, 0.1)
        window = game.texts(HELP_CLASS)
        assert (control(window, HELP_CONTENTS)["text"], control(window, HELP_BACK)["text"]) == \
            ("Sommaire", "Pr\u00e9c\u00e9dent")
        game.screenshot("help_window_after_the_switch")
        help_keys(game, window, *(["Tab"] * (CONTENTS_LINKS.index("Les touches") + 1)), "Return")
        wait_topic(game, "Les touches")
        game.screenshot("help_keys_topic_fr")
        quit_at_once(game)


def test_a_second_f1_brings_the_one_help_window_to_the_front():
    with Game("help_window_once", settings=settings_file()) as game:
        focus_game(game)
        game.key("F1")
        window = wait_contents(game)
        click_link(game, window, "How to play")
        wait_topic(game, "How to play")
        focus_game(game)
        assert wait_until(lambda: game.rect()["foreground"] == 1, 10, 0.2), "the game did not come to the front"
        game.key("F1")
        assert wait_until(lambda: (game.texts(HELP_CLASS) or {}).get("foreground") == 1, 10, 0.2), \
            "F1 did not bring the help window to the front"
        assert len(help_windows(game)) == 1
        wait_topic(game, "How to play")   # the same window, on the topic it showed
        quit_at_once(game)


def test_help_menu_item_opens_the_help_window_in_both_languages():
    for name, lang, mnemonic, title, buttons in (
            ("help_window_menu_fr", 0, "a", "Aide de Glimmets", ("Sommaire", "Pr\u00e9c\u00e9dent")),
            ("help_window_menu_en", 1000, "h", "Glimmets Help", ("Contents", "Back"))):
        with Game(name, settings=settings_file(lang=lang)) as game:
            focus_game(game)
            # The help menu is the last one; its last item is Help.
            assert game.open_menu(mnemonic)
            game.key("Up", "Return")
            window = wait_contents(game)
            labels = (window["title"], control(window, HELP_CONTENTS)["text"], control(window, HELP_BACK)["text"])
            assert labels == (title,) + buttons, labels
            game.screenshot(name)
            quit_at_once(game)


def french_topic_pixels(name, lang=None):
    """A French game's help window on the topic on the settings: its text as
    the control holds it and the pixels of the control on the screen."""
    with Game(name, settings=settings_file(lang=0), lang=lang) as game:
        focus_game(game)
        game.key("F1")
        window = wait_contents(game)
        click_link(game, window, "Les param\u00e8tres du jeu")
        window = wait_topic(game, "Les param\u00e8tres du jeu")
        text = control(window, HELP_TEXT)["text"]
        # The game in front: the help window's text then shows no blinking caret.
        focus_game(game)
        # Drawn once the window has nothing left to paint: the same picture twice.
        shots = []

        def settled():
            shots.append(screen_pixels(control(window, HELP_TEXT)["rect"]))
            return len(shots) > 1 and shots[-1] == shots[-2]

        assert wait_until(settled, 10, 0.3), "the topic kept changing on the screen"
        game.screenshot(name)
        quit_at_once(game)
        return text, shots[-1]


def test_french_topic_reads_and_looks_the_same_under_a_cyrillic_code_page():
    western_text, western = french_topic_pixels("help_window_topic_fr")
    cyrillic_text, cyrillic = french_topic_pixels("help_window_topic_fr_ru", lang="ru_RU.UTF-8")
    for words in ("Param\u00e8tres du jeu", "Carr\u00e9e", "\u00c9chap", "r\u00e9glages s\u2019appliquent"):
        assert words in western_text, words
    assert cyrillic_text == western_text
    differing = sum(1 for a, b in zip(western, cyrillic) if a != b)
    assert len(western) == len(cyrillic) and differing == 0, \
        "%d pixels of the French topic differ under ru_RU.UTF-8" % differing


# ---- A system without the rich text control: the help viewer ----

@contextlib.contextmanager
def windows_xp():
    """The prefix reports Windows XP while the block runs. The prefix is
    shared by every test of the run, so it is set back whatever happens."""
    wine("reg", "add", "HKCU\\Software\\Wine", "/v", "Version", "/d", "winxp64", "/f")
    try:
        yield
    finally:
        wine("reg", "delete", "HKCU\\Software\\Wine", "/v", "Version", "/f")
        clean_up()


def viewer_window(game):
    """The help viewer's main window: a visible top-level window of another
    process than the game, with the help file's caption."""
    for window in game.windows():
        if window["class"] not in ("GLIMMETS", "#32770", HELP_CLASS) and window["title"] == HELP_CAPTION:
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


def wait_viewer(game, timeout=20):
    window = wait_until(lambda: viewer_window(game), timeout, 0.3)
    assert window, "%s: the help viewer did not open" % game.name
    return window


def screen():
    path = os.path.join(SHOTS, "help_screen.ppm")
    os.makedirs(SHOTS, exist_ok=True)
    subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True, timeout=30)
    return Image(path)


def screen_pixels(rect):
    left, top, right, bottom = rect
    image = screen()
    return [image.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


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
    with Game(name, settings=settings_file(lang=0), lang=lang, env=NO_RICH_TEXT) as game:
        focus_game(game)
        game.key("F1")
        window, image, area = show_contents(game)
        topic = follow_jump(game, image, area, FRENCH_SETTINGS_JUMP)
        game.screenshot(name)
        end_game_closes_viewer(game)
        return pixels(topic, area)


def test_without_rich_text_f1_opens_the_viewer_on_the_contents_and_a_jump_opens_an_english_topic():
    with Game("help_f1", env=NO_RICH_TEXT) as game:
        focus_game(game)
        game.key("F1")
        window, image, area = show_contents(game)
        assert window["title"] == HELP_CAPTION
        assert not help_windows(game)
        game.screenshot("help_contents")
        follow_jump(game, image, area, ENGLISH_UNDO_JUMP)
        game.screenshot("help_topic_en")
        end_game_closes_viewer(game)


def test_without_rich_text_help_menu_item_opens_the_viewer_in_a_french_and_an_english_game():
    with windows_xp():  # an older system as well: the viewer does not depend on it
        for name, lang, mnemonic in (("help_menu_fr", 0, "a"), ("help_menu_en", 1000, "h")):
            with Game(name, settings=settings_file(lang=lang), env=NO_RICH_TEXT) as game:
                focus_game(game)
                assert game.open_menu(mnemonic)
                game.key("Up", "Return")
                show_contents(game)
                game.screenshot(name)
                end_game_closes_viewer(game)


def test_without_rich_text_french_accents_in_the_viewer_show_the_same_under_a_cyrillic_code_page():
    western = open_french_topic("help_topic_fr")
    cyrillic = open_french_topic("help_topic_fr_ru", lang="ru_RU.UTF-8")
    assert len(western) == len(cyrillic)
    differing = sum(1 for a, b in zip(western, cyrillic) if a != b)
    assert differing == 0, "%d pixels of the French topic differ under ru_RU.UTF-8" % differing


def test_in_windows_xp_compatibility_the_help_window_opens_and_quitting_does_not_wait():
    # The system says Windows XP, which had a viewer, and the help file is
    # there: the game still opens its own help, as the control loads.
    with windows_xp(), Game("help_xp", settings=settings_file()) as game:
        focus_game(game)
        game.key("F1")
        wait_contents(game)
        assert viewer_window(game) is None and not viewer_processes()
        game.screenshot("help_xp")
        quit_at_once(game)
