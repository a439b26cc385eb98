"""End-to-end tests of the settings file on the roads where a real Windows
loses it: a write refused during play is told once in a box that does not
end the game, the error box at exit stays until it is read, is the only
window left, and names the file that keeps the new content; the program works
from a folder named in Cyrillic under a Western code page and from a path
longer than 260 characters (settings, help, the error box's text), a hidden
and system settings file keeps its scores and its attributes, the end of the
session writes the file, and a stone size lowered during a game leaves no
stone outside the grid."""
import os
import subprocess
import time

import rules
from dialog_helpers import CMD_SETTINGS, click_control, open_dialog, wait_closed
from harness import NO_RICH_TEXT, PROBE, WORK, Game, parse_settings, settings_file, wait_until, wine

DIALOG = "#32770"
CMD_QUIT, CMD_TOGGLE_LANGUAGE, CMD_HELP = 102, 202, 301
OK = 128
SIZE_15 = 565
HELP_CAPTION = "Glimmets"   # the caption the help file gives the viewer's window
MESSAGE = "Erreur à l'ouverture du fichier : "
NOT_SAVED = "Les réglages et les scores n'ont pas pu être enregistrés dans :\n"
KEPT_IN = "\nLes scores de cette session sont gardés dans : "
SCORES = [(540, "Zizu"), (300, "Été")]
# Wine's ANSI code page is 1252 and Linux file names are read as UTF-8.
WESTERN_UTF8 = "C.UTF-8"


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def boxes(game):
    return [w for w in game.windows() if w["class"] == DIALOG]


def box_message(game):
    texts = game.wait_texts(DIALOG)
    assert texts, "the error box could not be read"
    lines = [c["text"] for c in texts["controls"] if c["text"].startswith("Erreur")]
    assert lines, texts
    return lines[0], texts


def click_box_ok(game, texts):
    button = [c for c in texts["controls"] if c["class"] == "Button"]
    assert button, texts
    click_control(game, texts, button[0]["id"])


def leftovers(game):
    """Files of the game's folder beside the program, its help, its settings
    and the lock file that copies of the game share."""
    return sorted(set(os.listdir(game.folder)) -
                  {"Glimmets.exe", "Glimmets.hlp", "Glimmets.ini", "Glimmets.ini.lock", "capture.ppm"})


def hold(game):
    """Another program holds the game's settings file without sharing it, as
    long as the returned process runs: the game can neither read nor replace it."""
    # The probe's command line is in the code page: a folder named in another
    # script is reached as the probe's own folder, any other in the long form
    # that takes a path past 260 characters.
    if game.folder.isascii():
        where, path = None, "\\\\?\\" + windows_path(game.settings_path)
    else:
        where, path = game.folder, "Glimmets.ini"
    lock = subprocess.Popen(["wine", PROBE, "lock", path, "120"], cwd=where, env=game.env,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    assert lock.stdout.readline().strip() == b'"locked"'
    return lock


def game_pid(game):
    rect = game.wait_window()
    assert rect
    return [w for w in game.windows() if w["class"] == "GLIMMETS"][0]["pid"]


def game_windows(game):
    return [w for w in game.windows() if w["class"] == "GLIMMETS"]


def test_exit_error_box_stays_until_it_is_closed():
    original = settings_file(columns=13, rows=11, scores=SCORES).encode("cp1252")
    with Game("files_exit_box", settings=original) as game:
        pid = game_pid(game)
        lock = hold(game)
        try:
            # The switch is written at once: refused, it is told, and the game goes on.
            game.command(CMD_TOGGLE_LANGUAGE)
            assert wait_until(lambda: boxes(game), 20, 0.2), "no box for the refused write"
            texts = game.wait_texts(DIALOG)
            told = [c["text"] for c in texts["controls"] if c["text"].startswith(NOT_SAVED)]
            assert told and windows_path(game.settings_path) in told[0], texts
            game.screenshot("files_write_refused")
            click_box_ok(game, texts)
            assert wait_until(lambda: not boxes(game), 5, 0.1) and game.running()
            game.command(CMD_TOGGLE_LANGUAGE)  # told once: no second box
            game.command(CMD_TOGGLE_LANGUAGE)
            game.command(CMD_QUIT)
            assert wait_until(lambda: boxes(game), 20, 0.2), "no error box at exit"
            message, texts = box_message(game)
            kept = "%s.1.%d.kept" % (game.settings_path, pid)
            assert message == MESSAGE + windows_path(game.settings_path) + KEPT_IN + windows_path(kept), message
            # The game's window is gone: nothing behind the box takes clicks.
            assert game_windows(game) == [], game.windows()
            game.screenshot("files_exit_box")
            # Long enough to be read: a box that closes itself goes in some 60 ms.
            time.sleep(3)
            assert boxes(game), "the error box closed by itself"
            assert game.running(), "the program ended behind the box"
            click_box_ok(game, texts)
            assert game.wait_exit() == 1
        finally:
            lock.kill()
            lock.wait()
    assert game.settings_bytes() == original
    # The new content (French, after three switches) waits beside for the next
    # start, under a name of this process's own; no score changed.
    assert leftovers(game) == [os.path.basename(kept)], leftovers(game)
    with open(kept, "rb") as f:
        assert f.read() == settings_file(columns=13, rows=11, lang=0, scores=SCORES).encode("cp1252") + b"changes\r\n"


def viewer_window(game):
    """The help viewer's window once it shows the help file: a top-level
    window of another program, with the caption the help file gives it."""
    for window in game.windows():
        if window["class"] not in ("GLIMMETS", DIALOG) and window["title"] == HELP_CAPTION:
            return window
    return None


def open_help(game, label):
    """Help > Help opens the help file: the viewer shows its caption."""
    game.command(CMD_HELP)
    shown = wait_until(lambda: viewer_window(game), 20, 0.3)
    game.screenshot(label + "_help")
    assert shown, "the help file was not found; windows: %s" % game.windows()


def close_viewer(game):
    """Ends a viewer that a failed test left open, by its window's process."""
    window = viewer_window(game)
    if window:
        wine("taskkill", "/F", "/PID", str(window["pid"]), timeout=20)


def plays_from(name, label):
    """The game in the folder WORK/name reads its settings, finds its help,
    writes its settings at exit, and names the folder right in the error box
    when the settings cannot be written."""
    original = settings_file(columns=13, rows=11, scores=SCORES)
    # The help viewer, which reads the file (the game shows its help in its
    # own window wherever the rich text control loads).
    game = Game(name, settings=original, lang=WESTERN_UTF8, env=NO_RICH_TEXT)
    try:
        with game:
            rect = game.wait_window()
            assert rect["client_size"][0] == 13 * 15, "the settings were not read: %s" % rect
            open_help(game, label)
            game.command(CMD_TOGGLE_LANGUAGE)
            game.command(CMD_QUIT)
            assert game.wait_exit() == 0
            assert wait_until(lambda: viewer_window(game) is None, 15, 0.3), "the viewer is still shown"
        text = game.settings_text()
        assert parse_settings(text)["couleurs"] == 6 and text.endswith("540,Zizu\r\n300,Été\r\n"), text
        assert leftovers(game) == [], leftovers(game)
    finally:
        close_viewer(game)

    written = game.settings_bytes()
    game = Game(name, settings=written, lang=WESTERN_UTF8)
    with game:
        pid = game_pid(game)
        lock = hold(game)
        try:
            game.command(CMD_QUIT)
            assert wait_until(lambda: boxes(game), 20, 0.2), "no error box at exit"
            message, texts = box_message(game)
            kept = "%s.1.%d.kept" % (game.settings_path, pid)
            assert message == MESSAGE + windows_path(game.settings_path) + KEPT_IN + windows_path(kept), message
            game.screenshot(label + "_error_box")
            click_box_ok(game, texts)
            assert game.wait_exit() == 1
        finally:
            lock.kill()
            lock.wait()
    assert game.settings_bytes() == written
    return game


def test_a_folder_that_refuses_new_files_has_its_settings_rewritten_in_place():
    # A player may rewrite Glimmets.ini there, but make no file beside it:
    # neither the temporary file of a replacement nor the lock file.
    game = Game("files_no_new_files", settings=settings_file(columns=13, rows=11, scores=SCORES))
    subprocess.run(["chattr", "+i", game.folder], check=True)
    try:
        with game:
            game.wait_window()
            game.command(CMD_TOGGLE_LANGUAGE)  # written at once, in place
            assert wait_until(lambda: "lang=0" in game.settings_text(), 10, 0.1), game.settings_text()
            assert not boxes(game), game.windows()
            game.command(CMD_QUIT)
            assert game.wait_exit() == 0
    finally:
        subprocess.run(["chattr", "-i", game.folder], check=True)
    assert game.settings_text() == settings_file(columns=13, rows=11, lang=0, scores=SCORES), game.settings_text()
    assert leftovers(game) == [], leftovers(game)


def test_a_folder_named_in_cyrillic_under_a_western_code_page():
    plays_from("files_cyrillic/Игры", "files_cyrillic")


def test_a_path_longer_than_260_characters():
    name = "files_long"
    while len(windows_path(os.path.join(WORK, name, "Glimmets.ini"))) <= 300:
        name += "/a folder with a long name to make a path past the old limit"
    game = plays_from(name, "files_long")
    assert len(windows_path(game.settings_path)) > 300


def attributes(path):
    """The attribute letters that Wine's attrib shows for the file."""
    code, out = wine("cmd", "/c", "attrib", windows_path(path))
    assert code == 0 and path.rsplit("/", 1)[1] in out, out
    return set(out.split("Z:\\")[0].replace(" ", ""))


def test_a_hidden_system_settings_file_keeps_its_scores_and_its_attributes():
    original = settings_file(columns=13, rows=11, scores=SCORES)
    game = Game("files_hidden", settings=original)
    for flag in ("+h", "+s"):  # Wine's attrib takes one flag at a time
        assert wine("cmd", "/c", "attrib", flag, windows_path(game.settings_path))[0] == 0
    assert {"H", "S"} <= attributes(game.settings_path)
    with game:
        rect = game.wait_window()
        assert rect["client_size"][0] == 13 * 15, "the hidden file was not read: %s" % rect
        game.command(CMD_TOGGLE_LANGUAGE)
        game.command(CMD_QUIT)
        assert game.wait_exit() == 0
    text = game.settings_text()
    assert parse_settings(text)["couleurs"] == 6 and text.endswith("540,Zizu\r\n300,Été\r\n"), text
    assert {"H", "S"} <= attributes(game.settings_path), "the settings file lost its attributes"
    assert leftovers(game) == [], leftovers(game)


def test_a_smaller_stone_size_during_a_game_leaves_no_stone_outside_the_grid():
    with Game("files_smaller_stones", settings=settings_file(columns=12, rows=12, form=0, size=24)) as game:
        game.wait_window()
        start = game.board()
        column, row = rules.groups(start)[0][0]
        game.click_cell(column + 1, row + 1)  # the game runs: the new size waits for the next game
        assert wait_until(lambda: game.status()[0], 5, 0.1), "the clock did not start"
        box = open_dialog(game, CMD_SETTINGS)
        click_control(game, box, SIZE_15)
        click_control(game, box, OK)
        wait_closed(game)

        def uncovered_pixels():
            image = game.capture()
            old_side, new_side = 12 * 24, 12 * 15
            return [(x, y) for y in range(0, old_side, 2) for x in range(0, old_side, 2)
                    if (x >= new_side or y >= new_side) and image.pixel(x, y) != (0, 0, 0)]

        # The stones are drawn at 15 pixels, and nothing else of the board is left.
        # (The bottom-left cell: the move may have emptied the top of the first column.)
        assert wait_until(lambda: game.board(12, 12, 15)[0][-1] != "blank" and not uncovered_pixels(), 5, 0.2), \
            "pixels left outside the grid: %s" % uncovered_pixels()[:10]
        game.screenshot("files_smaller_stones", window_only=True)
        game.command(CMD_QUIT)
        assert game.wait_exit() == 0


def menu_bar(game):
    """The pixels of the menu bar, whose texts follow the language."""
    image = game.capture(whole_window=True)
    rect = game.rect()
    top = (image.width - rect["client_size"][0]) // 2 + rect["caption_height"]
    return [image.pixel(x, y) for y in range(top, top + rect["menu_height"]) for x in range(image.width)]


def test_the_end_of_the_session_writes_the_settings():
    original = settings_file(columns=13, rows=11, scores=SCORES)
    with Game("files_session_end", settings=original) as game:
        game.wait_window()
        english = menu_bar(game)
        game.command(CMD_TOGGLE_LANGUAGE)
        assert wait_until(lambda: menu_bar(game) != english, 5, 0.1), "the language did not change"
        # Every top-level window gets WM_QUERYENDSESSION, then WM_ENDSESSION.
        subprocess.run(["wineboot", "--end-session"], env=dict(os.environ), timeout=60, check=False)
        game.wait_exit(30)
        text = game.settings_text()
        assert parse_settings(text)["couleurs"] == 6 and text.endswith("540,Zizu\r\n300,Été\r\n"), text
    assert leftovers(game) == [], leftovers(game)
