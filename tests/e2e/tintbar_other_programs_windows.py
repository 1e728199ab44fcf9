"""End-to-end tests of tintbar.exe beside other Windows programs, under Wine.

Usage: tintbar_other_programs_windows.py --tintbar TINTBAR.EXE --tintbar-css TINTBAR-CSS.EXE
           --reference-css LINUX-TINTBAR-CSS --winpeer WINPEER.EXE
           --locale LOCALE [--locale LOCALE] [CASE ...]

The other program is winpeer.exe, built with the Windows programs: it holds
the clipboard open, or default.css open without sharing, while tintbar.exe
runs beside it. Other cases start the program from a folder that cannot be
written and from one whose name its ANSI code page cannot spell. The cases
of a locale share one X server and one wineserver, which end with them.
"""

import argparse
import os
import select
import subprocess
import sys
import time

from harness import HarnessError, wait_for
from tintbar_e2e import NO_COLORS_CSS, PASTED_CSS, START_CSS, expect_equal
from tintbar_e2e_windows import (WINE_TIMEOUT, Context, WineApp, WineDesktop, as_x_text)

COPY_FAILED_CAPTION = "Fatal error"
# Folder names that the ANSI code page of each locale cannot spell.
NON_ANSI_FOLDERS = {
    "en_US.UTF-8": "配色 テスト",  # Japanese under code page 1252
    "ja_JP.UTF-8": "Farbe für Tests",  # "ü" under code page 932
}


def windows_path(path):
    """The name under Wine of a file of this machine: drive Z: is its root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Peer:
    """winpeer.exe holding something on a desktop until it is released."""

    def __init__(self, desktop, winpeer, *arguments):
        self.process = subprocess.Popen(["wine", winpeer] + list(arguments), env=desktop.env,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        ready, _, _ = select.select([self.process.stdout], [], [], WINE_TIMEOUT)
        # A console program's line ends in CR LF under Windows.
        if not ready or self.process.stdout.readline().rstrip() != b"holding":
            self.process.kill()
            raise HarnessError("winpeer %s holds nothing: %s" % (
                " ".join(arguments), self.process.communicate()[1].decode(errors="replace")))

    def release(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            self.process.wait(WINE_TIMEOUT)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.release()


def run_command_line(desktop, winpeer, command_line):
    """Runs a Windows command line as given, as a package manager does with
    the one it read: quotes, spaces and unquoted "/D=" folders stay as they
    are. Returns the exit code."""
    completed = subprocess.run(["wine", winpeer, "run", command_line], env=desktop.env,
                               capture_output=True, timeout=WINE_TIMEOUT)
    if completed.stderr:
        raise HarnessError("%s: %s" % (command_line, completed.stderr.decode(errors="replace")))
    return completed.returncode


def start_in(desktop, context, folder, default_css=START_CSS):
    os.makedirs(folder)
    with open(os.path.join(folder, "default.css"), "wb") as out:
        out.write(default_css)
    return WineApp(desktop, context.tintbar, folder)


def dismiss_copy_failure(app):
    """Waits for the one message of a failed Copy and closes it; another
    message first (a Paste that complained) fails the case."""
    boxes = wait_for("the message of the failed Copy", app.other_windows, timeout=WINE_TIMEOUT)
    expect_equal([app.desktop.window_name(box) for box in boxes], [COPY_FAILED_CAPTION],
                 "the messages shown")
    app.key("Return", window=boxes[0])
    wait_for("the message to close", lambda: not app.other_windows())


def test_clipboard_held(context, desktop):
    """While another program holds the clipboard open, Copy and Copy for
    current browsers each show their failure message and leave the
    clipboard as it was; Paste changes nothing and says nothing. Once the
    clipboard is free, the same Paste takes the colours."""
    start, pasted = context.picture(desktop, START_CSS), context.picture(desktop, PASTED_CSS)
    with start_in(desktop, context, desktop.path("clipboard-held")) as app:
        app.wait_for_picture(start)
        desktop.offer_clipboard(PASTED_CSS)
        with Peer(desktop, context.winpeer, "clipboard"):
            for keys in ("ctrl+c", "ctrl+shift+c"):
                app.key(keys)
                dismiss_copy_failure(app)
            # The program takes keys in order: when the Copy fails, the
            # Paste before it is done.
            app.key("ctrl+v", "ctrl+c")
            dismiss_copy_failure(app)
            app.wait_for_picture(start)
            expect_equal(desktop.read_clipboard(), PASTED_CSS, "the clipboard after the failures")
        app.key("ctrl+v")
        app.wait_for_picture(pasted)
        expect_equal(app.copy(), as_x_text(context.copy_text(PASTED_CSS)), "Copy once free")
        expect_equal(app.close(), 0, "exit status after the close box")


def test_default_css_held(context, desktop):
    """A default.css that another program holds open without sharing reads
    as an unreadable one: the program starts with the colours of CSS that
    names none."""
    folder = desktop.path("default-css-held")
    os.makedirs(folder)
    with open(os.path.join(folder, "default.css"), "wb") as out:
        out.write(START_CSS)
    with Peer(desktop, context.winpeer, "file", windows_path(os.path.join(folder, "default.css"))):
        with WineApp(desktop, context.tintbar, folder) as app:
            app.wait_for_picture(context.picture(desktop, NO_COLORS_CSS))
            expect_equal(app.copy(), as_x_text(context.copy_text(NO_COLORS_CSS)), "Copy")
            expect_equal(app.close(), 0, "exit status after the close box")


def test_read_only_folder(context, desktop):
    """Started from a folder in which nothing can be written or changed (an
    install folder of another user), the program reads default.css, copies
    and pastes."""
    folder = desktop.path("read-only")
    os.makedirs(folder)
    with open(os.path.join(folder, "default.css"), "wb") as out:
        out.write(START_CSS)
    # Immutable even for root, which the tests run as.
    subprocess.run(["chattr", "+i", os.path.join(folder, "default.css"), folder], check=True)
    try:
        with WineApp(desktop, context.tintbar, folder) as app:
            app.wait_for_picture(context.picture(desktop, START_CSS))
            desktop.offer_clipboard(PASTED_CSS)
            app.key("ctrl+v")
            app.wait_for_picture(context.picture(desktop, PASTED_CSS))
            expect_equal(app.copy(), as_x_text(context.copy_text(PASTED_CSS)), "Copy")
            expect_equal(app.close(), 0, "exit status after the close box")
    finally:
        subprocess.run(["chattr", "-i", folder, os.path.join(folder, "default.css")], check=True)


def test_non_ansi_folder(context, desktop):
    """Started from a folder whose name the ANSI code page cannot spell, the
    program still finds default.css there and copies its colours."""
    name = NON_ANSI_FOLDERS[context.locale]
    with start_in(desktop, context, desktop.path(name)) as app:
        app.wait_for_picture(context.picture(desktop, START_CSS))
        expect_equal(app.copy(), as_x_text(context.copy_text(START_CSS)), "Copy")
        expect_equal(app.close(), 0, "exit status after the close box")


CASES = {
    "clipboard_held": test_clipboard_held,
    "default_css_held": test_default_css_held,
    "read_only_folder": test_read_only_folder,
    "non_ansi_folder": test_non_ansi_folder,
}


def run_reported(name, locale, function, *arguments):
    """Runs one case and prints PASS or FAIL with what failed; returns
    whether it passed."""
    started = time.monotonic()
    try:
        function(*arguments)
    except (HarnessError, subprocess.SubprocessError, OSError) as error:
        print("FAIL %s under %s: %s" % (name, locale, error))
        return False
    print("PASS %s under %s (%.1f s)" % (name, locale, time.monotonic() - started))
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for program in ("--tintbar", "--tintbar-css", "--reference-css", "--winpeer"):
        parser.add_argument(program, required=True, type=os.path.abspath)
    parser.add_argument("--locale", action="append", required=True)
    parser.add_argument("cases", nargs="*", metavar="CASE", help=", ".join(CASES))
    options = parser.parse_args()
    context = Context(options.tintbar, options.tintbar_css, options.reference_css)
    context.winpeer = options.winpeer
    passed = True
    for context.locale in options.locale:
        with WineDesktop(context.locale) as desktop:
            for name in options.cases or CASES:
                passed &= run_reported(name, context.locale, CASES[name], context, desktop)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
