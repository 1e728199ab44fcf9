"""End-to-end tests of tintbar.exe under Wine, each on its own X server.

Usage: tintbar_e2e_windows.py --tintbar TINTBAR.EXE --tintbar-css TINTBAR-CSS.EXE
           --reference-css LINUX-TINTBAR-CSS --locale LOCALE [--locale LOCALE]
           [--screenshot-folder FOLDER] [CASE ...]

The programs run under Wine with each locale given in turn (ja_JP.UTF-8
makes the ANSI code page 932, en_US.UTF-8 makes it 1252; LOCPATH may name a
private folder of compiled locales), and the hover labels must look the same
under every one of them and the Wine prefix of WINEPREFIX. Each case
starts its own wineserver beside its own X server and ends it afterwards.
Expected pictures come from tintbar-css.exe --png, and expected texts from
the Linux tintbar-css, which must agree with the Windows one byte for byte.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import time

import harness
import tintbar_e2e as common
from harness import App, Desktop, HarnessError, wait_for
from tintbar_e2e import (ABOUT_CAPTION, BACKGROUND_POINT, FACE_POINT, PASTED_CSS, START_CSS,
                         expect, expect_equal, label)

# Wine starts slower than a native program, the first time most of all.
WINE_TIMEOUT = 60.0
# The Copy header as Wine's clipboard bridge hands it to X: CR LF becomes LF.
X_COPY_HEADER = harness.COPY_HEADER.replace(b"\r\n", b"\n")
# "マ" in Shift-JIS is 0x83 0x7D, and 0x7D is "}": a reader that took the
# second byte for a character would end the rule there and lose the colours
# after it, which would then be black.
SHIFT_JIS_TRAP = "BODY { font-family: \"マ\"; " + PASTED_CSS.decode().split("{", 1)[1]
COLOR_DIALOG_CHOICE = (0x12, 0x34, 0x56)


class WineDesktop(Desktop):
    """A private X server with its own wineserver, in a locale of choice; at
    another display scale than 100 % (dpi other than 96) the Wine prefix is
    the one beside WINEPREFIX that is set to it, named for its dpi."""

    def __init__(self, locale, dpi=96):
        super().__init__()
        self.env.update(LANG=locale, LC_ALL=locale, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        if dpi != 96:
            self.env["WINEPREFIX"] = scaled_prefix(self.env["WINEPREFIX"], dpi)
            self.scale = dpi / 96

    def wine(self, arguments, stdin=None):
        """Runs a console program under Wine; returns its completed process."""
        completed = subprocess.run(["wine"] + arguments, env=self.env, input=stdin,
                                   capture_output=True, timeout=WINE_TIMEOUT)
        if completed.returncode != 0:
            raise HarnessError("%s failed (%d): %s" % (arguments[0], completed.returncode,
                                                       completed.stderr.decode(errors="replace")))
        return completed

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=self.env, capture_output=True)
        super().close()


def scaled_prefix(prefix, dpi):
    return "%s-dpi%d" % (prefix, dpi)


class WineApp(App):
    """tintbar.exe under Wine."""

    copy_header = X_COPY_HEADER

    def __init__(self, desktop, program, working_folder):
        self.desktop = desktop
        self.stderr_path = desktop.path("tintbar-stderr-%d.txt" % time.monotonic_ns())
        with open(self.stderr_path, "wb") as errors:
            self.process = subprocess.Popen(["wine", program], cwd=working_folder,
                                            env=desktop.env, stdout=errors, stderr=errors)
        self.window = wait_for("the main window", self._find_window, timeout=WINE_TIMEOUT)


class Context(common.Context):
    def __init__(self, tintbar, companion, reference, screenshot_folder=None):
        super().__init__(tintbar, companion)
        self.reference = reference
        self.screenshot_folder = screenshot_folder
        self.locale = None
        # The hover labels as drawn under each locale run so far.
        self.labels = {}

    def keep_screenshot(self, desktop, window, name):
        """Saves a window's picture for a person to look at, if asked to."""
        if self.screenshot_folder:
            os.makedirs(self.screenshot_folder, exist_ok=True)
            path = os.path.join(self.screenshot_folder, "%s-%s.png" % (self.locale.split(".")[0], name))
            desktop.screenshot(window, "png:" + path)

    def copy_text(self, css, desktop=None):
        """What Copy writes after a Paste of css; tintbar-css.exe must write
        the same bytes as the Linux build."""
        expected = harness.run([self.reference], {}, stdin=css).stdout
        if desktop is not None:
            written = desktop.wine([self.companion], stdin=css).stdout
            expect_equal(written, expected, "tintbar-css.exe output")
        return expected

    def picture(self, desktop, css):
        image = desktop.path("reference-%d.png" % time.monotonic_ns())
        desktop.wine([self.companion, "--png", image], stdin=css)
        return harness.Picture(harness.run(["convert", image, "-depth", "8", "ppm:-"],
                                           desktop.env).stdout)

    def start(self, desktop, default_css=START_CSS):
        folder = desktop.path("work-%d" % time.monotonic_ns())
        os.makedirs(folder)
        with open(os.path.join(folder, "default.css"), "wb") as out:
            out.write(default_css)
        return WineApp(desktop, self.tintbar, folder)


def as_x_text(copy_text):
    return copy_text.replace(b"\r\n", b"\n")


def click_face(app):
    """Clicks the face from elsewhere: xdotool waits for a pointer move, which
    does not happen when the pointer is already over the face."""
    app.move_mouse(*BACKGROUND_POINT)
    app.move_mouse(*FACE_POINT, "click", 1)


def test_window(context):
    """The 180 x 240 client area titled "Hueline" shows the picture of
    "default.css" and a label that names what the pointer is over; a click
    opens the colour dialog: Escape changes nothing, a colour typed into it
    and OK changes the face; Help > About opens the About box."""
    with WineDesktop(context.locale) as desktop:
        start = context.picture(desktop, START_CSS)
        with context.start(desktop) as app:
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title")
            shown = [label(app.wait_for_picture(start))]
            expect(shown[0], "the ready label is drawn")
            for point in (BACKGROUND_POINT, FACE_POINT):
                app.move_mouse(*point)
                shown.append(wait_for("the label at %s" % (point,), lambda: (
                    lambda now: now not in (None, shown[-1]) and now)(label(app.client_picture()))))
            context.keep_screenshot(desktop, app.window, "face-label")
            # The same Japanese glyphs whatever the code page, not its bytes
            # read as another code page's characters.
            for other, labels in context.labels.items():
                expect(labels == shown, "the labels under %s are those under %s" % (context.locale, other))
            context.labels[context.locale] = shown

            click_face(app)
            dialog = wait_for("the colour dialog", app.other_windows, timeout=WINE_TIMEOUT)
            context.keep_screenshot(desktop, dialog[0], "colour-dialog")
            app.key("Escape", window=dialog[0])
            wait_for("the colour dialog to close", lambda: not app.other_windows())
            app.wait_for_picture(start)

            click_face(app)
            dialog = wait_for("the colour dialog", app.other_windows, timeout=WINE_TIMEOUT)
            # The red field of the fully open dialog by its mnemonic, green
            # and blue after it in tab order, then OK.
            app.key("alt+r", window=dialog[0])
            for value in COLOR_DIALOG_CHOICE:
                desktop.xdotool("key", "ctrl+a")
                desktop.xdotool("type", str(value))
                desktop.xdotool("key", "Tab")
            context.keep_screenshot(desktop, dialog[0], "colour-dialog-chosen")
            app.key("Return", window=dialog[0])
            wait_for("the colour dialog to close", lambda: not app.other_windows())
            chosen = START_CSS.replace(b"#4060a0", b"#%02x%02x%02x" % COLOR_DIALOG_CHOICE)
            app.wait_for_picture(context.picture(desktop, chosen))

            app.key("alt+h")
            wait_for("the Help menu", app.other_windows)
            desktop.xdotool("key", "a")
            about = wait_for("the About box", lambda: [
                w for w in app.other_windows() if desktop.window_name(w) == ABOUT_CAPTION])
            context.keep_screenshot(desktop, about[0], "about")
            app.key("Return", window=about[0])
            wait_for("the About box to close", lambda: not app.other_windows())
            expect_equal(app.close(), 0, "exit status after the close box")


def test_scaled_window(context):
    """At the display scale of the prefix the client area is 180 x 240 times
    the scale, shows the picture enlarged, sharp, with the label whole, and
    pointing and clicking find the part under the pointer."""
    with WineDesktop(context.locale, context.dpi) as desktop:
        with context.start(desktop) as app:
            expect_equal(desktop.geometry(app.window)[2],
                         harness.device_pixel(harness.CLIENT_WIDTH, desktop.scale), "client width")
            common.check_scaled_window(app, desktop, context.picture(desktop, START_CSS))
            context.keep_screenshot(desktop, app.window, "scaled-%d" % context.dpi)
            expect_equal(app.close(), 0, "exit status after the close box")


def test_clipboard(context):
    """Copy puts the Copy text on the clipboard; Paste of text from another
    program, Shift-JIS included under code page 932, changes the colours;
    Undo brings them back."""
    with WineDesktop(context.locale) as desktop:
        start, pasted = context.picture(desktop, START_CSS), context.picture(desktop, PASTED_CSS)
        start_text = context.copy_text(START_CSS, desktop)
        pasted_text = context.copy_text(PASTED_CSS, desktop)
        with context.start(desktop) as app:
            app.wait_for_picture(start)
            expect_equal(app.copy(), as_x_text(start_text), "Copy")

            desktop.offer_clipboard(PASTED_CSS)
            app.key("ctrl+v")
            app.wait_for_picture(pasted)
            expect_equal(app.copy(), as_x_text(pasted_text), "Copy after Paste")
            expect_equal(app.copy("ctrl+z", "ctrl+c"), as_x_text(start_text), "Copy after Undo")
            app.wait_for_picture(start)

            desktop.offer_clipboard(SHIFT_JIS_TRAP.encode())
            app.key("ctrl+v")
            app.wait_for_picture(pasted)
            expect_equal(app.copy(), as_x_text(pasted_text), "Copy after a Japanese Paste")
            expect_equal(app.close(), 0, "exit status after the close box")


# The association of HTML pages, replaced during a case by a class of the
# test's own whose open command records the file it is given. Wine reads
# associations from the machine's classes only, where Windows would also
# read the current user's.
HTML_ASSOCIATION = r"HKEY_LOCAL_MACHINE\Software\Classes\.html"
STAND_IN_CLASS = r"HKEY_LOCAL_MACHINE\Software\Classes\TintbarTest.Page"
# Where View in browser writes its page: a folder of its own in the user's
# temporary folder.
PAGE_PATH = re.compile(r"^[A-Z]:\\.*\\temp\\tintbar-\d+\\scrollbars\.html$", re.IGNORECASE)


def windows_path(path):
    """A Unix path as Wine's programs take it, on the drive of the root."""
    return "Z:" + path.replace("/", "\\")


class BrowserStandIn:
    """Makes the stand-in the program that opens HTML pages in the Wine
    prefix, for one case, and puts the earlier association back after it.
    Each registry step is one start of Wine's regedit."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.record = desktop.path("opened.txt")
        self.earlier = desktop.path("earlier.reg")
        if subprocess.run(["wine", "reg", "export", HTML_ASSOCIATION, windows_path(self.earlier),
                           "/y"],
                          env=desktop.env, capture_output=True).returncode != 0:
            self.earlier = None
        command = 'C:\\windows\\system32\\cmd.exe /c echo %%1>>"%s"' % windows_path(self.record)
        self._regedit("stand-in", '[%s]\n@="TintbarTest.Page"\n[%s\\shell\\open\\command]\n@=%s\n'
                      % (HTML_ASSOCIATION, STAND_IN_CLASS, json.dumps(command)))

    def _regedit(self, name, entries):
        path = self.desktop.path(name + ".reg")
        with open(path, "w", encoding="utf-16") as out:
            out.write("Windows Registry Editor Version 5.00\n\n" + entries)
        self.desktop.wine(["regedit", "/s", windows_path(path)])

    def close(self):
        self._regedit("removal", "[-%s]\n[-%s]\n" % (HTML_ASSOCIATION, STAND_IN_CLASS))
        if self.earlier:
            self.desktop.wine(["regedit", "/s", windows_path(self.earlier)])

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


def opened_pages(desktop, record):
    """The files, as Unix paths, that the stand-in browser was asked to open."""
    if not os.path.exists(record):
        return []
    lines = [line.strip().strip('"') for line in harness.read_file(record).decode().splitlines()]
    for line in lines:
        expect(PAGE_PATH.match(line), "the page lies in a folder of its own in the temporary "
               "folder: %s" % line)
    return [desktop.wine(["winepath", "-u", line]).stdout.decode().strip() for line in lines]


def test_view_in_browser(context):
    """Edit > View in browser hands the page of tintbar-css.exe --html to the
    program associated with HTML pages; the page lies in a folder of the
    program's own in the temporary folder, which goes when the program
    ends."""
    with WineDesktop(context.locale) as desktop, BrowserStandIn(desktop) as browser:
        page = desktop.wine([context.companion, "--html", "-"], stdin=START_CSS).stdout
        expect_equal(page, harness.run([context.reference, "--html", "-"], {},
                                       stdin=START_CSS).stdout, "tintbar-css.exe --html")
        with context.start(desktop) as app:
            app.key("ctrl+shift+b")
            (opened,) = wait_for("the page to be opened",
                                 lambda: opened_pages(desktop, browser.record), timeout=WINE_TIMEOUT)
            expect_equal(harness.read_file(opened), page, "the page")
            expect_equal(app.close(), 0, "exit status after the close box")
        expect(not os.path.exists(os.path.dirname(opened)), "the page's folder is gone after the exit")


def version_value(program, key):
    """A string of the executable's version block, found by its UTF-16 key."""
    data = harness.read_file(program)
    at = data.find((key + "\0").encode("utf-16-le"))
    expect(at >= 0, "%s in the version block" % key)
    at += 2 * (len(key) + 1)
    at += (at % 4)  # the value starts on a 32-bit boundary
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def test_resources(context):
    """The version block and the manifest that tintbar.exe carries."""
    product = harness.identity()
    # The build's version and build number 1, as the version block spells it.
    version = ", ".join(product.version.split(".") + ["1"])
    for key, expected in (("FileVersion", version), ("ProductVersion", version),
                          ("FileDescription", "HTMLスクロールバー着色ツール"),
                          ("InternalName", product.name + ".EXE"),
                          ("OriginalFilename", product.name + ".EXE"),
                          ("ProductName", product.product_name)):
        expect_equal(version_value(context.tintbar, key), expected, key)
    data = harness.read_file(context.tintbar)
    manifest = data[data.find(b"<assembly"):data.find(b"</assembly>")]
    expect(b"Microsoft.Windows.Common-Controls" in manifest and b'version="6.0.0.0"' in manifest,
           "the manifest asks for common controls 6")
    expect(b"PerMonitorV2" in manifest, "the manifest asks for per-monitor DPI awareness")
    expect(b"<activeCodePage" not in manifest, "the manifest keeps the system's ANSI code page")


CASES = {
    "resources": test_resources,
    "window": test_window,
    "clipboard": test_clipboard,
    "view_in_browser": test_view_in_browser,
    "scaled_window": test_scaled_window,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tintbar", required=True)
    parser.add_argument("--tintbar-css", required=True)
    parser.add_argument("--reference-css", required=True)
    parser.add_argument("--locale", action="append", required=True,
                        help="a locale to run the cases under; may be repeated")
    parser.add_argument("--screenshot-folder")
    parser.add_argument("--dpi", type=int, default=96,
                        help="the display's dots per inch (96: 100 %%), set in a prefix of its own")
    parser.add_argument("cases", nargs="*", metavar="CASE", help=", ".join(sorted(CASES)))
    options = parser.parse_args()
    context = Context(os.path.abspath(options.tintbar), os.path.abspath(options.tintbar_css),
                      os.path.abspath(options.reference_css), options.screenshot_folder)
    context.dpi = options.dpi
    failed = 0
    for context.locale in options.locale:
        for name in options.cases or sorted(CASES):
            started = time.monotonic()
            try:
                CASES[name](context)
                print("PASS %s under %s (%.1f s)" % (name, context.locale, time.monotonic() - started))
            except (HarnessError, subprocess.SubprocessError) as error:
                failed += 1
                print("FAIL %s under %s: %s" % (name, context.locale, error))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
