"""End-to-end tests of the libraries the game runs: only the system's own.

A winmm.dll and a msftedit.dll of our own (built in the cross tree, each
leaving a marker file beside itself when loaded) lie beside the game, as
files left in a Downloads folder would: neither is ever loaded, while the
help window and the sound come from the system folder, and the common
controls from the system's side-by-side store. The program file
imports only libraries that Windows always takes from its own folder."""
import os
import shutil

from harness import EXE, PROBE, Game, probe, settings_file, wait_until
from pe_file import RT_MANIFEST, PeFile
from test_help import wait_contents

PLANTED = os.path.join(os.path.dirname(PROBE), "planted")
SYSTEM_FOLDER = "c:\\windows\\system32\\"
CMD_QUIT = 102
# Known DLLs, which Windows maps from its own folder whatever the search
# order, and the common controls, which the manifest binds to the system's
# side-by-side store.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "comctl32.dll"}


def loaded_from(modules, name):
    """The folders from which the library `name` is loaded."""
    return [m.lower()[:-len(name)] for m in modules if m.lower().endswith("\\" + name)]


def test_libraries_left_beside_the_game_never_load_and_help_and_sound_still_work():
    game = Game("libraries_planted", settings=settings_file(sound=1))
    for name in ("winmm.dll", "msftedit.dll"):
        shutil.copy(os.path.join(PLANTED, name), game.folder)
    # Wine binds an import of winmm to its own library before any file of that
    # name; Windows looks in the program's folder first. Wine is told to take
    # files first here, as Windows does.
    game.env["WINEDLLOVERRIDES"] = game.env.get("WINEDLLOVERRIDES", "") + ";winmm,msftedit=n,b"
    with game:
        game.wait_window()
        game.key("F1")
        wait_contents(game)
        game.screenshot("libraries_planted_help")
        pid = [w for w in game.windows() if w["class"] == "GLIMMETS"][0]["pid"]
        modules = probe("modules", pid)
        assert modules, "the game's modules could not be listed"
        # The start sound and the rich text control came from the system.
        for name in ("winmm.dll", "msftedit.dll"):
            assert loaded_from(modules, name) == [SYSTEM_FOLDER], (name, modules)
        # The common controls 6 from the side-by-side store, as the manifest asks.
        [controls] = loaded_from(modules, "comctl32.dll")
        assert controls.startswith("c:\\windows\\winsxs\\") and "common-controls" in controls \
            and "_6.0." in controls, modules
        game.command(CMD_QUIT)
        assert game.wait_exit() == 0
    markers = [name for name in os.listdir(game.folder) if name.endswith(".loaded")]
    assert markers == [], "a library beside the game was loaded: %s" % markers


def test_the_program_imports_only_libraries_windows_takes_from_its_own_folder():
    programs = [EXE, os.path.join(os.path.dirname(EXE), "..", "build", "i686", "shell", "Glimmets.exe")]
    for program in [p for p in programs if os.path.exists(p)]:
        with open(program, "rb") as f:
            pe = PeFile(f.read())
        imports, delayed = pe.imports()
        assert {name.lower() for name in imports} <= ALLOWED_IMPORTS, (program, imports)
        assert delayed == [], (program, delayed)
        # The common controls come through the manifest's activation context.
        manifest = pe.resources()[(RT_MANIFEST, 1)].decode("utf-8")
        assert "Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest, program
