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

from harness import App, HarnessError, run_case, wait_for
from tintbar_e2e import NO_COLORS_CSS, PASTED_CSS, START_CSS, close_cleanly, expect_equal
from tintbar_e2e_windows import WINE_TIMEOUT, Context, WineDesktop, windows_path

COPY_FAILED_CAPTION = "Fatal error"
# Folder names that the ANSI code page of each locale cannot spell.
NON_ANSI_FOLDERS = {
    "en_US.UTF-8": "配色 テスト",  # Japanese under code page 1252
    "ja_JP.UTF-8": "Farbe für Tests",  # "ü" under code page 932
}


class Peer:
    """winpeer.exe holding something on a desktop until it is released."""

    def __init__(self, desktop, winpeer, *arguments):
        self.process = subprocess.Popen(desktop.command([winpeer, *arguments]), env=desktop.env,
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
    completed = desktop.wine([winpeer, "run", command_line], check=False)
    if completed.stderr:
        raise HarnessError("%s: %s" % (command_line, completed.stderr.decode(errors="replace")))
    return completed.returncode


def dismiss_copy_failure(app):
    """Waits for the one message of a failed Copy and closes it; another
    message first (a Paste that complained) fails the case."""
    boxes = wait_for("the message of the failed Copy", app.other_windows, WINE_TIMEOUT)
    expect_equal([app.desktop.window_name(box) for box in boxes], [COPY_FAILED_CAPTION],
                 "the messages shown")
    app.close_dialog(boxes[0], "Return", "the message")


def test_clipboard_held(context, desktop):
    """While another program holds the clipboard open, Copy and Copy for
    current browsers each show their failure message and leave the
    clipboard as it was; Paste changes nothing and says nothing. Once the
    clipboard is free, the same Paste takes the colours."""
    start, pasted = context.picture(desktop, START_CSS), context.picture(desktop, PASTED_CSS)
    with context.start(desktop) as app:
        app.wait_for_picture(start)
        desktop.offer_clipboard(PASTED_CSS)
        with Peer(desktop, context.winpeer, "clipboard"):
            # The program takes keys in order: when the last Copy fails, the
            # Paste before it is done.
            for keys in (("ctrl+c",), ("ctrl+shift+c",), ("ctrl+v", "ctrl+c")):
                app.key(*keys)
                dismiss_copy_failure(app)
            app.wait_for_picture(start)
            expect_equal(desktop.read_clipboard(), PASTED_CSS, "the clipboard after the failures")
        app.key("ctrl+v")
        app.wait_for_picture(pasted)
        expect_equal(app.copy(), desktop.handed_over(context.expected_text(PASTED_CSS)),
                     "Copy once free")
        close_cleanly(app)


def test_default_css_held(context, desktop):
    """A default.css that another program holds open without sharing reads
    as an unreadable one: the program starts with the colours of CSS that
    names none."""
    folder = desktop.working_folder(START_CSS, "default-css-held")
    held = windows_path(os.path.join(folder, "default.css"))
    with Peer(desktop, context.winpeer, "file", held), App(desktop, context.tintbar, folder) as app:
        app.wait_for_picture(context.picture(desktop, NO_COLORS_CSS))
        expect_equal(app.copy(), desktop.handed_over(context.expected_text(NO_COLORS_CSS)), "Copy")
        close_cleanly(app)


def test_read_only_folder(context, desktop):
    """Started from a folder in which nothing can be written or changed (an
    install folder of another user), the program reads default.css, copies
    and pastes."""
    folder = desktop.working_folder(START_CSS, "read-only")
    locked = [os.path.join(folder, "default.css"), folder]
    # Immutable even for root, which the tests run as.
    subprocess.run(["chattr", "+i", *locked], check=True)
    try:
        with App(desktop, context.tintbar, folder) as app:
            app.wait_for_picture(context.picture(desktop, START_CSS))
            context.paste(app, PASTED_CSS)
            expect_equal(app.copy(), desktop.handed_over(context.expected_text(PASTED_CSS)),
                         "Copy")
            close_cleanly(app)
    finally:
        subprocess.run(["chattr", "-i", *reversed(locked)], check=True)


def test_non_ansi_folder(context, desktop):
    """Started from a folder whose name the ANSI code page cannot spell, the
    program still finds default.css there and copies its colours."""
    folder = desktop.working_folder(START_CSS, NON_ANSI_FOLDERS[context.locale])
    with App(desktop, context.tintbar, folder) as app:
        app.wait_for_picture(context.picture(desktop, START_CSS))
        expect_equal(app.copy(), desktop.handed_over(context.expected_text(START_CSS)), "Copy")
        close_cleanly(app)


CASES = {
    "clipboard_held": test_clipboard_held,
    "default_css_held": test_default_css_held,
    "read_only_folder": test_read_only_folder,
    "non_ansi_folder": test_non_ansi_folder,
}


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
                passed &= run_case("%s under %s" % (name, context.locale), CASES[name], context,
                                   desktop)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
