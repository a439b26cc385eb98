"""The player's downloads as scripts/build leaves them in dist/: what each zip
holds, the sums beside them, the manifest and the version inside both
programs, and the 64-bit zip unzipped into a fresh folder of the Wine prefix,
played from there."""
import hashlib
import os
import re
import shutil
import subprocess
import xml.etree.ElementTree as ElementTree
import zipfile

import pe_file
import rules
from dialog_helpers import CMD_QUIT, status
from harness import EXE, Game, wait_until

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DIST = os.path.dirname(os.path.abspath(EXE))
I686_EXE = os.path.join(ROOT, "build", "i686", "shell", "Glimmets.exe")
README = "LisezMoi-ReadMe.txt"
MACHINES = {"win64": 0x8664, "win32": 0x14C}

ASM = "{urn:schemas-microsoft-com:asm.v1}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED_OS = {  # Vista, 7, 8, 8.1, 10 and 11
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def version():
    """(major, minor) as resources/version.h names them."""
    with open(os.path.join(ROOT, "resources", "version.h")) as f:
        text = f.read()
    numbers = [int(re.search(r"#define GLIMMETS_VERSION_%s\s+(\d+)" % part, text).group(1))
               for part in ("MAJOR", "MINOR")]
    return tuple(numbers)


def zip_path(kind):
    return os.path.join(DIST, "Glimmets-%d.%d-%s.zip" % (version() + (kind,)))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def test_each_zip_holds_the_program_its_help_and_the_read_me_and_its_sum():
    major, minor = version()
    sums_name = "Glimmets-%d.%d-SHA256SUMS.txt" % (major, minor)
    sums = dict(line.split()[::-1] for line in open(os.path.join(DIST, sums_name)).read().splitlines())
    assert sorted(sums) == sorted(os.path.basename(zip_path(k)) for k in MACHINES), sums
    programs = {"win64": read(EXE), "win32": read(I686_EXE)}
    for kind, machine in MACHINES.items():
        path = zip_path(kind)
        assert sums[os.path.basename(path)] == hashlib.sha256(read(path)).hexdigest(), kind
        with zipfile.ZipFile(path) as archive:
            entries = archive.infolist()
            assert [e.filename for e in entries] == ["Glimmets.exe", "Glimmets.hlp", README], kind
            assert archive.testzip() is None
            # Nothing that changes from one build to the next: one fixed time,
            # no extra fields (owners, Unix times), plain read-write modes.
            assert len({e.date_time for e in entries}) == 1, [e.date_time for e in entries]
            assert all(e.extra == b"" and (e.external_attr >> 16) == 0o100644 for e in entries), kind
            program = archive.read("Glimmets.exe")
            assert program == programs[kind], "%s: the zip's program is not the one built" % kind
            assert pe_file.PeFile(program).machine == machine
            assert archive.read("Glimmets.hlp") == read(os.path.join(DIST, "Glimmets.hlp"))
            check_read_me(archive.read(README), os.path.basename(path), "%d.%d" % (major, minor))


def check_read_me(data, zip_name, version_text):
    assert data.startswith(b"\xef\xbb\xbf"), "no byte order mark: Windows' editors may not read UTF-8"
    assert data.count(b"\r\n") == data.count(b"\n") > 40, "lines must end in CR LF"
    text = data.decode("utf-8")
    assert "@" not in text, "a placeholder was left"
    assert text.startswith("\ufeffGlimmets " + version_text)
    french, english = text.split("ENGLISH")
    for part in (french, english):
        for needed in ("Glimmets.exe", "Glimmets.ini", "Program Files", "F1", "Get-FileHash " + zip_name):
            assert needed in part, needed
    assert "Décompressez" in french and "Unzip" in english
    # The keys, and what to do at Windows' warning for a program from the internet.
    assert "F5" in french and "F5" in english and "Page préc." in french and "Page Up" in english
    assert "Exécuter quand même" in french and "Run anyway" in english


def test_both_programs_carry_the_manifest_and_one_version():
    major, minor = version()
    version_text = "%d.%d" % (major, minor)
    for kind in MACHINES:
        with zipfile.ZipFile(zip_path(kind)) as archive:
            program = pe_file.PeFile(archive.read("Glimmets.exe"))
        # No time stamp in the header, so two builds of one commit are equal;
        # the check sum is still right for the bytes that are there.
        assert program.time_stamp == 0, kind
        assert program.check_sum == program.computed_check_sum(), kind
        resources = program.resources()
        check_manifest(resources[(pe_file.RT_MANIFEST, 1)], kind)
        block = resources[(pe_file.RT_VERSION, 1)]
        assert pe_file.version_numbers(block) == (major, minor, 0, 0), kind
        texts = pe_file.version_texts(block)
        assert texts["FileVersion"] == texts["ProductVersion"] == version_text, texts
        assert texts["OriginalFilename"] == "Glimmets.exe"
        # The About box's product text, as the string table holds it.
        assert b"Glimmets\nVersion " + version_text.encode() + b"\0" in program.data, kind


def check_manifest(data, kind):
    root = ElementTree.fromstring(data)
    controls = [identity.attrib for identity in root.iter(ASM + "assemblyIdentity")
                if identity.get("name") == "Microsoft.Windows.Common-Controls"]
    assert len(controls) == 1 and controls[0]["version"] == "6.0.0.0", (kind, controls)
    assert controls[0]["publicKeyToken"] == "6595b64144ccf1df"
    assert {entry.get("Id") for entry in root.iter(COMPATIBILITY + "supportedOS")} == SUPPORTED_OS, kind
    # No execution level asked: a 32-bit copy keeps the system's file
    # virtualization for the settings file beside it.
    tags = {element.tag.split("}")[-1] for element in root.iter()}
    assert not tags & {"trustInfo", "requestedExecutionLevel"}, kind
    # Drawn at each monitor's own scale, never stretched by the system: per
    # monitor v2 where there is one, the older forms for older systems.
    settings = {element.tag.split("}")[1]: element.text for element in root.iter()
                if element.tag.split("}")[1] in ("dpiAware", "dpiAwareness", "gdiScaling")}
    assert settings == {"dpiAware": "true/pm", "dpiAwareness": "PerMonitorV2, PerMonitor"}, (kind, settings)


def test_unzipped_into_a_fresh_folder_of_the_prefix_it_plays_and_keeps_its_settings_beside_itself():
    folder = os.path.join(os.environ["WINEPREFIX"], "drive_c", "Jeux", "Glimmets")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    listing = subprocess.run(["unzip", "-l", zip_path("win64")], capture_output=True, text=True, check=True)
    assert "3 files" in listing.stdout, listing.stdout
    subprocess.run(["unzip", "-q", zip_path("win64"), "-d", folder], check=True)
    assert sorted(os.listdir(folder)) == ["Glimmets.exe", "Glimmets.hlp", README]

    game = Game("unzipped")
    game.folder = folder  # started from where the player unzipped it
    game.settings_path = os.path.join(folder, "Glimmets.ini")
    with game:
        game.wait_window()
        start = game.board()
        group = rules.groups(start)[0]
        assert len(group) >= 2
        game.click_cell(group[0][0] + 1, group[0][1] + 1)
        # Round stones by default: they may roll, but none is lost.
        left = str(rules.remaining(start) - len(group))
        assert wait_until(lambda: status(game)[2] == left, 5, 0.1), status(game)
        game.screenshot("unzipped_after_a_move", window_only=True)
        game.command(CMD_QUIT)
        assert game.wait_exit() == 0
    # (The harness keeps its screen captures in the game's folder too.)
    assert {"Glimmets.exe", "Glimmets.hlp", "Glimmets.ini", README} <= set(os.listdir(folder))
    assert "maxi_x=10" in game.settings_text()
