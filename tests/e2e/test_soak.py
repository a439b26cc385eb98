"""The short soak of the end-to-end run: a few hundred random inputs against
the running game (presses of every button in and outside the grid, the keys
of the board, H, F2, F5, Ctrl+Z, the language and both options, the settings,
board number, best-scores and About dialogs, the help window, a change of
scale, the boxes of a game's end), with the board's invariant and the status
fields checked every 50 inputs, the game's memory after a burst of changes
of scale and options, and the settings file checked at exit. The seed and
the number of inputs come from SOAK_SEED and SOAK_COUNT (scripts/soak runs
the long one); the seed is printed so that a failure can be replayed."""
import os

from soak_helpers import run_soak

DEFAULT_SEED = 20261207
DEFAULT_COUNT = 300


def test_soak_of_random_inputs_keeps_the_board_and_the_settings_sound():
    seed = int(os.environ.get("SOAK_SEED", DEFAULT_SEED))
    count = int(os.environ.get("SOAK_COUNT", DEFAULT_COUNT))
    summary = run_soak(seed, count)
    assert summary["inputs"] >= count
    assert summary["checkpoints"] >= 1, "no checkpoint saw the whole board: %s" % summary
