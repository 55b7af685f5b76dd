#!/usr/bin/env python3
"""The program only reads what it scans, and writes nothing but its settings.

Runs the real program under strace on a private Xvfb, scans a fixture folder chosen through
File > Open (the folder dialog primed by a settings file written beforehand), opens a folder
by clicking its band, goes back up with the up bar, and exits with File > Exit. It then reads
the system-call log and fails if the program:
  - opened anything inside the fixture for writing, or created, renamed, linked or deleted
    anything other than its settings file and that file's lock, temporary and bad copies
    (the toolkit's own cache and runtime folders aside);
  - touched any path below a folder that the fixture reaches only through a symbolic link.

  test_readonly.py PROGRAM [ARTEFACT_FOLDER]
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, Failure, Screenshot, check, wait_until  # noqa: E402

KEY = r"[HKEY_CURRENT_USER\Software\Halvardyn\Ombrelith\Default]"
AQUA = (0, 255, 255)

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND")
# System calls that change the name space or a file's data or attributes by path.
CHANGING = {"mkdir", "mkdirat", "unlink", "unlinkat", "rmdir", "rename", "renameat", "renameat2",
            "link", "linkat", "symlink", "symlinkat", "truncate", "chmod", "fchmodat", "chown",
            "fchownat", "lchown", "utime", "utimes", "utimensat", "futimesat", "mknod",
            "mknodat", "setxattr", "lsetxattr", "removexattr", "lremovexattr", "creat"}


def settings_path(desk):
    return os.path.join(desk.home, ".config", "Halvardyn", "Ombrelith.reg")


def write_settings(desk, lines):
    path = settings_path(desk)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write("REGEDIT4\n\n" + KEY + "\n" + "".join(line + "\n" for line in lines))
    return path


def make_fixture(base):
    """A folder whose band "big" fills most of the chart, some odd names, and a link to a
    folder outside it that holds far more bytes than the fixture (if it were followed, the
    chart would show it)."""
    fixture = os.path.join(base, "fixture")
    outside = os.path.join(base, "outside")
    for folder in ("big/inner", "small", "odd name ü"):
        os.makedirs(os.path.join(fixture, folder))
    os.makedirs(os.path.join(outside, "deeper"))

    def put(path, size):
        with open(path, "wb") as f:
            f.write(b"o" * size)

    put(os.path.join(fixture, "big", "inner", "data.bin"), 800_000)
    put(os.path.join(fixture, "big", "more.bin"), 100_000)
    put(os.path.join(fixture, "small", "s.txt"), 20_000)
    put(os.path.join(fixture, "odd name ü", "x"), 10_000)
    put(os.path.join(fixture, "top.txt"), 20_000)
    put(os.path.join(outside, "secret.bin"), 5_000_000)
    put(os.path.join(outside, "deeper", "more.bin"), 1000)
    os.symlink(outside, os.path.join(fixture, "link"))
    return fixture + "/", outside


def screenshot(desk, label):
    """A screenshot in 8 bits per channel (ImageMagick's import writes 16 unless told), kept
    as a PNG among the artefacts."""
    desk.shots += 1
    base = os.path.join(desk.artefacts, f"{desk.name}-{desk.shots:02d}-{label}")
    subprocess.run(["import", "-display", desk.display, "-window", "root", "-depth", "8",
                    base + ".ppm"], check=True, timeout=60)
    subprocess.run(["convert", base + ".ppm", base + ".png"], check=False, timeout=60)
    shot = Screenshot(base + ".ppm")
    os.remove(base + ".ppm")
    return shot


def find_chart(shot):
    """(left, top, height) of the chart area on screen, from the up bar's aqua outline: its
    left edge is the left-most column of aqua pixels."""
    for x in range(shot.width):
        ys = [y for y in range(shot.height) if shot.pixel(x, y) == AQUA]
        if len(ys) > 40:
            return x, ys[0], ys[-1] - ys[0] + 1
    return None


def parse_strace(log):
    """Yields (pid, syscall, args, result) per call; unfinished calls are joined with their
    resumption."""
    pending = {}
    call = re.compile(r"^(\d+)\s+(\w+)\((.*)\)\s+=\s+(.*)$")
    unfinished = re.compile(r"^(\d+)\s+(\w+)\((.*) <unfinished \.\.\.>$")
    resumed = re.compile(r"^(\d+)\s+<\.\.\. (\w+) resumed>(.*)\)\s+=\s+(.*)$")
    with open(log, errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            m = unfinished.match(line)
            if m:
                pending[m.group(1)] = (m.group(2), m.group(3))
                continue
            m = resumed.match(line)
            if m:
                name, head = pending.pop(m.group(1), (m.group(2), ""))
                yield m.group(1), name, head + m.group(3), m.group(4)
                continue
            m = call.match(line)
            if m:
                yield m.group(1), m.group(2), m.group(3), m.group(4)


def unquote(text):
    """strace's escaped text (\\ooo, \\xNN, \\n, ...) back to the file name it stands for."""
    raw = text.encode("latin-1", errors="replace").decode("unicode_escape")
    return raw.encode("latin-1", errors="replace").decode("utf-8", errors="replace")


def call_paths(name, args, result, cwd):
    """The paths a call names, as (named, descriptors, returned): its string arguments, each
    joined to the descriptor before it when relative (strace -y prints a descriptor as
    N</path>, AT_FDCWD as AT_FDCWD</cwd>); the paths of its descriptor arguments; the path of
    a descriptor it returns."""
    named, descriptors = [], []
    folder = None
    for m in re.finditer(r'(?:\d+|AT_FDCWD)<((?:[^>\\]|\\.)*)>|"((?:[^"\\]|\\.)*)"', args):
        if m.group(1) is not None:
            folder = unquote(m.group(1))
            descriptors.append(folder)
            continue
        text = unquote(m.group(2))
        if text and not text.startswith("/"):
            text = os.path.join(folder if folder is not None else cwd, text)
        named.append(os.path.normpath(text) if text else text)
        folder = None
    if name in ("symlink", "symlinkat"):
        named = named[1:]  # the link's target is only text
    m = re.match(r"\d+<((?:[^>\\]|\\.)*)>", result)
    returned = unquote(m.group(1)) if m else None
    return named, descriptors, returned


def under(path, folder):
    folder = folder.rstrip("/")
    return path == folder or path.startswith(folder + "/")


def check_log(log, fixture, outside, desk):
    """The problems found in the log, and the fixture paths the program opened."""
    settings = settings_path(desk)
    settings_dir = os.path.dirname(settings)
    allowed_files = re.compile(re.escape(settings) + r"(\.lock|\.tmp|\.bad(\.\d+)?)?$")
    toolkit_dirs = [os.path.join(desk.home, ".cache"), "/var/cache/fontconfig"]

    def may_change(path):
        if allowed_files.match(path):
            return True
        if path in (settings_dir, os.path.dirname(settings_dir)):
            return True  # making the settings folder
        if any(under(path, folder) for folder in toolkit_dirs):
            return True
        # XDG_RUNTIME_DIR is the desktop's own folder; the home folder inside it is not.
        if under(path, desk.tmp) and not under(path, desk.home):
            return True
        if re.match(r"/tmp/(runtime-[^/]+|\.X11-unix|\.ICE-unix)(/|$)", path):
            return True
        return path in ("/dev/null", "/dev/tty")

    problems, opened = [], set()
    through_link = os.path.join(fixture, "link")
    for pid, name, args, result in parse_strace(log):
        named, descriptors, returned = call_paths(name, args, result, desk.home)
        shown = f"[{pid} {name}({args}) = {result}]"
        for path in named + descriptors + ([returned] if returned else []):
            if under(path, outside) or path.startswith(through_link + "/"):
                problems.append(f"reached through the link: {path} {shown}")
        if name in ("open", "openat", "openat2", "creat") and named:
            target = named[0]
            if returned and under(target, fixture):
                opened.add(target.rstrip("/"))
            writing = name == "creat" or any(flag in args for flag in WRITE_FLAGS)
            if writing and (under(target, fixture) or not may_change(target)):
                problems.append(f"opened for writing: {target} {shown}")
        elif name in CHANGING:
            for path in named:
                if under(path, fixture) or not may_change(path):
                    problems.append(f"{name} of {path} {shown}")
    return problems, opened


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    program = os.path.abspath(argv[1])
    artefacts = os.path.abspath(argv[2] if len(argv) > 2 else os.path.join(
        tempfile.gettempdir(), "ombrelith-e2e-artefacts"))
    base = tempfile.mkdtemp(prefix="ombrelith-readonly-")
    log = os.path.join(base, "strace.log")
    try:
        fixture, outside = make_fixture(base)
        with Desktop("readonly", artefacts) as desk:
            write_settings(desk, [f'"Path"="{fixture}"'])
            proc = desk.start(["strace", "-f", "-y", "-s", "8192", "-e", "trace=%file,%desc", "-o", log, program])
            main_window = desk.wait_window("^Ombrelith$", timeout=60)
            desk.key(main_window, "alt+f", "o")
            dialog = desk.wait_window("^Select Folder$")
            screenshot(desk, "select-folder")
            desk.key(dialog, "Return")
            caption = "Ombrelith ... " + fixture
            wait_until(lambda: desk.title(main_window) == caption, 30, f"the caption {caption!r}")
            desk.wait_no_window("^Wait$", timeout=60)

            def chart_drawn():
                return find_chart(screenshot(desk, "scanned"))
            left, top, height = wait_until(chart_drawn, 30, "the chart", interval=0.5)
            width = desk.geometry(main_window)[2]
            column = (width - 30) // 3
            # "big" holds over 90% of the bytes: the middle of the first column is its band.
            desk.click(left + 20 + column // 2, top + height // 2)
            wait_until(lambda: desk.title(main_window) == caption + "big/", 10,
                       "the caption of the folder big")
            screenshot(desk, "in-big")
            desk.click(left + 10, top + height // 2)
            wait_until(lambda: desk.title(main_window) == caption, 10, "the caption after going up")
            screenshot(desk, "back-up")
            desk.key(main_window, "alt+f", "x")
            try:
                proc.wait(30)
            except Exception:
                raise Failure("the program did not exit after File > Exit")
            with open(settings_path(desk)) as f:
                stored = f.read()
            check(f'"Path"="{fixture}"' in stored, f"the scanned folder was not stored:\n{stored}")
            shutil.copy(log, os.path.join(artefacts, "readonly-strace.log"))
            problems, opened = check_log(log, fixture, outside, desk)
        # The log must show the scan itself, or the checks above prove nothing.
        for folder in (fixture, fixture + "big", fixture + "big/inner", fixture + "odd name ü"):
            check(folder.rstrip("/") in opened, f"the log shows no opening of {folder}")
        check(not problems, "the program changed or followed what it must not:\n  " +
              "\n  ".join(problems[:40]))
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    finally:
        shutil.rmtree(base, ignore_errors=True)
    print("PASS: read-only scan, settings the only thing written")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
