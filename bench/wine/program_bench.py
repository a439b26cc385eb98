"""The figures of scripts/bench in one table: the core benchmarks' medians
(from core_bench's JSON, the first argument) and the program under Wine, each
beside its baseline, as ratios, with the targets.

Run by scripts/bench inside its Xvfb and Wine prefix, with the variables of
the end-to-end harness (E2E_EXE, E2E_PROBE, E2E_WORK) and BENCH_DRIVER
(wine_bench.exe) and BENCH_BASELINE (blit_baseline.exe). How each figure is
taken:
- launch: wine_bench starts the program from inside Wine (CreateProcess) and
  polls until its window is visible; the game and the minimal window
  program take turns, LAUNCH_RUNS times each; medians.
- full paint: the game shows a 31 x 31 board of 24-pixel square stones;
  wine_bench sends it WM_MOVE (the game paints every cell on it) right after
  a WM_NULL; the paint is the difference of the medians. The baseline
  program (blit_baseline serve) runs beside it, out of its way on a wide
  screen, and is asked in the same round for the time of 961 plain BitBlt
  calls of a 24-pixel square from a memory context whose bitmap is selected
  beforehand (the target's yardstick), for a whole paint of its own (device
  context, memory context, one select, the 961 copies) timed inside, and
  for the same whole paint on WM_MOVE timed from outside as the game's is.
  Taking all of them round after round lets the machine's load weigh on
  them alike.
- move: on the same board, wine_bench sends a left press on a stone of a
  group (the whole move runs inside the window procedure, so the sent
  message returns after the last draw and the status update) and takes it
  back with Undo; the move is the median press less a WM_NULL's cost less the
  measured time of the four 50 ms waits of the burst. A square move draws the
  board six times (four burst frames, the cleared cells, the settled board),
  so its baseline is the baseline program making the same six paints of its
  own (device context, memory context, one select, 961 BitBlt) with the same
  four busy waits between them, less the waits. Wine sends a window's picture
  to the X server at most every 50 ms, so every frame of a move is sent, in
  the game and in the baseline alike, while back-to-back paints are not.
- paints and launches at the screen's scale: the prefix's LogPixels set to
  96, 144 and 192 (100, 150 and 200 %) in turn, the Wine server restarted for
  each; the game shows 31 x 31 stones of size 24, drawn at the side the
  screen asks (read from its client area); its paint is timed beside the
  baseline program serving 961 plain BitBlt of that side, as above, and its
  launch (with that board) beside the minimal program's at the same scale.
- the stones made: wine_bench makes the game's picture strip as the game
  does at start-up (a DIB section, the painter, one select) at 24, 36 and 48
  pixels, round and square.
- help: wine_bench posts the game the Help command (what F1 does) and polls
  until the help window is visible with nothing left to paint, itself and
  its controls, then closes it; HELP_ROUNDS times. The game's own window is
  timed in the prefix as it is (it reports Windows 7); the baseline is the
  system's help viewer on Glimmets.hlp, timed the same way with the prefix
  reporting Windows XP, where the game calls it.
"""
import json
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))

import rules  # noqa: E402
from harness import PROBE, Game, settings_file, wine  # noqa: E402

DRIVER = os.environ.get("BENCH_DRIVER", "")
BASELINE = os.environ.get("BENCH_BASELINE", "")
LAUNCH_RUNS = int(os.environ.get("BENCH_LAUNCH_RUNS", "15"))
PAINT_ROUNDS = int(os.environ.get("BENCH_PAINT_ROUNDS", "400"))
MOVE_ROUNDS = int(os.environ.get("BENCH_MOVE_ROUNDS", "9"))
HELP_ROUNDS = int(os.environ.get("BENCH_HELP_ROUNDS", "9"))
SIZE_TARGET = 192 * 1024  # the program with its help pages inside
CELLS, SIDE = 31, 24


def run_json(program, *args, timeout=900):
    code, out = wine(program, *[str(a) for a in args], timeout=timeout)
    if code != 0 or not out.strip():
        raise SystemExit("%s %s failed with code %s" % (os.path.basename(program), args[0], code))
    return json.loads(out.strip().splitlines()[-1])


def windows_path(path):
    done = subprocess.run(["winepath", "-w", path], capture_output=True, timeout=30)
    return done.stdout.decode().strip()


def launch_figures(settings=None):
    game = Game("bench_launch", settings=settings or settings_file())
    minimal = os.path.join(game.folder, "blit_baseline.exe")
    shutil.copy(BASELINE, minimal)
    pairs = [windows_path(game.exe), "GLIMMETS", windows_path(minimal), "GLIMMETS_BENCH_MINIMAL"]
    run_json(DRIVER, "launch", 1, *pairs)  # warms the file cache and the prefix
    result = run_json(DRIVER, "launch", LAUNCH_RUNS, *pairs)
    return result["medians"]


def start_baseline():
    program = subprocess.Popen(["wine", BASELINE, "serve", str(CELLS * CELLS), str(SIDE)],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(3.0)
    return program


def stop_baseline(program):
    wine("taskkill", "/F", "/IM", os.path.basename(BASELINE), timeout=30)
    program.wait(timeout=20)


def board_figures():
    settings = settings_file(columns=CELLS, rows=CELLS, form=0, size=SIDE, colours=6)
    baseline = start_baseline()
    try:
        with Game("bench_board", settings=settings) as game:
            game.wait_window()
            time.sleep(1.0)
            paints = run_json(DRIVER, "paints", PAINT_ROUNDS)
            stop_baseline(baseline)
            baseline = None
            board = game.board()
            # One group of each of five sizes across the range, the largest to a pair.
            by_size = {}
            for group in rules.groups(board):
                by_size.setdefault(len(group), group)
            sizes = sorted((s for s in by_size if s >= 2), reverse=True)
            picks = [by_size[sizes[i * (len(sizes) - 1) // 4]] for i in range(5)]
            points = []
            for group in picks:
                column, row = group[0]
                points += [column * SIDE + SIDE // 2, row * SIDE + SIDE // 2]
            move = run_json(DRIVER, "move", MOVE_ROUNDS, *points)
            waits = run_json(DRIVER, "waits", 15)
            if game.board() != board:
                raise SystemExit("the moves were not all taken back")
    finally:
        if baseline is not None:
            stop_baseline(baseline)
    presses = sorted(t["press_ms"] - t["message_ms"] for t in move["targets"])
    move_ms = presses[len(presses) // 2] - waits["waits_ms"]
    fastest = min(t["fastest_ms"] - t["message_ms"] for t in move["targets"]) - waits["waits_ms"]
    return paints, move_ms, fastest, waits["waits_ms"], [len(g) for g in picks]


SCALES = ((96, "100 %"), (144, "150 %"), (192, "200 %"))


def set_scale(dpi):
    """The screen's scale for the programs started from now on."""
    wine("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    subprocess.run(["wineserver", "-k"], timeout=60)
    subprocess.run(["wineserver", "-w"], timeout=60)
    subprocess.run(["wineserver", "-p"], timeout=60)
    # Brings the desktop up again; its process keeps any pipe it was given open.
    subprocess.run(["wine", PROBE, "windows"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def scaled_figures():
    """(label, side, paints, launches) at each scale: the game's side read from
    its client area, its paint beside the baseline's, and its launch beside
    the minimal program's."""
    rows = []
    settings = settings_file(columns=CELLS, rows=CELLS, form=0, size=SIDE, colours=6)
    try:
        for dpi, label in SCALES:
            set_scale(dpi)
            launches = launch_figures(settings)
            with Game("bench_scale_%d" % dpi, settings=settings) as game:
                rect = game.wait_window()
                side = rect["client_size"][0] // CELLS
                program = subprocess.Popen(["wine", BASELINE, "serve", str(CELLS * CELLS), str(side)],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                try:
                    time.sleep(3.0)
                    rows.append((label, side, run_json(DRIVER, "paints", PAINT_ROUNDS), launches))
                finally:
                    stop_baseline(program)
    finally:
        set_scale(96)
    return rows


def help_figure(window_class):
    with Game("bench_help", settings=settings_file()) as game:
        game.wait_window()
        time.sleep(1.0)
        return run_json(DRIVER, "help", HELP_ROUNDS, window_class)


def help_figures():
    own = help_figure("GlimmetsHelp")
    wine("reg", "add", "HKCU\\Software\\Wine", "/v", "Version", "/d", "winxp64", "/f")
    try:
        viewer = help_figure("MS_WINHELP")
    finally:
        wine("reg", "delete", "HKCU\\Software\\Wine", "/v", "Version", "/f")
    return own, viewer


def core_figures(path):
    with open(path) as f:
        data = json.load(f)
    rows = []
    for item in data["benchmarks"]:
        if item.get("aggregate_name") == "median":
            rows.append((item["run_name"], item["real_time"], item["time_unit"]))
    return rows


def verdict(ratio, target):
    return "met" if ratio <= target else "MISSED"


def main(argv):
    print("== core benchmarks (Google Benchmark, medians of 5 repetitions)")
    for name, value, unit in core_figures(argv[0]):
        print("  %-40s %12.3f %s" % (name, value, unit))

    launch_game, launch_minimal = launch_figures()
    paints, move_ms, fastest_move, waits_ms, group_sizes = board_figures()
    frames = run_json(BASELINE, "frames", CELLS * CELLS, SIDE, MOVE_ROUNDS)
    own_help, viewer_help = help_figures()
    size = os.path.getsize(os.environ["E2E_EXE"])
    strips = run_json(DRIVER, "strip", 21, 24, 36, 48)["sides"]
    scaled = scaled_figures()

    print()
    print("== the program under Wine (medians)")
    print("  %-34s %10s %24s %7s %8s" % ("figure", "Glimmets", "baseline", "ratio", "target"))
    rows = [
        ("launch to window shown", launch_game, "%.1f ms minimal window" % launch_minimal,
         launch_game / launch_minimal, 1.2, "ms"),
        ("full paint, 31 x 31 of 24 px", paints["paint_ms"], "%.3f ms 961 BitBlt" % paints["loop_ms"],
         paints["paint_ms"] / paints["loop_ms"], 1.5, "ms"),
        ("accepted move less the waits", move_ms, "%.3f ms same 6 paints" % frames["move_draws_ms"],
         move_ms / frames["move_draws_ms"], None, "ms"),
        ("F1 to a painted help window", own_help["median_ms"], "%.1f ms system viewer (XP)" % viewer_help["median_ms"],
         own_help["median_ms"] / viewer_help["median_ms"], None, "ms"),
        ("size of Glimmets.exe", size / 1024.0, "%.1f KB budget" % (SIZE_TARGET / 1024.0), size / SIZE_TARGET, 1.0, "KB"),
    ]
    for name, value, baseline, ratio, target, unit in rows:
        goal = ("<= %.1fx %s" % (target, verdict(ratio, target))) if target else "-"
        print("  %-34s %7.3f %s %24s %6.2fx  %s" % (name, value, unit, baseline, ratio, goal))
    for label, side, result, _ in scaled:
        name = "full paint at %s, %d px" % (label, side)
        print("  %-34s %7.3f ms %24s %6.2fx  -" % (name, result["paint_ms"], "%.3f ms 961 BitBlt" % result["loop_ms"],
                                                  result["paint_ms"] / result["loop_ms"]))
    for label, side, _, (game_ms, minimal_ms) in scaled:
        name = "launch at %s, 31 x 31 of %d px" % (label, side)
        print("  %-34s %7.3f ms %24s %6.2fx  -" % (name, game_ms, "%.1f ms minimal window" % minimal_ms,
                                                  game_ms / minimal_ms))
    for strip in strips:
        name = "stones made at %d px" % strip["side"]
        print("  %-34s %7.3f ms %24s" % (name, strip["round_ms"], "square %.3f ms" % strip["square_ms"]))
    print()
    print("  details: a message between processes %.3f ms; the burst's four waits %.1f ms;"
          % (paints["message_ms"], waits_ms))
    print("  the fastest move less the waits %.3f ms; six plain BitBlt loops %.3f ms;"
          % (fastest_move, 6 * paints["loop_ms"]))
    print("  a whole paint of the baseline (DC, memory DC, select, 961 BitBlt): %.3f ms timed inside,"
          % paints["baseline_inside_ms"])
    print("  %.3f ms timed from outside as the game's (the game's paint is %.2fx that);"
          % (paints["baseline_paint_ms"], paints["paint_ms"] / paints["baseline_paint_ms"]))
    print("  moves timed on groups of %s stones, %d rounds each; launches %d each; paints %d."
          % (", ".join(map(str, group_sizes)), MOVE_ROUNDS, LAUNCH_RUNS, PAINT_ROUNDS))
    print("  help, %d rounds each: the first F1 of a run %.1f ms (own window) and %.1f ms (viewer)."
          % (HELP_ROUNDS, own_help["first_ms"], viewer_help["first_ms"]))


if __name__ == "__main__":
    main(sys.argv[1:])
