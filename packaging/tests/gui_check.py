#!/usr/bin/env python3
"""Starts an installed Ombrelith the way a user would and checks that it works there.

  gui_check.py linux ARTEFACTS PROGRAM
      Starts PROGRAM (an installed bin/ombrelith) under a private Xvfb from a folder that is
      neither the build nor the install, waits for the "Ombrelith" window, opens Help > Index,
      waits for "Ombrelith Help" (so the help file was found where the install put it), and
      quits with File > Exit.

  gui_check.py windows ARTEFACTS INSTALLER
      In a fresh Wine prefix: runs the installer silently (/S), checks that Ombrelith.exe,
      Ombrelith.chm and the uninstaller are in Program Files\\Ombrelith and that the
      Start-menu shortcut exists, starts the installed program from another folder, waits
      for its "Ombrelith" window, opens Help > Index and waits for "Ombrelith Help", quits
      with File > Exit, then runs the uninstaller silently and checks that the program, its
      folder and the shortcut are gone.

Exits non-zero with a message on the first failure; screenshots go to ARTEFACTS.
"""
import glob
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))
from desktop import Desktop, Failure, check, wait_until  # noqa: E402

MAIN = "^Ombrelith$"
HELP = "^Ombrelith Help$"


def menu(desk, window, menu_key, item_key):
    """Opens a menu with alt+letter and picks an item; Wine's menus take a while to open."""
    desk.focus(window)
    desk.xdotool("key", "--clearmodifiers", "alt+" + menu_key)
    time.sleep(0.7)
    desk.xdotool("key", "--clearmodifiers", item_key)


def use_the_program(desk, proc, label, click_to_activate=False):
    """Main window up, Help > Index shows the help window, File > Exit ends the program.

    Wine keeps the help window active after X focus moves back to the main window, so the
    menu key would go nowhere: there, as a person would, a click on the empty right end of
    the main window's toolbar activates it first."""
    try:
        main = desk.wait_window(MAIN, timeout=60)
        menu(desk, main, "h", "i")
        desk.wait_window(HELP, timeout=30)
        desk.screenshot(label + "-help")
        if click_to_activate:
            x, y, width, _ = desk.geometry(main)
            desk.click(x + width - 40, y + 30)
            time.sleep(0.5)
        menu(desk, main, "f", "x")
        wait_until(lambda: proc.poll() is not None, 20, "the program to exit after File > Exit")
    except Failure:
        desk.screenshot(label + "-failure")
        raise
    check(proc.returncode == 0, f"the program exited with status {proc.returncode}")


def linux(artefacts, program):
    program = os.path.abspath(program)
    check(os.access(program, os.X_OK), f"{program} is not an executable")
    with Desktop("installed-linux", artefacts) as desk:
        # The desktop's home: a folder with nothing of the build or the install in it.
        proc = desk.start([program], cwd=desk.home)
        use_the_program(desk, proc, "linux")
    print(f"ok: {program} started, found its help, and quit")


def windows(artefacts, installer):
    installer = os.path.abspath(installer)
    wine64 = os.environ.get("WINE64") or "/usr/lib/wine/wine64"
    if not os.access(wine64, os.X_OK):
        wine64 = shutil.which("wine64") or ""
    check(wine64 != "", "wine64 is not installed")
    with Desktop("installed-windows", artefacts) as desk:
        prefix = os.path.join(desk.tmp, "wine")
        extra = {
            "WINEPREFIX": prefix,
            "WINEARCH": "win64",
            "WINEDEBUG": "-all",
            # No Mono or Gecko download prompts, and no menu entries written for the host.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
        }
        env = desk.env(extra)

        def run(argv, timeout):
            subprocess.run(argv, env=env, cwd=desk.home, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=timeout)

        def settle():
            subprocess.run(["wineserver", "-w"], env=env, timeout=180)

        try:
            run([wine64, "wineboot", "-i"], 300)
            settle()
            run([wine64, installer, "/S"], 180)
            settle()

            drive_c = os.path.join(prefix, "drive_c")
            folder = os.path.join(drive_c, "Program Files", "Ombrelith")
            for name in ("Ombrelith.exe", "Ombrelith.chm", "Uninstall.exe"):
                check(os.path.isfile(os.path.join(folder, name)),
                      f"the installer put no {name} in {folder}")
            shortcuts = [p for p in glob.glob(os.path.join(drive_c, "**", "Ombrelith.lnk"),
                                              recursive=True) if "Start Menu" in p]
            check(shortcuts, "the installer made no Start-menu shortcut Ombrelith.lnk")
            print("installed: " + ", ".join(sorted(os.listdir(folder))))
            print("shortcut: " + os.path.relpath(shortcuts[0], drive_c))

            proc = desk.start([wine64, "C:\\Program Files\\Ombrelith\\Ombrelith.exe"],
                              cwd=desk.home, extra_env=extra)
            use_the_program(desk, proc, "windows", click_to_activate=True)
            settle()

            run([wine64, os.path.join(folder, "Uninstall.exe"), "/S"], 120)
            settle()
            check(not os.path.exists(os.path.join(folder, "Ombrelith.exe")),
                  "the uninstaller left Ombrelith.exe behind")
            check(not os.path.exists(folder), f"the uninstaller left {folder} behind")
            check(not any(os.path.exists(p) for p in shortcuts),
                  "the uninstaller left the Start-menu shortcut behind")
        finally:
            subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
    print(f"ok: {os.path.basename(installer)} installed silently, the program started and "
          "found its help, and the uninstaller removed it")


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("linux", "windows"):
        sys.exit(__doc__)
    try:
        (linux if sys.argv[1] == "linux" else windows)(sys.argv[2], sys.argv[3])
    except Failure as failure:
        sys.exit(f"gui_check {sys.argv[1]}: {failure}")


if __name__ == "__main__":
    main()
