"""End-to-end tests of the scores kept on the roads where a game does not end
normally: the settings file follows the game, so a best score is in it as
soon as it is named, even when the game is then ended by force; two copies of
the game sharing one settings file both keep their players' scores, whichever
is closed first; and when the session ends while the name is being asked,
the new score is written with the name that cancel gives (one space), never
with the name of the player whose score it displaced."""
import copy
import os
import signal
import subprocess

from dialog_helpers import CMD_QUIT, DIALOG, click_control, open_dialogs, pause, play_to_the_end, wait_dialog
from harness import Game, probe, settings_file, wait_until

SMALL_GAME = dict(columns=10, rows=10, form=0, size=15, colours=2, sound=0)
OK = 128
NAME_TITLE = "Please enter your name:"
WM_CLOSE = 0x0010


def score_lines(game):
    """The (score, name) lines of the settings file."""
    lines = game.settings_text().split("\r\n")[7:]
    return [(int(line.split(",", 1)[0]), line.split(",", 1)[1]) for line in lines if line]


def name_a_best_score(game, name):
    """Plays the game in front to its end and names its score; returns it."""
    play_to_the_end(game)
    box = wait_dialog(game, "Congratulations!!")
    score = None
    for control in box["controls"]:
        if "You score" in control["text"]:
            score = int(control["text"].rsplit("You score ", 1)[1].split()[0])
    click_control(game, box, OK)
    wait_dialog(game, NAME_TITLE)
    game.type(name)
    game.key("Return")
    assert wait_until(lambda: not open_dialogs(game), 5, 0.1), "the name box stayed open"
    return score


def test_a_best_score_is_in_the_file_when_the_game_is_then_ended_by_force():
    with Game("kept_killed", settings=settings_file(scores=[(540, "Zizu")], **SMALL_GAME)) as game:
        game.wait_window()
        score = name_a_best_score(game, "Ann")
        # The program's own Linux process: `wine` ends by running it in its place.
        os.kill(game.process.pid, signal.SIGKILL)
        game.process.wait(10)
    assert score_lines(game) == [(540, "Zizu"), (score, "Ann")], game.settings_text()


def game_windows(game):
    return [w for w in game.windows() if w["class"] == "GLIMMETS"]


def bring_to_front(game, pid):
    window = [w for w in game_windows(game) if w["pid"] == pid][0]
    probe("activate", window["hwnd"])
    assert wait_until(lambda: game_windows(game)[0]["pid"] == pid, 5, 0.1), "the copy did not come in front"
    pause()


def close_copy(game, pid):
    """Closes the copy with that process id, as its close box does."""
    bring_to_front(game, pid)
    game.post(WM_CLOSE)
    assert wait_until(lambda: pid not in [w["pid"] for w in game_windows(game)], 15, 0.2), "the copy did not close"


def test_two_copies_on_one_settings_file_keep_both_scores_closed_in_either_order():
    for order in ("first", "second"):
        first = Game("kept_two_copies_" + order, settings=settings_file(**SMALL_GAME))
        with first:
            first.wait_window()
            first_pid = game_windows(first)[0]["pid"]
            # The second copy, started from the same folder.
            second = copy.copy(first)
            second.start()
            try:
                assert wait_until(lambda: len(game_windows(first)) == 2, 20, 0.2), "the second copy did not open"
                second_pid = [w["pid"] for w in game_windows(first) if w["pid"] != first_pid][0]
                bring_to_front(first, second_pid)
                bob = name_a_best_score(first, "Bob")
                bring_to_front(first, first_pid)
                ann = name_a_best_score(first, "Ann")
                closing = [first_pid, second_pid] if order == "first" else [second_pid, first_pid]
                for pid in closing:
                    close_copy(first, pid)
                assert first.wait_exit() == 0 and second.wait_exit() == 0
            finally:
                if second.running():
                    second.kill()
        assert sorted(score_lines(first)) == sorted([(bob, "Bob"), (ann, "Ann")]), (order, first.settings_text())


def test_the_session_ending_while_the_name_is_asked_writes_one_space():
    # A full table whose lowest score, 2, is displaced by any finished game.
    table = [(50000 + i, "High %d" % i) for i in range(24)]
    table[5] = (2, "Low")
    with Game("kept_session_end", settings=settings_file(scores=table, **SMALL_GAME)) as game:
        game.wait_window()
        play_to_the_end(game)
        click_control(game, wait_dialog(game, "Congratulations!!"), OK)
        wait_dialog(game, NAME_TITLE)
        game.screenshot("kept_session_end_name")
        subprocess.run(["wineboot", "--end-session"], env=dict(os.environ), timeout=60, check=False)
        assert wait_until(lambda: not [w for w in game.windows() if w["class"] in ("GLIMMETS", DIALOG)], 30, 0.3)
    lines = score_lines(game)
    assert len(lines) == 24 and lines[:5] + lines[6:] == table[:5] + table[6:], lines
    assert lines[5][1] == " " and lines[5][0] > 2, lines[5]
