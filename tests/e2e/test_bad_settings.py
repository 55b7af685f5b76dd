#!/usr/bin/env python3
"""Damaged settings, as a person meets them.

1. "Left" stored as a string: the program shows an error box naming "Left" before its main
   window; Enter dismisses it; the main window then comes up at its designed place (0, 0) and
   size, and no folder is remembered (the folder dialog's OK does not scan the stored one).
2. A settings file of binary garbage: the program starts with no message box; after a scan
   the garbage is kept, byte for byte, as Ombrelith.reg.bad (or the first free .bad.N when
   that exists already), and the new Ombrelith.reg is clean and holds the scanned "Path".

  test_bad_settings.py PROGRAM [ARTEFACT_FOLDER]
"""

import os
import random
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, Failure, check, wait_until  # noqa: E402

KEY = r"[HKEY_CURRENT_USER\Software\Halvardyn\Ombrelith\Default]"
MAIN_CLIENT = (538, 531)  # the main window's designed client size


def settings_path(desk):
    return os.path.join(desk.home, ".config", "Halvardyn", "Ombrelith.reg")


def write_settings(desk, data):
    path = settings_path(desk)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return path


def screenshot(desk, label):
    """A screenshot kept as a PNG among the artefacts."""
    desk.shots += 1
    path = os.path.join(desk.artefacts, f"{desk.name}-{desk.shots:02d}-{label}.png")
    subprocess.run(["import", "-display", desk.display, "-window", "root", "-depth", "8", path],
                   check=True, timeout=60)
    return path


def read_text(desk, shot, geometry):
    """The text in a window's rectangle of a screenshot, read with tesseract: the toolkit's
    message box offers its text neither to the clipboard nor to any property."""
    x, y, width, height = geometry
    crop = os.path.join(desk.tmp, "crop.png")
    subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "-resize", "300%",
                    "-colorspace", "Gray", crop], check=True, timeout=60)
    try:
        result = subprocess.run(["tesseract", crop, "-"], capture_output=True, text=True,
                                timeout=60)
    except FileNotFoundError:
        raise Failure("tesseract is needed to read the error box (Debian tesseract-ocr)")
    return result.stdout


def parse_settings(text):
    """The values of the program's key in a REGEDIT4 text, or None when it is not one."""
    lines = [line.rstrip("\r") for line in text.split("\n")]
    if not lines or lines[0].lstrip("\ufeff") != "REGEDIT4":
        return None
    values, in_key = {}, False
    for line in lines[1:]:
        if not line.strip():
            continue
        if line.startswith("["):
            in_key = line == KEY
            continue
        m = re.match(r'^"((?:[^"\\]|\\.)*)"=(.*)$', line)
        if not m:
            return None
        if in_key:
            values[m.group(1)] = m.group(2)
    return values


def scan_default_folder(desk, main_window):
    """File > Open, OK on whatever the dialog shows; returns the caption after the scan."""
    desk.key(main_window, "alt+f", "o")
    dialog = desk.wait_window("^Select Folder$")
    desk.key(dialog, "Return")
    caption = wait_until(lambda: (lambda t: t if t.startswith("Ombrelith ... ") else None)(
        desk.title(main_window)), 30, "the caption of a scanned folder")
    desk.wait_no_window("^Wait$", timeout=60)
    return caption


def exit_program(desk, main_window, proc):
    desk.key(main_window, "alt+f", "x")
    try:
        proc.wait(30)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not exit after File > Exit")


def left_as_string(program, artefacts):
    with Desktop("bad-left", artefacts) as desk:
        remembered = os.path.join(desk.tmp, "remembered") + "/"
        os.makedirs(remembered)
        write_settings(desk, (
            "REGEDIT4\n\n" + KEY + "\n"
            '"Left"="two hundred"\n"Top"=dword:00000064\n"Width"=dword:000002bc\n'
            '"Height"=dword:000001f4\n'
            f'"Path"="{remembered}"\n').encode())
        proc = desk.start([program])
        # The error comes from the main window's creation, before that window is shown: the
        # first window of the program is the error box.
        box = desk.wait_window("^Ombrelith$", timeout=60)
        time.sleep(0.5)
        check(len(desk.windows("^Ombrelith$")) == 1, "the main window showed before the error box")
        x, y, width, height = desk.geometry(box)
        check(width < MAIN_CLIENT[0] and height < MAIN_CLIENT[1],
              f"the first window ({width}x{height}) is not a message box")
        text = read_text(desk, screenshot(desk, "error-box"), (x, y, width, height))
        check("Left" in text, f"the error box does not name \"Left\"; it reads:\n{text}")
        desk.key(box, "Return")
        main_window = wait_until(
            lambda: next((w for w in desk.windows("^Ombrelith$") if w != box), None), 20,
            "the main window after the error box")
        time.sleep(0.5)
        check(not [w for w in desk.windows("^Ombrelith$") if w == box],
              "the error box is still shown after Enter")
        screenshot(desk, "main-window")
        mx, my, mwidth, mheight = desk.geometry(main_window)
        check((mx, my) == (0, 0), f"the main window is at ({mx}, {my}), not its designed (0, 0)")
        check(mwidth == MAIN_CLIENT[0], f"the main window is {mwidth} wide: a stored width was "
              f"applied after the failed read of \"Left\"")
        caption = scan_default_folder(desk, main_window)
        check(caption != "Ombrelith ... " + remembered,
              "the stored folder was remembered although reading \"Left\" failed")
        exit_program(desk, main_window, proc)
        print(f"  error box {width}x{height} at ({x}, {y}) read as {text.strip()!r}; main window "
              f"at ({mx}, {my}), {mwidth}x{mheight}; OK in the folder dialog scanned {caption!r}")


def binary_garbage(program, artefacts):
    with Desktop("bad-garbage", artefacts) as desk:
        garbage = bytes(random.Random(20261211).randrange(256) for _ in range(3000))
        path = write_settings(desk, garbage)
        older_bad = b"an earlier damaged file\n"
        with open(path + ".bad", "wb") as f:
            f.write(older_bad)
        proc = desk.start([program])
        main_window = desk.wait_window("^Ombrelith$", timeout=60)
        time.sleep(1.5)
        shown = desk.windows("^Ombrelith$")
        screenshot(desk, "started")
        check(shown == [main_window], f"more than the main window came up: {shown}")
        mx, my, mwidth, _ = desk.geometry(main_window)
        check((mx, my, mwidth) == (0, 0, MAIN_CLIENT[0]),
              f"the main window is at ({mx}, {my}), {mwidth} wide, not as designed")
        caption = scan_default_folder(desk, main_window)
        folder = caption[len("Ombrelith ... "):]
        exit_program(desk, main_window, proc)
        with open(path + ".bad", "rb") as f:
            check(f.read() == older_bad, "the earlier Ombrelith.reg.bad was overwritten")
        kept = path + ".bad.1"
        check(os.path.exists(kept), "the damaged file was not kept as Ombrelith.reg.bad.1")
        with open(kept, "rb") as f:
            check(f.read() == garbage, "Ombrelith.reg.bad.1 is not the damaged file, byte for byte")
        with open(path, "rb") as f:
            data = f.read()
        try:
            values = parse_settings(data.decode("utf-8"))
        except UnicodeDecodeError:
            values = None
        check(values is not None, f"the new settings file does not parse:\n{data[:300]!r}")
        check(values.get("Path") == f'"{folder}"',
              f"the new settings file holds Path {values.get('Path')}, expected \"{folder}\"")


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    program = os.path.abspath(argv[1])
    artefacts = os.path.abspath(argv[2] if len(argv) > 2 else os.path.join(
        tempfile.gettempdir(), "ombrelith-e2e-artefacts"))
    failed = 0
    for case in (left_as_string, binary_garbage):
        try:
            case(program, artefacts)
            print(f"PASS: {case.__name__}")
        except Failure as failure:
            failed += 1
            print(f"FAIL: {case.__name__}: {failure}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
