"""End-to-end tests of tintbar.exe under Wine, each on its own X server.

Usage: tintbar_e2e_windows.py --tintbar TINTBAR.EXE --tintbar-css TINTBAR-CSS.EXE
           --reference-css LINUX-TINTBAR-CSS --winpeer WINPEER.EXE
           --locale LOCALE [--locale LOCALE]
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

import harness
import tintbar_e2e as common
from harness import X11Desktop, wait_for
from tintbar_e2e import (BACKGROUND_POINT, FACE_POINT, PASTED_CSS, START_CSS, close_cleanly,
                         expect, expect_equal, hover_labels, open_about_box)

# Wine starts slower than a native program, the first time most of all.
WINE_TIMEOUT = 60.0
# "マ" in Shift-JIS is 0x83 0x7D, and 0x7D is "}": a reader that took the
# second byte for a character would end the rule there and lose the colours
# after it, which would then be black.
SHIFT_JIS_TRAP = "BODY { font-family: \"マ\"; " + PASTED_CSS.decode().split("{", 1)[1]
COLOR_DIALOG_CHOICE = (0x12, 0x34, 0x56)


class WineDesktop(X11Desktop):
    """A private X server with its own wineserver, where programs run under
    Wine in a locale of choice, in the Wine prefix that WINEPREFIX names,
    whose system reports dpi dots per inch (96: 100 %)."""

    timeout = WINE_TIMEOUT

    def __init__(self, locale, dpi=96):
        super().__init__()
        self.env.update(LANG=locale, LC_ALL=locale, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.scale = dpi / 96

    def command(self, arguments):
        return ["wine"] + arguments

    def handed_over(self, text):
        """Wine's clipboard bridge hands CR LF to X as LF."""
        return text.replace(b"\r\n", b"\n")

    def wine(self, arguments, stdin=None, check=True):
        """Runs a console program under Wine; returns its completed process."""
        return harness.run(self.command(arguments), self.env, stdin, check, WINE_TIMEOUT)

    def close(self):
        for option in ("-k", "-w"):
            subprocess.run(["wineserver", option], env=self.env, capture_output=True)
        super().close()


class Context(common.Context):
    """Expected pictures come from tintbar-css.exe under Wine, expected texts
    from the Linux tintbar-css, reference."""

    def __init__(self, tintbar, companion, reference, screenshot_folder=None):
        super().__init__(tintbar, companion, screenshot_folder=screenshot_folder)
        self.reference = reference
        self.locale = None
        # The hover labels as drawn under each locale run so far.
        self.labels = {}

    def screenshot_prefix(self, desktop):
        return self.locale.split(".")[0]

    def run_companion(self, desktop, css, *options):
        return desktop.wine([self.companion, *options], stdin=css).stdout

    def expect_companions_agree(self, desktop, css, *options):
        """tintbar-css.exe must write the same bytes as the Linux build;
        returns them."""
        written = self.run_companion(desktop, css, *options)
        expect_equal(written, self.expected_text(css, *options),
                     " ".join(["tintbar-css.exe", *options]))
        return written


def click_face(app):
    """Clicks the face from elsewhere: xdotool waits for a pointer move, which
    does not happen when the pointer is already over the face."""
    app.move_mouse(*BACKGROUND_POINT)
    app.click(*FACE_POINT)


def test_window(context):
    """The 180 x 240 client area titled "Hueline" shows the picture of
    "default.css" and a label that names what the pointer is over; a click
    opens the colour dialog: Escape changes nothing, a colour typed into it
    and OK changes the face; Help > About opens the About box."""
    with WineDesktop(context.locale, context.dpi) as desktop:
        start = context.picture(desktop, START_CSS)
        with context.start(desktop) as app:
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title")
            app.wait_for_picture(start)
            shown = hover_labels(app, (BACKGROUND_POINT, FACE_POINT))
            expect(shown[0], "the ready label is drawn")
            context.keep_screenshot(desktop, app.window, "face-label")
            # The same Japanese glyphs whatever the code page, not its bytes
            # read as another code page's characters.
            for other, labels in context.labels.items():
                expect(labels == shown, "the labels under %s are those under %s" % (
                    context.locale, other))
            context.labels[context.locale] = shown

            click_face(app)
            dialog = app.wait_for_dialog("the colour dialog")
            context.keep_screenshot(desktop, dialog, "colour-dialog")
            app.close_dialog(dialog, "Escape", "the colour dialog")
            app.wait_for_picture(start)

            click_face(app)
            dialog = app.wait_for_dialog("the colour dialog")
            # The red field of the fully open dialog by its mnemonic, green
            # and blue after it in tab order, then OK.
            app.key("alt+r", window=dialog)
            for value in COLOR_DIALOG_CHOICE:
                desktop.key(None, "ctrl+a")
                desktop.type_text(str(value))
                desktop.key(None, "Tab")
            context.keep_screenshot(desktop, dialog, "colour-dialog-chosen")
            app.close_dialog(dialog, "Return", "the colour dialog")
            chosen = START_CSS.replace(b"#4060a0", b"#%02x%02x%02x" % COLOR_DIALOG_CHOICE)
            app.wait_for_picture(context.picture(desktop, chosen))

            about = open_about_box(app)
            context.keep_screenshot(desktop, about, "about")
            app.close_dialog(about, "Return", "the About box")
            close_cleanly(app)


def menu_bar_lines(picture, scale):
    """The lines of text in the band above the client area: runs of rows
    with dark pixels, the mnemonics' underlines joined to their line."""
    band_height = picture.height - harness.device_pixel(harness.CLIENT_HEIGHT, scale)
    rows, _ = common.ink_rows_and_columns(picture, (0, 0, picture.width, band_height), 128)
    return len(common.clusters(rows, harness.device_pixel(3, scale)))


def test_scaled_window(context):
    """At the display scale of the prefix the client area is 180 x 240 times
    the scale, shows the picture enlarged, sharp, with the label whole, and
    pointing and clicking find the part under the pointer; the three menus
    stay on one line and open by their mnemonics, also where the program
    draws their titles. Told that its monitor's scale changed, the window
    goes where the system suggests and keeps its size and picture."""
    with WineDesktop(context.locale, context.dpi) as desktop, context.start(desktop) as app:
        expected = context.picture(desktop, START_CSS)
        expect_equal(desktop.geometry(app.window)[2],
                     harness.device_pixel(harness.CLIENT_WIDTH, desktop.scale), "client width")
        lines = menu_bar_lines(desktop.screenshot(app.window), desktop.scale)
        expect(lines == 1, "the menu bar takes %d lines at %d dpi" % (lines, context.dpi))
        common.check_scaled_window(app, expected)
        context.keep_screenshot(desktop, app.window, "scaled-%d" % context.dpi)
        app.close_dialog(open_about_box(app), "Return", "the About box")

        # Wine never moves a window between scales, so the message comes
        # from the tests' other program, with the scale the window has and a
        # suggested rectangle elsewhere and too small.
        x, y, width, height = desktop.geometry(app.window)
        desktop.wine([context.winpeer, "dpichanged", harness.TITLE, "40", "30"])
        wait_for("the window at the suggested place",
                 lambda: desktop.geometry(app.window) == (x + 40, y + 30, width, height),
                 WINE_TIMEOUT)
        app.wait_for_picture(expected)
        lines = menu_bar_lines(desktop.screenshot(app.window), desktop.scale)
        expect(lines == 1, "the menu bar takes %d lines after the message" % lines)
        close_cleanly(app)


def test_clipboard(context):
    """Copy puts the Copy text on the clipboard; Paste of text from another
    program, Shift-JIS included under code page 932, changes the colours;
    Undo brings them back."""
    with WineDesktop(context.locale, context.dpi) as desktop:
        start, pasted = context.picture(desktop, START_CSS), context.picture(desktop, PASTED_CSS)
        start_text, pasted_text = (desktop.handed_over(context.expect_companions_agree(
            desktop, css)) for css in (START_CSS, PASTED_CSS))
        with context.start(desktop) as app:
            app.wait_for_picture(start)
            expect_equal(app.copy(), start_text, "Copy")
            for text, what in ((PASTED_CSS, "Paste"), (SHIFT_JIS_TRAP.encode(), "Japanese Paste")):
                desktop.offer_clipboard(text)
                app.key("ctrl+v")
                app.wait_for_picture(pasted)
                expect_equal(app.copy(), pasted_text, "Copy after " + what)
                expect_equal(app.copy("ctrl+z", "ctrl+c"), start_text, "Copy after Undo")
                app.wait_for_picture(start)
            close_cleanly(app)


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
    """The name under Wine of a file of this machine: drive Z: is its root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class BrowserStandIn:
    """Makes the stand-in the program that opens HTML pages in the Wine
    prefix, for one case, and puts the earlier association back after it.
    Each registry step is one start of Wine's regedit."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.record = desktop.path("opened.txt")
        self.earlier = desktop.path("earlier.reg")
        if desktop.wine(["reg", "export", HTML_ASSOCIATION, windows_path(self.earlier), "/y"],
                        check=False).returncode != 0:
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
    with WineDesktop(context.locale, context.dpi) as desktop, BrowserStandIn(desktop) as browser:
        page = context.expect_companions_agree(desktop, START_CSS, "--html", "-")
        with context.start(desktop) as app:
            app.key("ctrl+shift+b")
            (opened,) = wait_for("the page to be opened",
                                 lambda: opened_pages(desktop, browser.record), WINE_TIMEOUT)
            expect_equal(harness.read_file(opened), page, "the page")
            close_cleanly(app)
        expect(not os.path.exists(os.path.dirname(opened)),
               "the page's folder is gone after the exit")


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
    for program in ("--tintbar", "--tintbar-css", "--reference-css", "--winpeer"):
        parser.add_argument(program, required=True, type=os.path.abspath)
    parser.add_argument("--locale", action="append", required=True,
                        help="a locale to run the cases under; may be repeated")
    parser.add_argument("--screenshot-folder")
    parser.add_argument("--dpi", type=int, default=96,
                        help="the display's dots per inch (96: 100 %%), set in a prefix of its own")
    parser.add_argument("cases", nargs="*", metavar="CASE", help=", ".join(sorted(CASES)))
    options = parser.parse_args()
    context = Context(options.tintbar, options.tintbar_css, options.reference_css,
                      options.screenshot_folder)
    context.dpi = options.dpi
    context.winpeer = options.winpeer
    passed = True
    for context.locale in options.locale:
        for name in options.cases or sorted(CASES):
            passed &= harness.run_case("%s under %s" % (name, context.locale), CASES[name],
                                       context)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
