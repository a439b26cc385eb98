"""Harness of the end-to-end tests: the real Glimmets.exe under Wine in Xvfb.

The runner (tests/e2e/run) starts Xvfb and a fresh Wine prefix, exports
DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, E2E_EXE (the program),
E2E_PROBE (probe.exe), E2E_WORK (a folder for the runs) and E2E_SHOTS
(where screenshots go), then runs every tests/e2e/test_*.py with
tests/e2e/runner.py: each module-level function named test_* is one test; it
passes unless it raises (use plain assert). Tests run one after the other.

Typical test:

    from harness import Game, settings_file

    def test_something():
        with Game("something", settings=settings_file(columns=12, form=0)) as game:
            game.wait_window()              # the main window is shown
            before = game.board()           # decoded from the screen's pixels
            game.click_cell(3, 5)           # real mouse input through X
            assert game.status()[2] == "..."
            game.key("F2")                  # real key press (xdotool names)
            game.screenshot("something")    # build/e2e/shots/something.png
            game.command(102)               # WM_COMMAND 102 (Quit), posted
            assert game.wait_exit() == 0
            assert "lang=" in game.settings_text()

Game(name, settings=None, lang=None, exe=None, env=None): a fresh folder
    E2E_WORK/<name> with a copy of the program (and of Glimmets.hlp when it
    lies beside E2E_EXE); `settings` (str, written as cp1252, or bytes) becomes
    Glimmets.ini beside it; `lang` sets LANG for Wine (e.g. "ru_RU.UTF-8"
    makes Wine's ANSI code page 1251); `env` adds variables to the
    program's environment. Used as a context manager, the program
    is started on entry and ended (killed if still running) on exit.
  start()                 start the program (done by `with`)
  wait_window(timeout)    wait until the main window is visible; its rect()
  rect()                  {"window": [l, t, r, b], "client_origin": [x, y],
                           "client_size": [w, h], "visible", "minimized", "foreground",
                           "screen": [w, h], "menu_height", "caption_height",
                           "title"} (screen coordinates = X root coordinates)
  status()                the four status bar fields, as str
  texts(class_or_title)   a top-level window (a dialog: "#32770" or its
                          title): {"title", "class", "rect", "owner_class",
                          "controls": [{"id", "class", "text", "check",
                          "visible", "enabled"}]}
  wait_texts(class_or_title, timeout)   texts() once the window exists
  listbox(class_or_title, control_id)   the lines of a list box
  windows()               visible top-level windows, topmost first: class,
                          title, rect, pid, hwnd, xid (its X window),
                          enabled, foreground
  capture(whole_window=False)           Image of the client area (or window)
  board()                 the grid on the screen: columns of colour names
                          (see COLOURS; "blank" for an empty cell), from the
                          current stone size and grid of the settings asked
  use_drawn_side()        cells at the side drawn on this screen from now on
  click_cell(column, row, button=1)     press at the centre of a cell
                          (1-based, as the game counts) with xdotool
  click_client(x, y, button=1)          press at a client point
  click_screen(x, y, button=1)
  key(*keys, window_rect=None)  xdotool key names: "F2", "ctrl+z", ...,
                          sent once focus() has put the keyboard on the
                          game's window in front (or the one with that rect)
  type(text, window_rect=None)  the same for typed text
  open_menu(mnemonic)     Alt + the letter; fails unless a drop-down shows
  focus(window_rect=None) makes the window that must get the keys (the
                          game's enabled window in front: its dialog if one
                          is open, else the main window; or the top-level
                          window with that rect) the foreground window with
                          X's keyboard focus on the X window Wine made for
                          it, and waits until both are seen
  post(message, wparam=0, lparam=0)     PostMessage to the main window
  command(command_id)     post WM_COMMAND with that id
  screenshot(name, window_only=False)   the whole Xvfb screen (or only
                          the main window) into E2E_SHOTS/name.png
  wait_exit(timeout)      the exit code once the program has ended
  running()               True while the program runs
  settings_path, settings_bytes(), settings_text()   the settings file
  kill()                  end the program (and only it) at once

Screen(dpi=96, desktop="1280x1024", windows10=False, taskbar=False): a
    context manager under which the run's prefix shows another screen: the
    scale (LogPixels), the size of the virtual desktop, the window metrics
    and fonts of Windows 10 with its link colour, Wine's taskbar at the
    bottom (the work area
    ends above it). The prefix is restarted on entry and set back to the
    run's own screen on exit. Group the tests of one screen under one block:
    each change restarts Wine.

One probe serves the whole run (`probe serve`): each question goes to it
on a line and its answer comes back, which spares the start of a Win32
program per question. It is started before the first game after each start
of Wine (keep_desktop) and so also keeps the desktop up: Wine closes a
desktop a second after its last program ends, and a probe that brought it
up again, with a game starting beside it, could hang until its time ran out.

Other helpers: settings_file(**fields) composes a settings file;
probe(*args) asks the probe and parses its JSON (None on failure, the
probe's reason kept in probe_failures, which the runner prints with a
failed test); wine(*args) runs a Win32
program in the prefix; wait_until(predicate, timeout); Image.pixel(x, y);
x_focus() is the X window that has X's keyboard focus. Image.block(x, y,
side) gives a square's bytes; tests/e2e/pictures.py compares them with the
pictures the stone painter draws.
"""
import contextlib
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

EXE = os.environ.get("E2E_EXE", "")
PROBE = os.environ.get("E2E_PROBE", "")
WORK = os.environ.get("E2E_WORK", "/tmp/glimmets-e2e")
SHOTS = os.environ.get("E2E_SHOTS", os.path.join(WORK, "shots"))

WM_CLOSE = 0x0010
WM_COMMAND = 0x0111
WM_LBUTTONDOWN = 0x0201

# The stones' colours as the pictures paint them, and the blank cell.
COLOURS = {
    "red": (255, 0, 0),
    "green": (0, 255, 0),
    "blue": (0, 0, 255),
    "magenta": (255, 0, 255),
    "light_grey": (192, 192, 192),
    "middle_grey": (128, 128, 128),
    "blank": (0, 0, 0),
}


def wine(*args, timeout=30, env=None, cwd=None):
    """Runs a Win32 program in the prefix; returns (exit code, stdout)."""
    done = subprocess.run(["wine", *args], capture_output=True, timeout=timeout, env=env, cwd=cwd)
    return done.returncode, done.stdout.decode("utf-8", "replace")


# The environment of a game for which Wine refuses to load the rich text
# control's library (Game(..., env=NO_RICH_TEXT)): a system without it.
NO_RICH_TEXT = {"WINEDLLOVERRIDES": os.environ.get("WINEDLLOVERRIDES", "") + ";msftedit="}

# ---- Other screens ----

DESKTOP_KEY = "HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops"
METRICS_KEY = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics"


def logfont_hex(height, face, weight=400):
    """A LOGFONTW as the registry holds it (hex bytes): the given height,
    weight and face, default character set, ClearType quality."""
    data = height.to_bytes(4, "little", signed=True) + bytes(12) + weight.to_bytes(4, "little")
    data += bytes([0, 0, 0, 1, 0, 0, 5, 0]) + face.encode("utf-16-le").ljust(64, b"\0")
    return ",".join("%02x" % b for b in data)


# Windows' own link colour (Wine's default scheme has a light grey there).
WINDOWS_LINK_COLOUR = (0, 102, 204)
# What Windows 10 keeps at 100 %: sizes in twips (negative), Segoe UI 9 pt.
WINDOWS_10_METRICS = ['"%s"="%s"' % pair for pair in (
    ("BorderWidth", "-15"), ("CaptionHeight", "-330"), ("CaptionWidth", "-330"), ("MenuHeight", "-285"),
    ("MenuWidth", "-285"), ("PaddedBorderWidth", "-60"), ("ScrollHeight", "-255"), ("ScrollWidth", "-255"),
    ("SmCaptionHeight", "-330"), ("SmCaptionWidth", "-330"))] + [
    '"%s"=hex:%s' % (name, logfont_hex(-12, "Segoe UI"))
    for name in ("CaptionFont", "SmCaptionFont", "MenuFont", "StatusFont", "MessageFont", "IconFont")]

_classic = {}  # the prefix's own metrics and link colour, read once before the first change


class ProbeServer:
    """The probe that answers the run's questions one after the other (probe
    serve), started again when it ended (a restart of Wine ends it)."""

    def __init__(self):
        self.process = None
        self.pending = b""

    def running(self):
        return self.process is not None and self.process.poll() is None

    def start(self):
        self.process = subprocess.Popen(["wine", PROBE, "serve"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL)
        self.pending = b""

    def stop(self):
        if self.running():
            self.process.kill()
        if self.process is not None:
            self.process.wait(timeout=60)

    def ask(self, args, timeout):
        """(exit code, answer lines, reasons given); the code is None when the
        probe ended or gave no answer within `timeout` (it is then ended)."""
        if not self.running():
            self.start()
        try:
            self.process.stdin.write(("\t".join(args) + "\n").encode("utf-8"))
            self.process.stdin.flush()
        except BrokenPipeError:
            self.stop()
            return None, [], ["the probe had ended"]
        lines, reasons = [], []
        end = time.monotonic() + timeout
        while True:
            line = self._line(end)
            if line is None:
                self.stop()
                return None, lines, reasons + ["no answer within %d s" % timeout]
            if line.startswith("\x1e"):
                return int(line[1:]), lines, reasons
            (reasons if line.startswith("\x1f") else lines).append(line.lstrip("\x1f"))

    def _line(self, end):
        while b"\n" not in self.pending:
            left = end - time.monotonic()
            ready, _, _ = select.select([self.process.stdout], [], [], max(left, 0))
            chunk = os.read(self.process.stdout.fileno(), 65536) if ready else b""
            if not chunk:
                return None
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode("utf-8", "replace").rstrip("\r")


_server = ProbeServer()


def keep_desktop():
    """Starts the run's probe once per start of Wine, before the game, as a
    player's desktop is up before the game: it brings the desktop up and
    keeps it for every program after."""
    if _server.running():
        return
    _server.start()
    assert probe("windows", timeout=60) is not None, "the desktop did not come up: %s" % last_probe_failure()


def restart_wine():
    """Ends every program of the prefix and starts its server and desktop
    again, which then read the screen's settings anew."""
    subprocess.run(["wineserver", "-k"], capture_output=True, timeout=60)
    subprocess.run(["wineserver", "-w"], capture_output=True, timeout=60)
    _server.stop()


def import_registry(lines):
    with tempfile.NamedTemporaryFile("w", suffix=".reg", encoding="utf-16", delete=False) as f:
        f.write("\r\n".join(["Windows Registry Editor Version 5.00", ""] + lines + [""]))
    try:
        assert wine("reg", "import", f.name)[0] == 0, "the screen's settings were not imported"
    finally:
        os.remove(f.name)


def classic_screen():
    """(metrics lines, link colour) of the prefix as the run made it."""
    if not _classic:
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "metrics.reg")
            assert wine("reg", "export", METRICS_KEY, path, "/y")[0] == 0
            with open(path, encoding="utf-16") as f:
                lines = f.read().splitlines()
        _classic["metrics"] = [line for line in lines[1:] if line and not line.startswith("[")]
        code, out = wine("reg", "query", "HKCU\\Control Panel\\Colors", "/v", "HotTrackingColor")
        assert code == 0, out
        _classic["link"] = tuple(int(part) for part in out.split("REG_SZ")[1].split())
    return _classic["metrics"], _classic["link"]


def show_screen(dpi, desktop, windows10, taskbar):
    metrics, link = classic_screen()
    if windows10:
        metrics, link = WINDOWS_10_METRICS, WINDOWS_LINK_COLOUR
    restart_wine()
    import_registry(['[HKEY_CURRENT_USER\\Control Panel\\Desktop]', '"LogPixels"=dword:%08x' % dpi, "",
                     "[%s]" % DESKTOP_KEY, '"Default"="%s"' % desktop, "",
                     ("[%s\\Default]" if taskbar else "[-%s\\Default]") % DESKTOP_KEY]
                    + (['"EnableShell"=dword:00000001'] if taskbar else []) + ["",
                     "[-%s]" % METRICS_KEY, "", "[%s]" % METRICS_KEY] + metrics + ["",
                     "[HKEY_CURRENT_USER\\Control Panel\\Colors]",
                     '"HotTrackingColor"="%s"' % " ".join(map(str, link))])
    restart_wine()
    # The server stays up between programs; it keeps no pipe of ours open.
    subprocess.run(["wineserver", "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    keep_desktop()  # before the game, as a player's desktop is


@contextlib.contextmanager
def Screen(dpi=96, desktop="1280x1024", windows10=False, taskbar=False):
    show_screen(dpi, desktop, windows10, taskbar)
    try:
        yield
    finally:
        show_screen(96, "1280x1024", False, False)


# The probe's failures in the test that runs now (its command, exit code,
# error output and any output), the latest last; the runner adds them to a
# failure's message.
probe_failures = []
PROBE_FAILURES_KEPT = 8


def probe(*args, timeout=30):
    """Asks the run's probe; the parsed JSON, or None on failure (whose reason
    is kept in probe_failures). A probe that gives no answer within `timeout`
    fails the test."""
    args = [str(a) for a in args]
    code, lines, reasons = _server.ask(args, timeout)
    if code == 0 and lines:
        return json.loads(lines[-1])
    said = "; ".join(reasons) or "no reason given"
    if code is None and "no answer" in said:
        raise AssertionError("probe %s: %s" % (" ".join(args), said))
    probe_failures.append("probe %s: exit %s: %s" % (" ".join(args), code, said))
    del probe_failures[:-PROBE_FAILURES_KEPT]
    return None


def last_probe_failure():
    return probe_failures[-1] if probe_failures else "no probe failed"


def wait_until(predicate, timeout=10.0, step=0.1):
    """Calls predicate until it returns a true value; returns it (or None)."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True, timeout=20)


def x_viewable(xid):
    """True once the X window is mapped and all its ancestors are."""
    out = subprocess.run(["xwininfo", "-id", str(xid)], capture_output=True, text=True, timeout=20).stdout
    return "IsViewable" in out


def x_focus():
    """The X window that has X's keyboard focus (0 for none or the pointer's)."""
    out = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True, timeout=20).stdout
    return int(out) if out.strip().isdigit() else 0


def settings_file(columns=10, rows=15, form=1, size=15, lang=1000, colours=6, sound=0, scores=()):
    """A settings file as the game writes it (keys of the language `lang`);
    `scores` is a list of (score, name)."""
    keys = (["maxi_x", "maxi_y", "form", "size", "lang", "colors", "sound"] if lang == 1000
            else ["maxi_x", "maxi_y", "form", "larg", "lang", "couleurs", "son"])
    values = [columns, rows, form, size, lang, colours, sound]
    lines = ["%s=%d" % (k, v) for k, v in zip(keys, values)]
    lines += ["%d,%s" % (score, name) for score, name in scores]
    return "".join(line + "\r\n" for line in lines)


def parse_settings(text):
    """The settings lines of a settings file as {key: int}."""
    fields = {}
    for line in text.split("\r\n")[:7]:
        if "=" in line:
            key, value = line.split("=", 1)
            fields[key] = int(value)
    return fields


class Image:
    """An RGB image read from a binary PPM."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        parts = data.split(b"\n", 3)
        self.width, self.height = map(int, parts[1].split())
        self.pixels = parts[3]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def block(self, x, y, side):
        """The RGB bytes of the side x side square at (x, y), row after row
        (shorter where it runs off the image)."""
        rows = []
        for row in range(y, min(y + side, self.height)):
            start = (row * self.width + x) * 3
            rows.append(self.pixels[start:start + 3 * max(0, min(side, self.width - x))])
        return b"".join(rows)


def nearest_colour(rgb, tolerance=60):
    """The name of the nearest of COLOURS, or None when none is close."""
    best, best_distance = None, None
    for name, ref in COLOURS.items():
        distance = max(abs(a - b) for a, b in zip(rgb, ref))
        if best_distance is None or distance < best_distance:
            best, best_distance = name, distance
    return best if best_distance <= tolerance else None


class Game:
    def __init__(self, name, settings=None, lang=None, exe=None, env=None):
        self.name = name
        self.folder = os.path.join(WORK, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        exe = exe or EXE
        self.exe = os.path.join(self.folder, "Glimmets.exe")
        shutil.copy(exe, self.exe)
        help_file = os.path.join(os.path.dirname(exe), "Glimmets.hlp")
        if os.path.exists(help_file):
            shutil.copy(help_file, self.folder)
        self.settings_path = os.path.join(self.folder, "Glimmets.ini")
        if settings is not None:
            with open(self.settings_path, "wb") as f:
                f.write(settings if isinstance(settings, bytes) else settings.encode("cp1252"))
        self.env = dict(os.environ)
        if lang is not None:
            self.env["LANG"] = lang
            self.env["LC_ALL"] = lang
        self.env.update(env or {})
        self.process = None
        self.exit_code = None
        self._grid = self._asked_grid(settings)

    # ---- life of the program ----
    def start(self):
        keep_desktop()
        self.process = subprocess.Popen(["wine", "Glimmets.exe"], cwd=self.folder, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        if self.running():
            self.kill()
        return False

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=15):
        try:
            self.exit_code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise AssertionError("%s did not end within %s s" % (self.name, timeout))
        return self.exit_code

    def kill(self):
        # The game's own Windows process id, from its window, ends it alone.
        for window in probe("windows") or []:
            if window["class"] == "GLIMMETS":
                wine("taskkill", "/F", "/PID", str(window["pid"]), timeout=20)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    # ---- reading the window ----
    def rect(self):
        return probe("rect")

    def wait_window(self, timeout=20):
        rect = wait_until(lambda: self._shown_rect(), timeout, 0.2)
        assert rect, "%s: the main window did not appear" % self.name
        return rect

    def _shown_rect(self):
        if not self.running():
            raise AssertionError("%s ended early with code %s" % (self.name, self.process.poll()))
        rect = probe("rect")
        return rect if rect and rect["visible"] else None

    def status(self):
        return probe("status")

    def texts(self, class_or_title):
        return probe("texts", class_or_title)

    def wait_texts(self, class_or_title, timeout=10):
        return wait_until(lambda: self.texts(class_or_title), timeout, 0.2)

    def listbox(self, class_or_title, control_id):
        return probe("listbox", class_or_title, control_id)

    def windows(self):
        return probe("windows") or []

    def capture(self, whole_window=False):
        path = os.path.join(self.folder, "capture.ppm")
        if probe("capture", path, *(["window"] if whole_window else [])) is None:
            raise AssertionError("%s: the window could not be captured: %s" % (self.name, last_probe_failure()))
        return Image(path)

    def stone_size(self):
        return self._grid[2]

    def use_drawn_side(self):
        """Reads and clicks cells at the side the window shows them at (the
        stone size at the screen's scale) rather than the stone size asked."""
        rect = self.wait_window()
        self._grid = (self._grid[0], self._grid[1], rect["client_size"][0] // self._grid[0])
        return self._grid[2]

    def board(self, columns=None, rows=None, size=None):
        """Decodes the grid from the screen: a list of columns, each a list of
        colour names from the top row down."""
        columns = columns or self._grid[0]
        rows = rows or self._grid[1]
        size = size or self._grid[2]
        image = self.capture()
        grid = []
        for c in range(columns):
            column = []
            for r in range(rows):
                # Left of and below the centre: away from a round stone's glint.
                x, y = c * size + size // 2 - 1, r * size + size // 2 + 1
                column.append(nearest_colour(image.pixel(x, y)))
            grid.append(column)
        return grid

    # ---- input ----
    def click_screen(self, x, y, button=1):
        xdotool("mousemove", x, y, "click", button)

    def click_client(self, x, y, button=1):
        ox, oy = self.rect()["client_origin"]
        self.click_screen(ox + x, oy + y, button)

    def click_cell(self, column, row, button=1):
        size = self._grid[2]
        self.click_client((column - 1) * size + size // 2, (row - 1) * size + size // 2, button)

    def key(self, *keys, window_rect=None):
        self.focus(window_rect)
        xdotool("key", "--delay", 80, *keys)

    def type(self, text, window_rect=None):
        self.focus(window_rect)
        xdotool("type", "--delay", 40, "--", text)

    def focus(self, window_rect=None):
        """Puts the keyboard on the window that must get the next keys.

        X sends a key to the X window that has its keyboard focus; Wine's X
        driver hands it to the foreground window of Wine's own. Under Wine's
        desktop nothing keeps the two together: the focus may be the
        pointer's (before any window took it), the desktop's, or the X window
        of a window since closed, and Wine's own focus requests carry the
        time of the program's last message, so X may ignore them. Both are
        set here, to the same window, and read back before any key goes:
        the target becomes the foreground window with its caption drawn
        active (as a click on it would make it) and X's focus moves to the
        X window Wine made for it."""
        target = self._key_target(window_rect)

        def focused(window):
            return window["foreground"] and window["caption_active"] and x_focus() == window["xid"]

        def shown(check):
            return lambda: [w for w in self.windows() if w["hwnd"] == target["hwnd"] and check(w)]
        if not focused(target):
            probe("activate", target["hwnd"])
            # Wine gives X's focus, when it arrives, to the window that has
            # the focus in the program's own thread: X's focus moves only once
            # that thread has taken the activation (its caption drawn active),
            # or it would go back to the window that had it before.
            assert wait_until(shown(lambda w: w["foreground"] and w["caption_active"]), 5, 0.05), \
                "%s: %r did not come in front: %s" % (self.name, target["title"], self.windows())
            # X gives its focus only to a window on the screen.
            assert wait_until(lambda: x_viewable(target["xid"]), 5, 0.05), \
                "%s: the X window of %r is not shown" % (self.name, target["title"])
            xdotool("windowfocus", "--sync", target["xid"])
        assert wait_until(shown(focused), 5, 0.05), \
            "%s: the keyboard did not come to %r (X focus %s): %s" % (self.name, target["title"], x_focus(),
                                                                      self.windows())

    def _key_target(self, window_rect):
        """The top-level window with that rect, or the game's topmost enabled
        window (a modal dialog disables the main window under it)."""
        windows = wait_until(self.windows, 3, 0.1) or []
        if window_rect is not None:
            found = [w for w in windows if w["rect"] == list(window_rect)]
        else:
            game = {w["pid"] for w in windows if w["class"] == "GLIMMETS"}
            found = [w for w in windows if w["class"] in ("GLIMMETS", "#32770") and w["enabled"]
                     and (not game or w["pid"] in game)]
        assert found and found[0]["xid"], "%s: no window to type into (%s): %s" % (self.name, window_rect, windows)
        return found[0]

    def open_menu(self, mnemonic_key):
        """Opens a drop-down menu with Alt + its mnemonic."""
        self.key("alt+" + mnemonic_key)
        if not wait_until(lambda: [w for w in self.windows() if w["class"] == "#32768"], 5, 0.1):
            raise AssertionError("the menu of Alt+%s did not open" % mnemonic_key)
        return True

    def post(self, message, wparam=0, lparam=0):
        return probe("post", message, wparam, lparam)

    def command(self, command_id):
        return self.post(WM_COMMAND, command_id, 0)

    # ---- files and pictures ----
    def settings_bytes(self):
        with open(self.settings_path, "rb") as f:
            return f.read()

    def settings_text(self):
        return self.settings_bytes().decode("cp1252")

    def screenshot(self, name, window_only=False):
        """The whole screen, or only the main window, as SHOTS/name.png."""
        os.makedirs(SHOTS, exist_ok=True)
        path = os.path.join(SHOTS, name + ".png")
        crop = []
        if window_only:
            left, top, right, bottom = self.rect()["window"]
            crop = ["-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
        subprocess.run(["import", "-window", "root", *crop, path], check=True, timeout=30)
        return path

    @staticmethod
    def _asked_grid(settings):
        """Columns, rows and stone size the settings ask for (the defaults
        without a file)."""
        if settings is None:
            return 10, 15, 15
        text = settings.decode("cp1252") if isinstance(settings, bytes) else settings
        values = [int(line.split("=", 1)[1]) for line in text.split("\r\n")[:7] if "=" in line]
        return values[0], values[1], values[3]
