#!/usr/bin/env python3
"""The whole road of a scan as a person takes it: the idle prompt on first start, a click
that opens "Select Folder", a folder chosen with double-clicks and OK, the chart of a fixture
tree checked at computed pixels, a click into a folder band and on the up bar, Stop and a
refused close during a long scan, and a restart that remembers the folder and the window's
place and size."""

import os
import sys
import tempfile
import time

from desktop import check, run_tests, wait_until

CLIENT_HEIGHT, TOOLBAR_HEIGHT = 531, 41
CHART_W, CHART_H = 538, 490
COLUMN_W = (CHART_W - 30) // 3
BLACK, AQUA, RED = (0, 0, 0), (0, 255, 255), (255, 0, 0)
LINE_HEIGHT = 16  # the directory list's line height


def reddish(p):
    return p[0] > 160 and p[1] < 90 and p[2] < 90


def greenish(p):
    return p[1] > 70 and p[0] < 60 and p[2] < 60


def make_fixture(root):
    """root/F holds a folder `big` (two files) and a file `c`; sizes make whole bands."""
    folder = os.path.join(root, "F")
    os.makedirs(os.path.join(folder, "big"))
    for path, size in [("big/a", 409600), ("big/b", 204800), ("c", 204800)]:
        with open(os.path.join(folder, path), "wb") as f:
            f.truncate(size)
    return folder


def sizes(path):
    if os.path.isdir(path) and not os.path.islink(path):
        return sum(sizes(os.path.join(path, n)) for n in os.listdir(path))
    return os.lstat(path).st_size


def bands(folder, top, height):
    """The drawn bands of a folder's entries, as the chart lays them out: (name, top, h)."""
    total = sizes(folder)
    out, offset = [], 0
    for name in os.listdir(folder):  # the listing order, as the scan sees it
        h = sizes(os.path.join(folder, name)) / total * height
        if h > 4.0:
            out.append((name, top + offset, int(h)))
            offset += int(h)
    return out


class MainWindow:
    def __init__(self, desktop, window):
        self.d, self.w = desktop, window
        x, y, width, height = desktop.geometry(window)
        self.menu = height - CLIENT_HEIGHT
        self.origin = (x, y + self.menu + TOOLBAR_HEIGHT)  # PaintBox1's top-left on screen

    def chart_point(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def press(self, x, y, button=1, modifiers=None):
        self.d.click(*self.chart_point(x, y), button=button, modifiers=modifiers)

    def title(self):
        return self.d.title(self.w)

    def wait_title(self, text, timeout=15):
        wait_until(lambda: self.title() == text, timeout, f"the title {text!r} (is {self.title()!r})")


def dialog_line(desktop, dialog, index):
    """Screen position of line `index` of the folder list in "Select Folder"."""
    x, y, _, _ = desktop.geometry(dialog)
    return x + 60, y + 72 + 2 + LINE_HEIGHT * index + LINE_HEIGHT // 2


def path_lines(folder):
    """The lines the folder list shows above the sub-folders: / then each folder down."""
    parts = [p for p in folder.split("/") if p]
    return ["/"] + parts


def check_chart(shot, win, folder, label):
    ox, oy = win.origin
    # The up bar: an aqua outline 20 px wide, red text in its middle.
    check(shot.pixel(ox, oy + 100) == AQUA, f"{label}: no up bar outline at x 0")
    check(shot.pixel(ox + 19, oy + 100) == AQUA, f"{label}: no up bar outline at x 19")
    check(shot.count_like(reddish, ox + 2, oy + 235, ox + 19, oy + 260) >= 2,
          f"{label}: no red up mark in the up bar")
    for column, (left, spans) in enumerate([(20, [(folder, 0, CHART_H)])]):
        for path, top, height in spans:
            for name, btop, h in bands(path, top, height):
                x = ox + left + COLUMN_W - 6  # right of any label
                check(shot.pixel(x, oy + btop) == AQUA,
                      f"{label}: band {name} has no top outline at y {btop}")
                check(shot.pixel(x, oy + btop + 2) == BLACK,
                      f"{label}: band {name} is not black inside")
                check(shot.pixel(ox + left + COLUMN_W - 1, oy + btop + h // 2) == AQUA,
                      f"{label}: band {name} has no right outline")
                check(shot.pixel(x, oy + btop + h - 1) == AQUA,
                      f"{label}: band {name} has no bottom outline at y {btop + h - 1}")
                sub = os.path.join(path, name)
                if os.path.isdir(sub) and h > 12:
                    for sname, stop, sh in bands(sub, btop, h):
                        sx = ox + left + 2 * COLUMN_W - 6
                        check(shot.pixel(sx, oy + stop) == AQUA,
                              f"{label}: sub-band {name}/{sname} has no top outline")
                        check(shot.pixel(sx, oy + stop + 2) == BLACK,
                              f"{label}: sub-band {name}/{sname} is not black inside")
        del column


def test_scan_road(new_desktop, exe):
    with new_desktop() as d:
        work = tempfile.mkdtemp(dir=d.tmp)
        folder = make_fixture(work)
        app = d.start([exe], cwd=work)
        win = MainWindow(d, d.wait_window("^Ombrelith$"))

        # First start: no settings, the prompt blinks "Ready" (red) and "click here" (green).
        ox, oy = win.origin
        seen = set()

        def prompt_seen():
            shot = d.screenshot("prompt")
            area = (ox + 200, oy + 230, ox + 330, oy + 260)
            if shot.count_like(reddish, *area) > 10:
                seen.add("Ready")
            if shot.count_like(greenish, *area) > 10:
                seen.add("click here")
            return len(seen) == 2
        wait_until(prompt_seen, 20, "the idle prompt to show both texts", interval=0.3)

        # A click on the chart opens the folder dialog at the working folder.
        win.press(300, 300)
        dialog = d.wait_window("^Select Folder$")
        time.sleep(0.3)
        lines = path_lines(work)
        d.double_click(*dialog_line(d, dialog, len(lines)))  # the first sub-folder: F
        time.sleep(0.3)
        d.screenshot("dialog-in-F")
        d.key(dialog, "Return")
        d.wait_no_window("^Select Folder$")
        win.wait_title("Ombrelith ... " + folder + "/")
        time.sleep(0.5)
        check_chart(d.screenshot("chart"), win, folder, "chart of F")

        # Into the folder band of `big`, then back up with the up bar.
        big = [b for b in bands(folder, 0, CHART_H) if b[0] == "big"][0]
        win.press(20 + COLUMN_W // 2, big[1] + big[2] // 2, button=3, modifiers="shift")
        win.wait_title("Ombrelith ... " + folder + "/big/")
        time.sleep(0.3)
        check_chart(d.screenshot("chart-big"), win, os.path.join(folder, "big"), "chart of big")
        win.press(10, 200)
        win.wait_title("Ombrelith ... " + folder + "/")

        # A long scan (the whole file system from /): a close during it is refused and stops
        # it; Stop in a second one; neither leaves a tree.
        for how in ("close", "stop"):
            d.key(win.w, "alt+f", "o")
            dialog = d.wait_window("^Select Folder$")
            time.sleep(0.3)
            d.double_click(*dialog_line(d, dialog, 0))  # "/"
            time.sleep(0.3)
            d.key(dialog, "Return")
            wait = d.wait_window("^Wait$", timeout=10)
            if how == "close":
                # The progress dialog stands above the main window: where the two overlap,
                # its progress bar shows, not the black chart.
                shot = d.screenshot("scanning")
                wx, wy, ww, wh = d.geometry(wait)
                check((ww, wh) == (392, 237), f"Wait's client area is {(ww, wh)}")
                bar = (wx + 33, wy + 81, min(wx + 352, 538), wy + 95)
                check(bar[0] < bar[2], "the Wait dialog does not overlap the main window")
                check(shot.count(BLACK, *bar) < (bar[2] - bar[0]) * (bar[3] - bar[1]) // 2,
                      "the progress bar of Wait is hidden under the main window")
                d.request_close(win.w)
            else:
                d.key(wait, "Return")  # Enter presses Stop
            d.wait_no_window("^Wait$", timeout=60)
            check(app.poll() is None, f"the program ended after a {how} during the scan")
            win.wait_title("Ombrelith ... /")
            time.sleep(0.4)
            shot = d.screenshot(f"after-{how}")
            check(shot.pixel(ox + 19, oy + 100) != AQUA,
                  f"a chart is shown after the scan was stopped by {how}")

        # Move and resize the window, then close it: this time the close is allowed.
        d.xdotool("windowmove", win.w, 40, 30)
        d.xdotool("windowsize", win.w, 700, 620)
        time.sleep(0.5)
        placed = d.geometry(win.w)
        d.request_close(win.w)
        wait_until(lambda: app.poll() is not None, 10, "the program to end on close")
        check(app.returncode == 0, f"exit status {app.returncode}")

        # A restart: the window at the stored place and size, the dialog at "/".
        app = d.start([exe], cwd=work)
        win2 = d.wait_window("^Ombrelith$")
        time.sleep(0.5)
        check(d.geometry(win2) == placed, f"restarted at {d.geometry(win2)}, stored {placed}")
        d.key(win2, "alt+f", "o")
        dialog = d.wait_window("^Select Folder$")
        time.sleep(0.3)
        shot = d.screenshot("dialog-remembered")
        dx, dy, _, _ = d.geometry(dialog)
        label = shot.count_like(lambda p: p[1] > 150 and p[2] > 150 and p[0] < 100,
                                dx + 16, dy + 20, dx + 409, dy + 52)
        check(0 < label < 60, f"the folder label shows {label} text pixels, not just '/'")
        settings = open(os.path.join(d.home, ".config/Halvardyn/Ombrelith.reg"), "rb").read()
        check(b'"Path"="/"' in settings, f"the stored settings hold no Path '/': {settings!r}")
        d.key(dialog, "Escape")  # does nothing
        time.sleep(0.2)
        check(d.windows("^Select Folder$"), "Esc closed the folder dialog")
        d.request_close(dialog)
        d.wait_no_window("^Select Folder$")
        check(d.title(win2) == "Ombrelith", "Cancel changed the caption")
        d.key(win2, "alt+f", "x")
        wait_until(lambda: app.poll() is not None, 10, "the program to end after Exit")


if __name__ == "__main__":
    run_tests([test_scan_road], sys.argv)
