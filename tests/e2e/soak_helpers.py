"""The soak: thousands of real inputs in a random but replayable order against
one running Glimmets.exe, with checks along the way.

`run_soak(seed, count)` starts the game and sends `count` inputs chosen by a
random generator seeded with `seed`: presses of all three mouse buttons on the
grid and outside it, the keys of the board (arrows, Home, End, Page Up and
Down, Space and Enter), H, F2, F5, Ctrl+Z, the language toggle, both options
of the view, the settings dialog (random values, closed with OK or Cancel),
the board number dialog (good and bad numbers), the best-scores dialog
(sometimes reset), the About box, the help window (opened, a link followed,
closed) and the system's message of a change of scale. Games that end open
the congratulations box and the name entry, which are closed as a player
would (sometimes typing a name).

The soak keeps a small model of what it asked for: the grid of the current
game, the stone size and form on the screen, the dimensions the next new game
deals and whether a game runs. The model decides where a press lands and
which board to decode; the program's own answers (status fields, window size)
confirm it. At checkpoints, with no dialog open, the board decoded from the
screen must hold the rules' invariant (settled columns, only stones and empty
cells, empty columns only at the right) and the status fields must agree with
it. At each checkpoint the game's memory is read too, and a steady climb
across the run fails it (a font, a bitmap or a strip of stones lost at every
change of scale or option). At the end the program is closed and the settings
file it wrote must read back within its limits. Every input is logged to actions.log in the game's
folder, so a failure can be read and replayed with the same seed."""
import os
import random
import string
import time

import harness
import rules
from dialog_helpers import (CMD_ABOUT, CMD_BEST_SCORES, CMD_QUIT, CMD_SETTINGS, CMD_TOGGLE_LANGUAGE, DIALOG,
                            click_close_box, click_control, control, open_dialogs, type_into)
from harness import COLOURS, Game, parse_settings, settings_file, wait_until, xdotool

OK, CANCEL = 128, 129
CMD_RESTART, CMD_BOARD_NUMBER, CMD_SHOW_GROUPS, CMD_SYMBOLS, CMD_HELP = 103, 104, 203, 204, 301
NUMBER_FIELD = 602
HELP_CLASS = "GlimmetsHelp"
BOARD_KEYS = ("Left", "Right", "Up", "Down", "Home", "End", "Prior", "Next")
BAD_NUMBERS = ("12x", "4294967296", "-5", "0" * 70 + "7")
COLUMNS_FIELD, ROWS_FIELD, COLOURS_FIELD = 555, 556, 557
ROUND, SQUARE, SOUND = 562, 563, 569
SIZE_BUTTONS = {15: 565, 18: 566, 21: 567, 24: 568}
SCORES_LIST, RESET = 201, 202
NAME_FIELD = 301
CONGRATS_TEXT = 151
ABOUT_TITLE = 131
GAME_OVER_TEXTS = ("Game over", "Partie termin\u00e9e")
STONES = set(COLOURS) - {"blank"}

# How often each kind of input is chosen.
WEIGHTS = [("grid", 48), ("outside", 6), ("keys", 10), ("hint", 3), ("new_game", 4), ("restart", 3),
           ("undo", 7), ("language", 3), ("options", 3), ("settings", 4), ("board_number", 3), ("scores", 2),
           ("about", 2), ("help", 1), ("scale", 2)]
CHECK_EVERY = 50
# The most the game's private memory may grow per thousand inputs late in a
# run, when the system's caches have settled and a leak keeps climbing; and
# the fewest checkpoints on which that is judged (a run of 1,000 inputs).
MAX_GROWTH_PER_THOUSAND_KB = 512
MIN_CHECKPOINTS = 20
# What 200 changes of scale and options may leave behind at the end of a run
# (a strip of stones lost at each leaves some 700 KB).
MAX_BURST_GROWTH_KB = 512
BATCH = 12  # presses sent in one xdotool call


class SoakFailure(AssertionError):
    pass


class Model:
    """What the soak expects of the program, from the inputs it sent."""

    def __init__(self, columns, rows, form, size, colours):
        self.columns, self.rows = columns, rows          # the current game's grid
        self.pending = (columns, rows)                   # dealt by the next new game
        self.form, self.size, self.colours = form, size, colours
        self.layout = (columns, rows, size)              # what the window was sized for
        self.state = "new"                               # new, running or over
        self.colours_changed = False                     # during the running game
        self.lang = 1000
        self.show_groups = self.symbols = False

    def new_game(self, same_grid=False):
        """A new game; the board in play dealt again (F5) keeps its grid."""
        if not same_grid:
            self.columns, self.rows = self.pending
        self.layout = (self.columns, self.rows, self.size)
        self.state = "new"
        self.colours_changed = False

    def grid_height(self):
        """The height of the client area above the status bar."""
        return self.layout[1] * self.layout[2]


class Soak:
    def __init__(self, game, model, seed, count):
        self.game, self.model = game, model
        self.random = random.Random(seed)
        self.seed, self.count = seed, count
        self.sent = 0
        self.checkpoints = self.partial_checkpoints = 0
        self.games_ended = self.batches = 0
        self.kinds = {}
        self.rect = None
        self.started = time.monotonic()
        self.memory = []  # (inputs sent, the game's resident memory in KB) at each checkpoint
        self.log = open(os.path.join(game.folder, "actions.log"), "w")

    # ---- bookkeeping ----
    def note(self, kind, detail=""):
        self.sent += 1
        self.kinds[kind] = self.kinds.get(kind, 0) + 1
        self.log.write("%d %s %s\n" % (self.sent, kind, detail))

    def fail(self, why):
        self.log.flush()
        shot = self.game.screenshot("soak_failure_%d" % self.seed)
        raise SoakFailure("seed %d, input %d: %s (screen in %s)" % (self.seed, self.sent, why, shot))

    def alive(self):
        if not self.game.running():
            self.fail("the program ended (exit code %s)" % self.game.process.poll())

    def status(self):
        fields = self.game.status()
        if fields is None:
            self.alive()
            self.fail("the status bar did not answer")
        return fields

    def refresh_rect(self):
        """Waits for the window to have the size of the model's layout."""
        columns, rows, size = self.model.layout

        def laid_out():
            rect = self.game.rect()
            return rect if rect and rect["client_size"][0] == columns * size else None
        self.rect = wait_until(laid_out, 5, 0.1)
        if not self.rect:
            self.fail("the window is not %d stones of %d px wide: %s" % (columns, size, self.game.rect()))

    def settle(self):
        """Waits until queued presses are handled: a move changes field 2 at
        once and lasts over 200 ms, so fields 1 to 3 unchanged across 250 ms
        mean that no move is pending."""
        previous = self.status()
        for _ in range(100):
            time.sleep(0.25)
            current = self.status()
            if current[1:] == previous[1:]:
                return current
            previous = current
        self.fail("the status never settled: %s" % previous)

    # ---- presses and keys ----
    def grid_point(self):
        """A point anywhere on the part of the current grid that the window shows."""
        ox, oy = self.rect["client_origin"]
        width = min(self.model.columns * self.model.size, self.rect["client_size"][0])
        height = min(self.model.rows * self.model.size, self.model.grid_height())
        return ox + self.random.randrange(width), oy + self.random.randrange(height)

    def outside_point(self):
        """A point on the desktop beside the window, or on the status bar."""
        left, top, right, bottom = self.rect["window"]
        if self.random.random() < 0.3:
            ox, oy = self.rect["client_origin"]
            bar_top = oy + self.model.grid_height()
            bar_bottom = oy + self.rect["client_size"][1]
            return ox + self.random.randrange(self.rect["client_size"][0]), (bar_top + bar_bottom) // 2
        screen_w, screen_h = self.rect["screen"]
        while True:
            x, y = self.random.randrange(screen_w), self.random.randrange(screen_h)
            if not (left - 8 <= x < right + 8 and top - 8 <= y < bottom + 8):
                return x, y

    def press_batch(self, size):
        args = []
        for _ in range(size):
            button = self.random.choice((1, 1, 1, 2, 3))
            if self.random.random() < 0.9:
                x, y = self.grid_point()
                self.note("grid", "%d %d button %d" % (x, y, button))
                if self.model.state == "new":
                    self.model.state = "running"
            else:
                x, y = self.outside_point()
                self.note("outside", "%d %d button %d" % (x, y, button))
            args += ["mousemove", x, y, "click", button]
        xdotool(*args)
        fields = self.settle()
        self.batches += 1
        if fields[3] in GAME_OVER_TEXTS and self.model.state != "over":
            self.model.state = "over"
            self.games_ended += 1
        self.handle_end_boxes()

    def key(self, name, kind):
        self.note(kind, name)
        self.game.key(name)

    def key_batch(self):
        """Keys of the board in one go. The first is an arrow: it shows the
        cursor if a pointer's move hid it, so every Space or Enter after it
        is a press of the cursor's cell."""
        keys = [self.random.choice(BOARD_KEYS[:4])]
        for _ in range(self.random.randint(0, 7)):
            keys.append(self.random.choice(BOARD_KEYS + ("space", "Return")))
        for name in keys:
            self.note("keys", name)
        presses = any(name in ("space", "Return") for name in keys)
        self.game.key(*keys)
        if presses and self.model.state == "new":
            self.model.state = "running"
        fields = self.settle()
        if fields[3] in GAME_OVER_TEXTS and self.model.state != "over":
            self.model.state = "over"
            self.games_ended += 1
        self.handle_end_boxes()

    # ---- the end of a game ----
    def dialog_texts(self):
        return self.game.texts(DIALOG) if open_dialogs(self.game) else None

    def close_box(self, texts, button=OK, ways=("button", "enter", "escape", "close box")):
        """Closes a dialog by one of `ways`, chosen at random. Enter presses the
        default button, or the push button that has the focus."""
        way = self.random.choice(ways)
        self.note("close", way)
        if way in ("enter", "escape"):
            self.game.key("Return" if way == "enter" else "Escape", window_rect=texts["rect"])
            if not wait_until(lambda: not self.still_open(texts), 5, 0.1):
                self.fail("%s did not close %r" % (way, texts["title"]))
        elif way == "button":
            click_control(self.game, texts, button)
        else:
            click_close_box(self.game, texts)

    def still_open(self, texts):
        """True while the dialog of `texts` (the same title and place) is shown."""
        return any(w["class"] == DIALOG and w["title"] == texts["title"] and w["rect"] == texts["rect"]
                   for w in open_dialogs(self.game))

    def wait_closed(self, what):
        if not wait_until(lambda: not open_dialogs(self.game), 5, 0.1):
            self.fail("%s did not close: %s" % (what, open_dialogs(self.game)))

    def handle_end_boxes(self):
        """Closes the congratulations box and the name entry that a game's
        end opened (presses of the same batch may already have closed them)."""
        for _ in range(4):
            texts = self.dialog_texts()
            if texts is None:
                return
            ids = {c["id"] for c in texts["controls"]}
            if self.model.state != "over":
                self.fail("a dialog opened though no game ended: %s" % texts["title"])
            if CONGRATS_TEXT in ids:
                self.close_box(texts)
                # The name entry follows when the score enters the table.
                wait_until(lambda: (lambda t: t and NAME_FIELD in {c["id"] for c in t["controls"]})(
                    self.dialog_texts()), 1.5, 0.1)
            elif NAME_FIELD in ids:
                self.enter_name(texts)
            else:
                self.fail("an unexpected dialog after a game: %s" % texts["title"])
            time.sleep(0.3)
        self.fail("the boxes of the game's end did not go: %s" % open_dialogs(self.game))

    def enter_name(self, texts):
        if self.random.random() < 0.5:
            length = self.random.choice((0, 1, 5, 12, 23, 24, 30))
            name = "".join(self.random.choice(string.ascii_letters + string.digits + " ")
                           for _ in range(length))
            click_control(self.game, texts, NAME_FIELD)
            self.game.key("End", "shift+Home", "BackSpace", window_rect=texts["rect"])
            if name:
                self.game.type(name, window_rect=texts["rect"])
            self.note("name", repr(name))
        self.close_box(texts)
        time.sleep(0.2)

    # ---- dialogs of the menu ----
    def open(self, command, control_id, kind):
        self.note(kind, "command %d" % command)
        self.game.command(command)
        texts = wait_until(lambda: (lambda t: t if t and control_id in {c["id"] for c in t["controls"]}
                                    else None)(self.dialog_texts()), 10, 0.1)
        if not texts:
            self.alive()
            self.fail("command %d opened no dialog" % command)
        return texts

    def number_text(self, low, high):
        """Digits (in and out of bounds) or no digits at all. Mixed texts such
        as "1x" or "-3" are left out: Wine's GetDlgItemInt reads them as 1
        and as 4294967293 where Windows reads no number."""
        if self.random.random() < 0.08:
            return self.random.choice(("x", "", "ab"))
        return str(self.random.randint(max(0, low - 4), high + 4))

    def settings_dialog(self):
        texts = self.open(CMD_SETTINGS, COLUMNS_FIELD, "settings")
        initial = {i: control(texts, i)["text"] for i in (COLUMNS_FIELD, ROWS_FIELD, COLOURS_FIELD)}
        if initial[COLUMNS_FIELD] != str(self.model.columns) or initial[ROWS_FIELD] != str(self.model.rows):
            self.fail("the settings dialog shows a grid of %s x %s, not %d x %d" % (
                initial[COLUMNS_FIELD], initial[ROWS_FIELD], self.model.columns, self.model.rows))
        for field, low, high in ((COLUMNS_FIELD, 10, 31), (ROWS_FIELD, 10, 31), (COLOURS_FIELD, 2, 6)):
            if self.random.random() < 0.5:
                value = self.number_text(low, high)
                click_control(self.game, texts, field)
                self.game.key("End", "shift+Home", "BackSpace", window_rect=texts["rect"])
                if value:
                    self.game.type(value, window_rect=texts["rect"])
                self.note("type", "%d %r" % (field, value))
        for group in ((ROUND, SQUARE), tuple(SIZE_BUTTONS.values()), (SOUND,)):
            if self.random.random() < 0.4:
                button = self.random.choice(group)
                click_control(self.game, texts, button)
                self.note("tick", str(button))
        time.sleep(0.2)
        chosen = self.game.texts(DIALOG)
        # The dialog has no default button: Enter does not close it.
        accept = self.random.random() < 0.6
        if accept:
            self.note("close", "ok")
            click_control(self.game, chosen, OK)
        else:
            self.close_box(chosen, CANCEL, ("button", "escape", "close box"))
        self.wait_closed("the settings dialog")
        if accept:
            self.apply_settings(chosen)

    def apply_settings(self, chosen):
        """The model after OK: what the controls held, brought into bounds;
        a field without a number keeps its setting."""
        def number(field, low, high, kept):
            text = control(chosen, field)["text"]
            if not text.isdigit():
                return kept
            return max(low, min(high, int(text)))
        model = self.model
        model.pending = (number(COLUMNS_FIELD, 10, 31, model.columns), number(ROWS_FIELD, 10, 31, model.rows))
        colours = number(COLOURS_FIELD, 2, 6, model.colours)
        if colours != model.colours and model.state == "running":
            model.colours_changed = True
        model.colours = colours
        model.form = 1 if control(chosen, ROUND)["check"] == 1 else 0
        model.size = next((s for s, i in SIZE_BUTTONS.items() if control(chosen, i)["check"] == 1), model.size)
        if model.state != "running":
            model.new_game()
            self.wait_new_game()
        time.sleep(0.3)

    def wait_new_game(self):
        total = str(self.model.columns * self.model.rows)
        fields = wait_until(lambda: (lambda f: f if f and f[1] == total and f[2] == total else None)(
            self.game.status()), 5, 0.1)
        if not fields:
            self.alive()
            self.fail("no new game of %s stones: %s" % (total, self.game.status()))
        self.refresh_rect()

    def scores_dialog(self):
        texts = self.open(CMD_BEST_SCORES, SCORES_LIST, "scores")
        lines = self.game.listbox(DIALOG, SCORES_LIST) or []
        if len(lines) > 24:
            self.fail("the best-scores list holds %d lines" % len(lines))
        ways = ("button", "enter", "escape", "close box")
        if lines and self.random.random() < 0.3:
            click_control(self.game, texts, RESET)
            self.note("reset")
            if not wait_until(lambda: self.game.listbox(DIALOG, SCORES_LIST) == [], 3, 0.1):
                self.fail("reset left lines in the best-scores list")
            ways = ways[:1] + ways[2:]  # Enter would press the focused reset again
        self.close_box(texts, OK, ways)
        self.wait_closed("the best-scores dialog")

    def board_number_dialog(self):
        texts = self.open(CMD_BOARD_NUMBER, NUMBER_FIELD, "board_number")
        good = self.random.random() < 0.6
        number = str(self.random.randrange(2 ** 32)) if good else self.random.choice(BAD_NUMBERS)
        self.note("type", number)
        type_into(self.game, texts, NUMBER_FIELD, number)
        self.game.key("Return", window_rect=texts["rect"])
        if good:
            self.wait_closed("the board number dialog")
            self.model.new_game()
            self.wait_new_game()
            return
        # Refused: a message in front of the dialog, then the dialog again.
        if not wait_until(lambda: len(open_dialogs(self.game)) == 2, 5, 0.1):
            self.fail("%r was not refused by a message" % number)
        self.game.key("Return")
        if not wait_until(lambda: len(open_dialogs(self.game)) == 1, 5, 0.1):
            self.fail("the refusal of %r did not close" % number)
        self.close_box(self.game.texts(DIALOG), CANCEL, ("button", "escape", "close box"))
        self.wait_closed("the board number dialog")

    def toggle_option(self):
        if self.random.random() < 0.5:
            self.note("options", "show groups")
            self.game.command(CMD_SHOW_GROUPS)
            self.model.show_groups = not self.model.show_groups
        else:
            self.note("options", "symbols")
            self.game.command(CMD_SYMBOLS)
            self.model.symbols = not self.model.symbols

    def help_window(self):
        """F1, a link followed by Tab and Enter, then Escape."""
        self.note("help", "F1")
        self.game.key("F1")
        window = wait_until(lambda: self.game.texts(HELP_CLASS), 15, 0.2)
        if not window:
            self.fail("F1 opened no help window")
        first_paragraph = control(window, 701)["text"].splitlines()[0]
        self.note("help", "Tab Return")
        self.game.key("Tab", "Return", window_rect=window["rect"])
        def moved_on():
            shown = self.game.texts(HELP_CLASS)
            return shown if shown and control(shown, 701)["text"].splitlines()[0] != first_paragraph else None
        followed = wait_until(moved_on, 10, 0.2)
        if not followed:
            self.fail("the help window's first link was not followed")
        self.note("help", "Escape")
        self.game.key("Escape", window_rect=followed["rect"])
        if not wait_until(lambda: not [w for w in self.game.windows() if w["class"] == HELP_CLASS], 10, 0.2):
            self.fail("Escape did not close the help window")

    def scale_change(self):
        """The system's message of a change of scale, at the same scale, with
        the window's own place as the suggested one: the window is laid out
        again and the game goes on."""
        self.note("scale")
        if harness.probe("dpichanged", *self.game.rect()["window"]) is None:
            self.fail("the message of a change of scale could not be sent")
        self.refresh_rect()

    def about_box(self):
        texts = self.open(CMD_ABOUT, ABOUT_TITLE, "about")
        self.close_box(texts)
        self.wait_closed("the About box")

    # ---- checkpoints ----
    def checkpoint(self):
        if open_dialogs(self.game):
            self.fail("a dialog is open at a checkpoint: %s" % open_dialogs(self.game))
        fields = self.settle()
        self.memory.append((self.sent, resident_kb(self.game)))
        model = self.model
        shown_columns = min(model.columns, self.rect["client_size"][0] // model.size)
        shown_rows = min(model.rows, model.grid_height() // model.size)
        if model.symbols:  # they lie where a stone's colour is read: off while it is
            self.note("options", "symbols")
            self.game.command(CMD_SYMBOLS)
            model.symbols = False
            if not wait_until(lambda: self.readable(self.game.board(shown_columns, shown_rows, model.size)), 5, 0.1):
                self.fail("the stones never showed without their symbols")
        time.sleep(0.2)  # the focus paint after a dialog
        board = self.game.board(shown_columns, shown_rows, model.size)
        whole = shown_columns == model.columns and shown_rows == model.rows
        self.check_invariant(board, whole)
        if fields[1] != str(model.columns * model.rows):
            self.fail("field 1 reads %r for a %d x %d grid" % (fields[1], model.columns, model.rows))
        if not whole:
            self.partial_checkpoints += 1
            return
        self.checkpoints += 1
        stones, playable = rules.remaining(board), rules.playable(board)
        if model.colours_changed:  # an undo recounts only the colours now set
            if not fields[2].isdigit() or int(fields[2]) > stones:
                self.fail("field 2 reads %r with %d stones on the board" % (fields[2], stones))
        elif fields[2] != str(stones):
            self.fail("field 2 reads %r with %d stones on the board" % (fields[2], stones))
        if fields[3] in GAME_OVER_TEXTS:
            if playable != 0 or model.state != "over":
                self.fail("field 3 says the game is over with %d playable stones" % playable)
        elif fields[3] != str(playable):
            self.fail("field 3 reads %r with %d playable stones" % (fields[3], playable))

    @staticmethod
    def readable(board):
        """Every cell a stone or empty, and every column settled."""
        for column in board:
            if any(v is None or (v not in STONES and v != "blank") for v in column):
                return False
            first_stone = next((r for r, v in enumerate(column) if v != "blank"), len(column))
            if any(v == "blank" for v in column[first_stone:]):
                return False
        return True

    def check_invariant(self, board, whole):
        for c, column in enumerate(board):
            if any(v is None or (v not in STONES and v != "blank") for v in column):
                self.fail("column %d holds something else than stones and empty cells: %s" % (c + 1, column))
            first_stone = next((r for r, v in enumerate(column) if v != "blank"), len(column))
            if any(v == "blank" for v in column[first_stone:]):
                self.fail("column %d is not settled: %s" % (c + 1, column))
        if whole:
            empty = [all(v == "blank" for v in column) for column in board]
            if any(empty[i] and not empty[i + 1] for i in range(len(empty) - 1)):
                self.fail("an empty column stands left of stones: %s" % empty)

    # ---- the run ----
    def step(self):
        kinds, weights = zip(*WEIGHTS)
        kind = self.random.choices(kinds, weights)[0]
        if kind in ("grid", "outside"):
            self.press_batch(min(self.random.randint(1, BATCH), max(1, self.count - self.sent)))
        elif kind == "keys":
            self.key_batch()
        elif kind == "hint":
            self.key("h", kind)
        elif kind == "new_game":
            self.key("F2", kind)
            self.model.new_game()
            self.wait_new_game()
        elif kind == "restart":
            self.key("F5", kind)
            self.model.new_game(same_grid=True)
            self.wait_new_game()
        elif kind == "options":
            self.toggle_option()
        elif kind == "board_number":
            self.board_number_dialog()
        elif kind == "help":
            self.help_window()
        elif kind == "scale":
            self.scale_change()
        elif kind == "undo":
            self.key("ctrl+z", kind)
        elif kind == "language":
            self.note(kind)
            self.game.command(CMD_TOGGLE_LANGUAGE)
            self.model.lang = 0 if self.model.lang == 1000 else 1000
        elif kind == "settings":
            self.settings_dialog()
        elif kind == "scores":
            self.scores_dialog()
        else:
            self.about_box()

    def run(self):
        self.game.wait_window()
        self.refresh_rect()
        next_check, next_report = CHECK_EVERY, 500
        while self.sent < self.count:
            self.step()
            self.alive()
            if self.sent >= next_check:
                self.checkpoint()
                next_check = self.sent + CHECK_EVERY
                if self.sent >= next_report:
                    next_report += 500
                    print("soak: %d inputs, %d games ended, %.0f s" % (
                        self.sent, self.games_ended, time.monotonic() - self.started), flush=True)
        self.checkpoint()
        self.game.screenshot("soak_end")
        self.check_memory()
        self.leak_burst()
        self.finish()

    def check_memory(self):
        """A steady climb of the game's memory: past the first third of the
        run (the system's caches filling, each kind of input used a first
        time), the median of the last third stands above that of the middle
        one by more than the allowed growth for the inputs between them.
        Judged on runs of at least MIN_CHECKPOINTS checkpoints."""
        kb = [k for _, k in self.memory]
        print("soak: memory (private, KB) at the checkpoints: %s" % kb, flush=True)
        third = len(self.memory) // 3
        if len(self.memory) < MIN_CHECKPOINTS:
            return
        middle, last = self.memory[third:2 * third], self.memory[2 * third:]
        median = lambda points: sorted(k for _, k in points)[len(points) // 2]
        inputs = (last[len(last) // 2][0] - middle[len(middle) // 2][0]) or 1
        rate = (median(last) - median(middle)) * 1000 / inputs
        print("soak: memory %+.0f KB per thousand inputs from the middle third to the last" % rate, flush=True)
        if rate > MAX_GROWTH_PER_THOUSAND_KB:
            self.fail("the game's memory climbs %.0f KB per thousand inputs: %s" % (rate, kb))

    def leak_burst(self, rounds=40):
        """The inputs that make the program's pictures, fonts and strips anew
        (a change of scale, each option on and off), many times over: what
        one of them leaks adds up past the noise. Show groups switched once
        more at the end, seen in the number of status fields, tells that every
        message before it is handled."""
        fields = len(self.status())
        before = resident_kb(self.game)
        place = self.game.rect()["window"]  # the same place and scale: the window stays
        for _ in range(rounds):
            if harness.probe("dpichanged", *place) is None:
                self.fail("the message of a change of scale could not be sent")
            for command in (CMD_SYMBOLS, CMD_SYMBOLS, CMD_SHOW_GROUPS, CMD_SHOW_GROUPS):
                self.game.command(command)
        self.game.command(CMD_SHOW_GROUPS)
        self.model.show_groups = not self.model.show_groups
        if not wait_until(lambda: len(self.status()) != fields, 20, 0.2):
            self.fail("the burst of changes was not handled")
        growth = resident_kb(self.game) - before
        print("soak: memory %+d KB after %d changes of scale and %d of options" % (growth, rounds, 4 * rounds),
              flush=True)
        if growth > MAX_BURST_GROWTH_KB:
            self.fail("%d changes of scale and options took %d KB that stayed" % (5 * rounds, growth))

    def finish(self):
        """Closes the program and reads back the settings file it wrote."""
        self.note("quit")
        self.game.command(CMD_QUIT)
        code = self.game.wait_exit(20)
        if code != 0:
            self.fail("the program ended with code %s" % code)
        self.log.close()
        check_settings_file(self.game.settings_text(), self.model)


def resident_kb(game):
    """The game's private resident memory in KB, as Linux counts the Wine
    process: its heap and bitmaps, not the pages of the files it maps."""
    with open("/proc/%d/status" % game.process.pid) as status:
        for line in status:
            if line.startswith("RssAnon:"):
                return int(line.split()[1])
    raise SoakFailure("no resident memory for process %d" % game.process.pid)


def check_settings_file(text, model):
    """The file holds seven settings within their limits, the ones the soak
    chose last, and at most 24 score lines with names of at most 24 characters."""
    lines = text.split("\r\n")
    assert lines[-1] == "", "the file does not end with CR LF: %r" % text[-10:]
    lines = lines[:-1]
    fields = parse_settings(text)
    keys = ["maxi_x", "maxi_y", "form", "size" if model.lang == 1000 else "larg", "lang",
            "colors" if model.lang == 1000 else "couleurs", "sound" if model.lang == 1000 else "son"]
    assert list(fields) == keys, "setting keys %s, expected %s" % (list(fields), keys)
    values = list(fields.values())
    assert 10 <= values[0] <= 31 and 10 <= values[1] <= 31, values
    assert values[3] in (15, 18, 21, 24) and values[4] in (0, 1000) and 2 <= values[5] <= 6, values
    expected = [model.columns, model.rows, model.form, model.size, model.lang, model.colours]
    assert values[:6] == expected, "the file keeps %s, the soak chose %s" % (values[:6], expected)
    scores = lines[7:]
    bits = (1 if model.show_groups else 0) | (2 if model.symbols else 0)
    if bits:  # the options line, after the scores, while an option is on
        assert scores and scores[-1] == "options=%d" % bits, "no options=%d line: %r" % (bits, scores[-1:])
        scores = scores[:-1]
    assert len(scores) <= 24, "%d score lines" % len(scores)
    for line in scores:
        score, _, name = line.partition(",")
        assert score.isdigit() and int(score) > 0 and _ == ",", "bad score line %r" % line
        assert len(name) <= 24, "name of %d characters: %r" % (len(name), name)
    return values, len(scores)


def run_soak(seed, count, name="soak", columns=10, rows=10, form=0, size=15, colours=2, exe=None):
    """Runs the soak; returns a summary dict. Raises on the first failure."""
    start = time.monotonic()
    print("soak: seed %d, %d inputs (replay: SOAK_SEED=%d SOAK_COUNT=%d)" % (seed, count, seed, count), flush=True)
    settings = settings_file(columns=columns, rows=rows, form=form, size=size, colours=colours)
    with Game(name, settings=settings, exe=exe) as game:
        soak = Soak(game, Model(columns, rows, form, size, colours), seed, count)
        try:
            soak.run()
        finally:
            if not soak.log.closed:
                soak.log.close()
    summary = {"seed": seed, "inputs": soak.sent, "seconds": round(time.monotonic() - start, 1),
               "checkpoints": soak.checkpoints, "partial_checkpoints": soak.partial_checkpoints,
               "games_ended": soak.games_ended, "kinds": soak.kinds,
               "memory_kb": [kb for _, kb in soak.memory]}
    print("soak: %s" % summary, flush=True)
    return summary
