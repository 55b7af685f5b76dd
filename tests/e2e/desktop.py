"""Drives a real program on a private X display the way a person would.

Each test starts its own Xvfb (no window manager), starts the program with a private home
and settings folder, finds its windows by title with xdotool, clicks and types through
xdotool, and reads the screen back from screenshots taken with ImageMagick's `import`.
Screenshots are kept under the artefact folder so a person can look at them afterwards.
"""

import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout, what, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


class Screenshot:
    """A PPM screenshot held in memory, pixels as (r, g, b)."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        # P6 header: magic, width, height, maxval, each separated by white space.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        check(fields[0] == b"P6", f"{path}: not a binary PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]
        self.path = path

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def count_like(self, predicate, x0, y0, x1, y1):
        """Pixels (r, g, b) in [x0, x1) x [y0, y1) for which predicate holds."""
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if predicate(self.pixel(x, y)))

    def count(self, colour, x0, y0, x1, y1):
        """Pixels of `colour` in the rectangle [x0, x1) x [y0, y1)."""
        n = 0
        for y in range(y0, y1):
            for x in range(x0, x1):
                if self.pixel(x, y) == colour:
                    n += 1
        return n


class Desktop:
    def __init__(self, name, artefacts, size="1280x1024"):
        self.name = name
        self.artefacts = artefacts
        os.makedirs(artefacts, exist_ok=True)
        self.tmp = tempfile.mkdtemp(prefix=f"ombrelith-e2e-{name}-")
        self.home = os.path.join(self.tmp, "home")
        os.makedirs(self.home)
        self.display = None
        self.xvfb = None
        self.apps = []
        self.shots = 0
        self._start_xvfb(size)

    def _start_xvfb(self, size):
        # Xvfb picks a free display number itself and writes it to the pipe, so tests that
        # run side by side never race for the same display.
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        check(number.strip().isdigit(), "Xvfb did not start")
        self.display = f":{number.decode().strip()}"

    def env(self, extra=None):
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        env.update({
            "DISPLAY": self.display,
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_RUNTIME_DIR": self.tmp,
            "LC_ALL": "C.UTF-8",
        })
        if extra:
            env.update(extra)
        return env

    def start(self, argv, cwd=None, extra_env=None):
        log = open(os.path.join(self.artefacts, f"{self.name}-app{len(self.apps)}.log"), "wb")
        proc = subprocess.Popen(argv, cwd=cwd or self.home, env=self.env(extra_env),
                                stdout=log, stderr=subprocess.STDOUT)
        self.apps.append(proc)
        return proc

    def xdotool(self, *args, check_rc=True):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env(),
                                capture_output=True, text=True, timeout=30)
        if check_rc and result.returncode != 0:
            raise Failure(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout.strip()

    def windows(self, name):
        """Visible windows whose title matches the regular expression `name`."""
        out = self.xdotool("search", "--onlyvisible", "--name", name, check_rc=False)
        return [int(w) for w in out.split()] if out else []

    def wait_window(self, name, timeout=20):
        return wait_until(lambda: (self.windows(name) or [None])[0], timeout,
                          f"a window titled {name!r}")

    def wait_no_window(self, name, timeout=10):
        wait_until(lambda: not self.windows(name), timeout, f"window {name!r} to close")

    def title(self, window):
        return self.xdotool("getwindowname", window)

    def geometry(self, window):
        """(x, y, width, height) of a window, from xwininfo."""
        out = subprocess.run(["xwininfo", "-id", str(window)], env=self.env(),
                             capture_output=True, text=True, timeout=30).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
                values["Width"], values["Height"])

    def focus(self, window):
        self.xdotool("windowactivate", "--sync", window, check_rc=False)
        self.xdotool("windowfocus", "--sync", window)

    def key(self, window, *keys):
        self.focus(window)
        for k in keys:
            self.xdotool("key", "--clearmodifiers", k)
            time.sleep(0.15)

    def click(self, x, y, button=1, modifiers=None):
        """A press and release at screen position (x, y)."""
        self.xdotool("mousemove", "--sync", x, y)
        if modifiers:
            self.xdotool("keydown", modifiers)
        self.xdotool("click", button)
        if modifiers:
            self.xdotool("keyup", modifiers)
        time.sleep(0.15)

    def double_click(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        time.sleep(0.2)

    def request_close(self, window):
        """Asks a window to close the way a window manager's close button does: a
        WM_DELETE_WINDOW client message. (There is no window manager on the test display.)"""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

        class XEvent(ctypes.Union):
            _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

        display = x11.XOpenDisplay(self.display.encode())
        check(display, f"cannot open display {self.display}")
        try:
            event = XEvent()
            event.xclient.type = 33  # ClientMessage
            event.xclient.window = window
            event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
            event.xclient.format = 32
            event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            event.xclient.data[1] = 0  # CurrentTime
            x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)
        time.sleep(0.1)

    def screenshot(self, label):
        self.shots += 1
        base = os.path.join(self.artefacts, f"{self.name}-{self.shots:02d}-{label}")
        subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8",
                        base + ".ppm"],
                       check=True, timeout=60)
        subprocess.run(["convert", base + ".ppm", base + ".png"], check=False, timeout=60)
        shot = Screenshot(base + ".ppm")
        os.remove(base + ".ppm")  # the PNG beside it is the artefact to look at
        return shot

    def close(self):
        for proc in self.apps:
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def run_tests(tests, argv):
    """Runs each test(desktop_factory, exe) in order and prints one line per test and a
    closing count. Usage: script.py EXE ARTEFACT_FOLDER"""
    import sys
    import traceback
    exe, artefacts = argv[1], argv[2]
    passed = failed = 0
    for test in tests:
        name = test.__name__
        started = time.monotonic()
        try:
            test(lambda label=name: Desktop(label, artefacts), exe)
            passed += 1
            print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
        except Exception:  # a failing step of any kind fails this test only
            failed += 1
            print(f"FAIL {name}", flush=True)
            traceback.print_exc()
    print(f"e2e: {passed} passed, {failed} failed", flush=True)
    sys.exit(1 if failed else 0)
