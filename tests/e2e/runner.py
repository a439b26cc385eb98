"""Runs the end-to-end tests: every function test_* of every test_*.py in
this folder (or of the files named on the command line), one after the other,
in the order they are written. A test passes unless it raises. Prints one
line per test and then "e2e: N passed, M failed"; exits 1 on any failure.
`-k WORD` keeps only the tests whose name contains WORD."""
import glob
import importlib.util
import inspect
import os
import sys
import time
import traceback

import harness


def load_tests(paths):
    tests = []
    for path in paths:
        name = os.path.splitext(os.path.basename(path))[0]
        spec = importlib.util.spec_from_file_location(name, path)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        functions = [f for n, f in vars(module).items() if n.startswith("test_") and inspect.isfunction(f)]
        functions.sort(key=lambda f: f.__code__.co_firstlineno)
        tests += [("%s.%s" % (name, f.__name__), f) for f in functions]
    return tests


def leftover_games():
    """Ends any game a failed test left running, so the next one starts clean."""
    for window in harness.probe("windows") or []:
        if window["class"] == "GLIMMETS" or window["class"] == "#32770":
            harness.wine("taskkill", "/F", "/PID", str(window["pid"]), timeout=20)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    keep = None
    if len(argv) >= 2 and argv[0] == "-k":
        keep, argv = argv[1], argv[2:]
    paths = argv or sorted(glob.glob(os.path.join(here, "test_*.py")))
    passed = failed = 0
    try:
        tests = load_tests(paths)
    except Exception:
        traceback.print_exc()
        print("e2e: 0 passed, 1 failed")
        return 1
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
            leftover_games()
    print("e2e: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
