"""End-to-end tests of the scores kept on the roads where a game does not end
normally: the settings file follows the game, so a finished game's score is
in it before the congratulations box shows, with the name that cancel gives
(one space) until the player names it, and stays there when the game is
ended by force at either box or after; the score counts the colours the
board was dealt with; two copies of the game sharing one settings file both
keep their players' scores, whichever is closed first; when the session ends
while the name is being asked, the new score is written with one space,
never with the name of the player whose score it displaced; and a write
refused at the settings dialog's OK is told in one box that the dialog waits
behind."""
import copy
import os
import signal
import subprocess

import rules
from dialog_helpers import (CMD_QUIT, CMD_SETTINGS, DIALOG, click_control, open_dialog, open_dialogs, pause,
                            play_to_the_end, status, type_into, wait_board, wait_closed, wait_dialog)
from harness import PROBE, Game, parse_settings, probe, settings_file, wait_until

SMALL_GAME = dict(columns=10, rows=10, form=0, size=15, colours=2, sound=0)
OK = 128
COLOURS_FIELD = 557
NAME_TITLE = "Please enter your name:"
SETTINGS_TITLE = "Game Grid Settings"
NOT_SAVED = "The settings and scores could not be saved in:"
WM_CLOSE = 0x0010


def score_lines(game):
    """The (score, name) lines of the settings file."""
    lines = game.settings_text().split("\r\n")[7:]
    return [(int(line.split(",", 1)[0]), line.split(",", 1)[1]) for line in lines if line]


def congratulations(game):
    """The congratulations box of the game just ended, the score it gives and
    the stones it says are left."""
    box = wait_dialog(game, "Congratulations!!")
    text = [c["text"] for c in box["controls"] if "You score" in c["text"]][0]
    score = int(text.rsplit("You score ", 1)[1].split()[0])
    left = int(text.split("(with only ", 1)[1].split()[0])
    return box, score, left


def name_a_best_score(game, name):
    """Plays the game in front to its end and names its score; returns it."""
    play_to_the_end(game)
    box, score, _ = congratulations(game)
    click_control(game, box, OK)
    wait_dialog(game, NAME_TITLE)
    game.type(name)
    game.key("Return")
    assert wait_until(lambda: not open_dialogs(game), 5, 0.1), "the name box stayed open"
    return score


def kill(game):
    # The program's own Linux process: `wine` ends by running it in its place.
    os.kill(game.process.pid, signal.SIGKILL)
    game.process.wait(10)


def test_a_finished_game_is_in_the_file_at_either_box_and_after_when_the_game_is_ended_by_force():
    for ended in ("at the congratulations", "at the name prompt", "once named"):
        with Game("kept_killed_" + ended.split()[-1], settings=settings_file(scores=[(540, "Zizu")], **SMALL_GAME)) as game:
            game.wait_window()
            if ended == "once named":
                score, name = name_a_best_score(game, "Ann"), "Ann"
            else:
                play_to_the_end(game)
                box, score, _ = congratulations(game)
                if ended == "at the name prompt":
                    click_control(game, box, OK)
                    wait_dialog(game, NAME_TITLE)
                name = " "
            kill(game)
        assert score_lines(game) == [(540, "Zizu"), (score, name)], (ended, game.settings_text())


def test_the_score_counts_the_colours_the_board_was_dealt_with_also_dealt_again():
    with Game("kept_colours", settings=settings_file(**SMALL_GAME)) as game:  # two colours
        game.wait_window()
        start = game.board()
        column, row = rules.groups(start)[0][0]
        game.click_cell(column + 1, row + 1)
        wait_board(game, rules.apply_click(start, column, row))
        box = open_dialog(game, CMD_SETTINGS, SETTINGS_TITLE)
        type_into(game, box, COLOURS_FIELD, "6")  # for the next new game
        click_control(game, box, OK)
        wait_closed(game)
        for deal in ("first", "again"):
            play_to_the_end(game)
            box, score, left = congratulations(game)
            assert score == 100 * 2 * 100 // left, (deal, score, left)
            click_control(game, box, OK)
            wait_dialog(game, NAME_TITLE)
            game.key("Escape")
            assert wait_until(lambda: not open_dialogs(game), 5, 0.1), "the name box stayed open"
            if deal == "first":
                game.key("F5")  # the same board, its own two colours
                assert wait_until(lambda: status(game)[3] != "Game over", 5, 0.1), "F5 dealt nothing"
        game.command(CMD_QUIT)
        assert game.wait_exit() == 0
    assert parse_settings(game.settings_text())["colors"] == 6


def test_a_write_refused_at_the_settings_ok_is_told_in_one_box_the_dialog_waits_behind():
    with Game("kept_refused_ok", settings=settings_file(**SMALL_GAME)) as game:
        game.wait_window()
        held = "Z:" + game.settings_path.replace("/", "\\")
        lock = subprocess.Popen(["wine", PROBE, "lock", held, "60"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            assert lock.stdout.readline().strip() == b'"locked"'
            box = open_dialog(game, CMD_SETTINGS, SETTINGS_TITLE)
            type_into(game, box, COLOURS_FIELD, "3")
            click_control(game, box, OK)
            warning = lambda: [w for w in game.windows() if w["class"] == DIALOG and w["title"] != SETTINGS_TITLE]
            assert wait_until(warning, 20, 0.2), "no box for the refused write"
            settings_box = [w for w in game.windows() if w["title"] == SETTINGS_TITLE]
            # Owned by the dialog, which it disables: no second OK can run.
            assert settings_box and warning()[0]["owner"] == settings_box[0]["hwnd"], game.windows()
            assert not settings_box[0]["enabled"], settings_box
            texts = game.wait_texts(DIALOG)  # the box, in front of the dialog
            assert texts and any(c["text"].startswith(NOT_SAVED) for c in texts["controls"]), texts
            game.screenshot("kept_refused_ok")
            click_control(game, texts, [c for c in texts["controls"] if c["class"] == "Button"][0]["id"])
            assert wait_until(lambda: not open_dialogs(game), 5, 0.1), "a box or the dialog stayed open"
        finally:
            lock.kill()
            lock.wait()
        game.command(CMD_QUIT)
        assert game.wait_exit() == 0
    assert parse_settings(game.settings_text())["colors"] == 3


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
