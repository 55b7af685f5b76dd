#!/usr/bin/env python3
"""The main window, the About box, the help window and Exit, as a person meets them."""

import sys
import time

from desktop import check, run_tests, wait_until

CLIENT_WIDTH, CLIENT_HEIGHT = 538, 531
TOOLBAR_HEIGHT = 41
BLACK = (0, 0, 0)


def cyan(p):
    r, g, b = p
    return r < 160 and g > 200 and b > 200


def menu_bar_height(desktop, window):
    x, y, width, height = desktop.geometry(window)
    return height - CLIENT_HEIGHT


def test_start_about_help_exit(new_desktop, exe):
    with new_desktop() as d:
        app = d.start([exe])
        main = d.wait_window("^Ombrelith$")
        check(d.title(main) == "Ombrelith", f"title is {d.title(main)!r}")
        x, y, width, height = d.geometry(main)
        check((x, y) == (0, 0), f"first start places the window at {(x, y)}, not the top-left")
        check(width == CLIENT_WIDTH, f"client width {width}, expected {CLIENT_WIDTH}")
        menu = menu_bar_height(d, main)
        check(10 <= menu <= 40, f"window height {height}: a client area of {CLIENT_HEIGHT} "
                                f"leaves {menu} px for the menu bar")

        shot = d.screenshot("main")
        chart_top = menu + TOOLBAR_HEIGHT
        # The chart area is black from just below the toolbar to the bottom of the client
        # area, the full width; the toolbar above it is not.
        check(shot.pixel(5, chart_top - 5) != BLACK, "the toolbar is not drawn above the chart")
        for px, py in [(0, chart_top), (CLIENT_WIDTH - 1, chart_top + 100), (5, height - 1),
                       (300, chart_top + 1)]:
            check(shot.pixel(px, py) == BLACK, f"chart area pixel {(px, py)} is {shot.pixel(px, py)}")

        d.key(main, "alt+h", "a")
        about = d.wait_window("^About$")
        shot = d.screenshot("about")
        ax, ay, aw, ah = d.geometry(about)
        check((aw, ah) == (353, 231), f"About client area {(aw, ah)}")
        # The About toolbar button (the cyan diamond at x 33..66) is greyed while the box is up.
        diamond = shot.count_like(cyan, 33, menu, 66, menu + TOOLBAR_HEIGHT)
        check(diamond == 0, f"the About button still shows {diamond} cyan pixels while disabled")
        d.key(about, "Return")
        d.wait_no_window("^About$")
        time.sleep(0.3)
        shot = d.screenshot("about-closed")
        check(shot.count_like(cyan, 33, menu, 66, menu + TOOLBAR_HEIGHT) > 20,
              "the About button is not enabled again after OK")

        d.key(main, "alt+h", "i")
        helpwin = d.wait_window("^Ombrelith Help$")
        d.screenshot("help")
        check(app.poll() is None, "the program ended after Help > Index")

        d.key(main, "alt+f", "x")
        started = time.monotonic()
        wait_until(lambda: app.poll() is not None, 10, "the program to end after Exit")
        check(app.returncode == 0, f"exit status {app.returncode}")
        check(time.monotonic() - started < 10, "Exit took too long")
        check(not d.windows("^Ombrelith Help$"), "the help window outlived the program")
        del helpwin


if __name__ == "__main__":
    run_tests([test_start_about_help_exit], sys.argv)
