"""Runs the end-to-end tests: every function test_* of every test_*.py in
this folder (or of the files named on the command line), in the order they
are written within a file. A test passes unless it raises. Prints one line
per test, the time each file took, and then "e2e: N passed, M failed"; exits
1 on any failure. `-k WORD` (first) keeps only the tests whose name contains
WORD.

Three ways to run, chosen by tests/e2e/run:
- `runner.py --lanes N [args]`: the conductor. It queues the test files, the
  longest first, and starts N lanes (tests/e2e/run with E2E_QUEUE set), each
  with its own Xvfb and Wine prefix; their lines are printed as they come and
  their counts and times added up. The waits of one lane leave the CPUs to
  the other.
- with E2E_QUEUE set: a lane, taking one file at a time from the queue until
  it is empty.
- otherwise: the files one after the other, in one lane."""
import glob
import importlib.util
import inspect
import os
import queue
import shutil
import subprocess
import sys
import threading
import time
import traceback

import harness

HERE = os.path.dirname(os.path.abspath(__file__))

# Rough minutes of each file, to queue the longest first: two lanes finish
# together when the long files do not come last. Files not named take 0.5.
WEIGHTS = {"test_screens.py": 5, "test_dialogs.py": 3.5, "test_view_options.py": 2.5, "test_help.py": 2.5,
           "test_board_number.py": 2, "test_scores_kept.py": 1.7, "test_keyboard.py": 1.2,
           "test_main_window.py": 1.2, "test_soak.py": 1, "test_files.py": 0.9}


def parse_arguments(argv):
    keep = None
    if len(argv) >= 2 and argv[0] == "-k":
        keep, argv = argv[1], argv[2:]
    paths = [os.path.abspath(p) for p in argv] or sorted(glob.glob(os.path.join(HERE, "test_*.py")))
    return keep, paths


def load_tests(path):
    name = os.path.splitext(os.path.basename(path))[0]
    spec = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    functions = [f for n, f in vars(module).items() if n.startswith("test_") and inspect.isfunction(f)]
    functions.sort(key=lambda f: f.__code__.co_firstlineno)
    return [("%s.%s" % (name, f.__name__), f) for f in functions]


def leftover_games():
    """Ends any game a failed test left running, so the next one starts clean."""
    for window in harness.probe("windows") or []:
        if window["class"] == "GLIMMETS" or window["class"] == "#32770":
            harness.wine("taskkill", "/F", "/PID", str(window["pid"]), timeout=20)


def print_times(seconds_by_file):
    print("time by file:")
    for file_name, seconds in sorted(seconds_by_file.items(), key=lambda item: -item[1]):
        print("  %-28s %6.1f s" % (file_name, seconds))


# ---- One lane ----------------------------------------------------------------

def claimed_files(paths, queue_folder):
    """The files to run: all of them, or with a queue one at a time, each
    claimed by renaming its entry, which only one lane can do."""
    if queue_folder is None:
        yield from paths
        return
    lane = os.environ.get("E2E_LANE", "0")
    while True:
        entries = sorted(e for e in os.listdir(queue_folder) if e.endswith(".queued"))
        if not entries:
            return
        entry = entries[0]
        try:
            os.rename(os.path.join(queue_folder, entry), os.path.join(queue_folder, entry + ".lane" + lane))
        except FileNotFoundError:
            continue  # the other lane took it first
        yield os.path.join(HERE, entry.split("-", 1)[1][:-len(".queued")])


def run_lane(keep, paths, queue_folder):
    passed = failed = 0
    seconds_by_file = {}
    for path in claimed_files(paths, queue_folder):
        try:
            tests = load_tests(path)
        except Exception:
            traceback.print_exc()
            print("FAIL %s (0.0 s): the file could not be loaded" % os.path.basename(path), flush=True)
            failed += 1
            continue
        for name, test in tests:
            if keep and keep not in name:
                continue
            start = time.monotonic()
            harness.probe_failures.clear()
            try:
                test()
                passed += 1
                print("PASS %s (%.1f s)" % (name, time.monotonic() - start), flush=True)
            except Exception as error:
                failed += 1
                print("FAIL %s (%.1f s): %s" % (name, time.monotonic() - start, error), flush=True)
                print("".join("  the %s\n" % said for said in harness.probe_failures), end="", flush=True)
                traceback.print_exc()
                sys.stderr.flush()
                leftover_games()
            file_name = os.path.basename(path)
            seconds_by_file[file_name] = seconds_by_file.get(file_name, 0) + time.monotonic() - start
    print_times(seconds_by_file)
    print("e2e: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


# ---- The conductor of several lanes ----------------------------------------------

def conduct(lanes, argv):
    keep, paths = parse_arguments(argv)
    out = os.environ.get("E2E_OUT") or os.path.join(HERE, "..", "..", "build", "e2e")
    queue_folder = os.path.join(out, "queue")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(queue_folder)
    order = sorted(paths, key=lambda p: -WEIGHTS.get(os.path.basename(p), 0.5))
    for index, path in enumerate(order):
        open(os.path.join(queue_folder, "%03d-%s.queued" % (index, os.path.basename(path))), "w").close()
    lanes = max(1, min(lanes, len(paths)))
    print("e2e: %d files in %d lanes" % (len(paths), lanes), flush=True)
    lines = queue.Queue()
    processes = []
    for lane in range(1, lanes + 1):
        env = dict(os.environ, E2E_QUEUE=queue_folder, E2E_LANE=str(lane), E2E_OUT=os.path.join(out, "lane%d" % lane))
        process = subprocess.Popen([os.path.join(HERE, "run")] + (["-k", keep] if keep else []), env=env,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, bufsize=1)
        threading.Thread(target=lambda p=process, n=lane: [lines.put((n, l)) for l in p.stdout] + [lines.put((n, None))],
                         daemon=True).start()
        processes.append(process)
    passed = failed = 0
    seconds_by_file = {}
    running, in_times = lanes, set()
    while running:
        lane, line = lines.get()
        if line is None:
            running -= 1
            continue
        line = line.rstrip("\n")
        if line == "time by file:":
            in_times.add(lane)
            continue
        if lane in in_times and line.startswith("  "):
            name, seconds = line.split()[:2]
            seconds_by_file[name] = seconds_by_file.get(name, 0) + float(seconds)
            continue
        if line.startswith("e2e: ") and " passed, " in line:
            counts = line[5:].split(", ")
            passed += int(counts[0].split()[0])
            failed += int(counts[1].split()[0])
            in_times.discard(lane)
            processes[lane - 1].counted = True
            continue
        print(line if line.startswith(("PASS ", "FAIL ")) else "[lane %d] %s" % (lane, line), flush=True)
    for lane, process in enumerate(processes, 1):
        process.wait()
        if not getattr(process, "counted", False):
            print("lane %d ended without its count (exit code %d)" % (lane, process.returncode))
            failed += 1
    # The screenshots of every lane in one folder, as one lane leaves them.
    shots = os.path.join(out, "shots")
    os.makedirs(shots, exist_ok=True)
    for lane in range(1, lanes + 1):
        lane_shots = os.path.join(out, "lane%d" % lane, "shots")
        for name in os.listdir(lane_shots) if os.path.isdir(lane_shots) else []:
            shutil.copy(os.path.join(lane_shots, name), shots)
    print_times(seconds_by_file)
    print("e2e: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


def main(argv):
    if len(argv) >= 2 and argv[0] == "--lanes":
        return conduct(int(argv[1]), argv[2:])
    keep, paths = parse_arguments(argv)
    return run_lane(keep, paths, os.environ.get("E2E_QUEUE"))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
