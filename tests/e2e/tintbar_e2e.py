"""End-to-end tests of the tintbar program, each on its own X server.

Usage: tintbar_e2e.py --tintbar PROGRAM --tintbar-css COMPANION CASE
       tintbar_e2e.py --tintbar PROGRAM --tintbar-css COMPANION --screenshot OUT.png

Expected pictures and texts come from tintbar-css, which reads CSS exactly as
Paste does and draws the preview without the label text.
"""

import argparse
import os
import subprocess
import sys
import time

import harness
from harness import App, Desktop, HarnessError, wait_for

# Seven different colours, so that a picture or a Copy text that mixes up
# two elements differs.
START_CSS = b"""/* start-up colours */
BODY {
  scrollbar-face-color: #4060a0;
  scrollbar-track-color: #e0d0b0;
  scrollbar-shadow-color: #203050;
  scrollbar-darkshadow-color: #101010;
  scrollbar-highlight-color: #c0d0ff;
  scrollbar-3dlight-color: #8090c0;
  scrollbar-arrow-color: #ffee00;
}
"""
PASTED_CSS = b"""  BODY { scrollbar-face-color: #b03020; scrollbar-track-color: #30c060;
  scrollbar-shadow-color: #602010; scrollbar-darkshadow-color: #000080;
  scrollbar-highlight-color: #ffc0b0; scrollbar-3dlight-color: #d07060;
  scrollbar-arrow-color: #ffffff }
"""
# CSS without any scrollbar colour: every element takes the colour of an
# empty value, as with a missing "default.css".
NO_COLORS_CSS = b"BODY { color: red }"

# Client points: the page background, the status strip, the face of the
# horizontal bar's left button and the bar's track.
BACKGROUND_POINT = (60, 120)
STRIP_POINT = (40, 230)
FACE_POINT = (12, 12)
TRACK_POINT = (80, 25)

ABOUT_CAPTION = "バージョン情報 Tintbar"
NEGATIVE_WAIT = 1.0


class Context:
    def __init__(self, tintbar, companion):
        self.tintbar = tintbar
        self.companion = companion
        self._references = {}

    def copy_text(self, css):
        """What Copy writes after a Paste of css."""
        return harness.run([self.companion], {}, stdin=css).stdout

    def picture(self, desktop, css):
        """The raster picture of the preview after a Paste of css."""
        if css not in self._references:
            source = desktop.path("reference-%d.css" % len(self._references))
            image = desktop.path("reference-%d.png" % len(self._references))
            with open(source, "wb") as out:
                out.write(css)
            harness.run([self.companion, "--png", image, source], {})
            self._references[css] = harness.read_png(image)
        return self._references[css]

    def start(self, desktop, default_css=START_CSS, arguments=()):
        """Starts tintbar in a fresh folder holding default_css as
        "default.css" (None: no such file)."""
        folder = desktop.path("work-%d" % time.monotonic_ns())
        os.makedirs(folder)
        if default_css is not None:
            with open(os.path.join(folder, "default.css"), "wb") as out:
                out.write(default_css)
        return App(desktop, self.tintbar, folder, arguments)


def expect(condition, message):
    if not condition:
        raise HarnessError(message)


def expect_equal(actual, expected, what):
    if actual != expected:
        raise HarnessError("%s: got %r, expected %r" % (what, actual, expected))


def close_cleanly(app):
    expect_equal(app.close(), 0, "exit status after the close box")
    expect_equal(app.errors(), "", "what tintbar printed")


def label_has_text(picture):
    """True when the label area holds glyphs: pixels darker than the strip."""
    left, top, right, bottom = harness.LABEL_AREA
    return any(max(picture.pixel(x, y)) < 0x80
               for y in range(top, bottom) for x in range(left, right))


def label_pixels(picture):
    left, top, right, bottom = harness.LABEL_AREA
    return picture.crop(left, top, right - left, bottom - top).rgb


def test_window(context):
    """Fixed size with a 180 x 240 client area, the title "Hueline", which
    New keeps; the close box ends the program in good order."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            _, _, width, height = desktop.geometry(app.window)
            expect_equal(width, harness.CLIENT_WIDTH, "window width")
            expect(height > harness.CLIENT_HEIGHT, "a menu bar above the client area")
            hints = desktop.size_hints(app.window)
            size = "%d by %d" % (width, height)
            expect_equal(hints.get("program specified minimum size"), size, "minimum size")
            expect_equal(hints.get("program specified maximum size"), size, "maximum size")
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title")
            # The whole client area is the preview: its first row is the
            # horizontal bar, the row above it belongs to the menu bar.
            app.wait_for_picture(context.picture(desktop, START_CSS))
            app.key("ctrl+n")
            time.sleep(NEGATIVE_WAIT)
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title after New")
            expect_equal(app.copy(), context.copy_text(START_CSS), "colours after New")
            close_cleanly(app)


def test_picture(context):
    """The window shows the raster rendering of "default.css", and a hover
    label names the element under the pointer."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            shown = app.wait_for_picture(context.picture(desktop, START_CSS))
            expect(label_has_text(shown), "the ready label is drawn")
            labels = {}
            for name, point in (("background", BACKGROUND_POINT), ("strip", STRIP_POINT),
                                ("face", FACE_POINT), ("track", TRACK_POINT)):
                app.move_mouse(*point)
                labels[name] = wait_for(
                    "the label of the " + name,
                    lambda: (lambda picture: label_pixels(picture)
                             if label_has_text(picture) and
                             label_pixels(picture) != label_pixels(shown) else None)(
                                 app.client_picture()))
            expect_equal(labels["strip"], labels["background"], "strip label")
            expect(labels["face"] != labels["track"], "face and track labels differ")
            expect(labels["face"] != labels["background"], "face and background labels differ")
            # Hovering changes only the label.
            app.wait_for_picture(context.picture(desktop, START_CSS))
            close_cleanly(app)


def test_clipboard(context):
    """Copy writes the Copy text; Paste of text from another program changes
    the colours; Undo brings them back; Cut and the pane keys do nothing."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            start_text = context.copy_text(START_CSS)
            pasted_text = context.copy_text(PASTED_CSS)
            expect(start_text != pasted_text, "the two style sheets differ")
            expect_equal(app.copy("ctrl+c"), start_text, "Copy with Ctrl+C")

            desktop.offer_clipboard(PASTED_CSS)
            for keys in ("ctrl+x", "shift+Delete", "F6", "shift+F6"):
                app.key(keys)
            time.sleep(NEGATIVE_WAIT)
            expect_equal(desktop.read_clipboard(), PASTED_CSS, "clipboard after Cut keys")
            app.wait_for_picture(context.picture(desktop, START_CSS))

            app.key("ctrl+v")
            app.wait_for_picture(context.picture(desktop, PASTED_CSS))
            expect_equal(app.copy("ctrl+Insert"), pasted_text, "Copy after Paste")
            app.key("ctrl+z")
            app.wait_for_picture(context.picture(desktop, START_CSS))
            expect_equal(app.copy("ctrl+c"), start_text, "Copy after Undo")

            desktop.offer_clipboard(PASTED_CSS)
            app.key("shift+Insert")
            app.wait_for_picture(context.picture(desktop, PASTED_CSS))
            app.key("alt+BackSpace")
            app.wait_for_picture(context.picture(desktop, START_CSS))

            # Blank text is no paste: nothing changes, and Undo still
            # restores the state before the last real change.
            desktop.offer_clipboard(PASTED_CSS)
            app.key("ctrl+v")
            app.wait_for_picture(context.picture(desktop, PASTED_CSS))
            desktop.offer_clipboard(b" \t\r\n ")
            app.key("ctrl+v")
            time.sleep(NEGATIVE_WAIT)
            app.wait_for_picture(context.picture(desktop, PASTED_CSS))
            app.key("ctrl+z")
            app.wait_for_picture(context.picture(desktop, START_CSS))
            close_cleanly(app)


def test_exit_after_copy(context):
    """After a Copy the program hands its text to the desktop's clipboard
    keeper on exit; without one (as here) it still ends at once and leaves
    either the copied text or an empty clipboard, never anything else."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            text = app.copy()
            started = time.monotonic()
            close_cleanly(app)
            expect(time.monotonic() - started < harness.DEFAULT_TIMEOUT / 2,
                   "the program ends promptly after a Copy")
            expect(desktop.read_clipboard() in (None, b"", text), "clipboard after exit")


def test_colour_dialog(context):
    """A click opens the colour dialog for what is under the pointer; Escape
    closes it and nothing changes."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            start_text = context.copy_text(START_CSS)
            for point in (BACKGROUND_POINT, FACE_POINT):
                app.click(*point)
                dialogs = wait_for("the colour dialog",
                                   lambda: app.other_windows())
                app.focus(dialogs[0])
                desktop.xdotool("key", "Escape")
                wait_for("the colour dialog to close",
                         lambda: not app.other_windows())
                app.wait_for_picture(context.picture(desktop, START_CSS))
            expect_equal(app.copy(), start_text, "colours after cancelled dialogs")
            # Undo after only cancelled dialogs keeps the start-up colours.
            app.key("ctrl+z")
            app.wait_for_picture(context.picture(desktop, START_CSS))
            close_cleanly(app)


def test_about_box(context):
    """Help > About shows the About box, which OK closes; the File menu
    cannot be opened."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            app.key("alt+f")
            time.sleep(NEGATIVE_WAIT)
            expect_equal(app.other_windows(), [], "windows after Alt+F")
            app.key("alt+h")
            wait_for("the Help menu", lambda: app.other_windows())
            desktop.xdotool("key", "a")
            about = wait_for("the About box", lambda: app.window_named(ABOUT_CAPTION))
            app.focus(about)
            desktop.xdotool("key", "Return")
            wait_for("the About box to close", lambda: not app.window_named(ABOUT_CAPTION))
            app.wait_for_picture(context.picture(desktop, START_CSS))
            close_cleanly(app)


def test_startup_without_default_css(context):
    """Without a readable "default.css" (none at all, or a folder of that
    name) the program starts with the colours of CSS that names none."""
    expected_text = context.copy_text(NO_COLORS_CSS)
    with Desktop() as desktop:
        with context.start(desktop, default_css=None) as app:
            app.wait_for_picture(context.picture(desktop, NO_COLORS_CSS))
            expect_equal(app.copy(), expected_text, "Copy without default.css")
            close_cleanly(app)
        folder = desktop.path("with-folder")
        os.makedirs(os.path.join(folder, "default.css"))
        with App(desktop, context.tintbar, folder) as app:
            app.wait_for_picture(context.picture(desktop, NO_COLORS_CSS))
            expect_equal(app.copy(), expected_text, "Copy with a folder default.css")
            close_cleanly(app)


def test_document_commands(context):
    """A document named on the command line loads nothing, and Save writes
    an empty file; the colours stay those of "default.css"."""
    with Desktop() as desktop:
        document = desktop.path("named.tintbar")
        with open(document, "wb") as out:
            out.write(PASTED_CSS)
        with context.start(desktop, arguments=[document]) as app:
            app.wait_for_picture(context.picture(desktop, START_CSS))
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title")
            os.remove(document)
            app.key("ctrl+s")
            wait_for("Save to write the file", lambda: os.path.exists(document))
            expect_equal(os.path.getsize(document), 0, "size of the saved document")
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title after Save")
            close_cleanly(app)


def test_hostile_clipboard(context):
    """Nothing that the clipboard can hold stops the program: data that is
    not text, text with a NUL byte, text that is not valid UTF-8, and 50 MB
    of text."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            start = context.picture(desktop, START_CSS)
            desktop.offer_clipboard(b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + bytes(range(256)),
                                    target="image/png")
            app.key("ctrl+v")
            time.sleep(NEGATIVE_WAIT)
            app.wait_for_picture(start)

            # The text ends at the NUL: the colours after it are never read.
            before_nul = b"BODY { scrollbar-face-color: #00ff00; scrollbar-arrow-color: #0000ff }"
            desktop.offer_clipboard(before_nul + b"\0BODY { scrollbar-arrow-color: #ff0000 }")
            app.key("ctrl+v")
            app.wait_for_picture(context.picture(desktop, before_nul))
            expect_equal(app.copy(), context.copy_text(before_nul), "Copy after NUL text")

            invalid = b"BODY { scrollbar-face-color: #123456 } \xff\xfe\xc0\xaf \xed\xa0\x80"
            desktop.offer_clipboard(invalid)
            app.key("ctrl+v")
            expect(app.responding(), "responds after invalid UTF-8")

            body = b"BODY { scrollbar-track-color: #abcdef }"
            large = body + b" " + b"x" * (50 * 1024 * 1024)
            desktop.offer_clipboard(large)
            app.key("ctrl+v")
            app.wait_for_picture(context.picture(desktop, body), timeout=60)
            expect(app.responding(), "responds after 50 MB of text")
            close_cleanly(app)


def test_no_display(context):
    """Without a usable display the program says so in one line and fails."""
    with Desktop() as desktop:
        for display in (None, ":%d" % (int(desktop.env["DISPLAY"][1:]) + 100)):
            env = dict(desktop.env)
            env.pop("DISPLAY")
            if display:
                env["DISPLAY"] = display
            completed = subprocess.run([context.tintbar], env=env, capture_output=True,
                                       timeout=harness.DEFAULT_TIMEOUT, cwd=desktop.folder)
            expect(completed.returncode != 0, "exit status without a display")
            lines = completed.stderr.decode().splitlines()
            expect_equal(len(lines), 1, "lines on stderr (%r)" % lines)
            expect(lines[0].startswith("tintbar: cannot open a display"), "the message")
            expect_equal(completed.stdout, b"", "standard output")


def write_screenshot(context, path):
    """The window with the pointer over the thumb, for the README."""
    with Desktop() as desktop:
        with context.start(desktop) as app:
            app.wait_for_picture(context.picture(desktop, START_CSS))
            app.move_mouse(*FACE_POINT)
            time.sleep(NEGATIVE_WAIT)
            desktop.xdotool("mousemove", 400, 400)
            time.sleep(NEGATIVE_WAIT)
            desktop.screenshot(app.window).write_png(path)
            close_cleanly(app)


CASES = {
    "window": test_window,
    "picture": test_picture,
    "clipboard": test_clipboard,
    "exit_after_copy": test_exit_after_copy,
    "colour_dialog": test_colour_dialog,
    "about_box": test_about_box,
    "startup_without_default_css": test_startup_without_default_css,
    "document_commands": test_document_commands,
    "hostile_clipboard": test_hostile_clipboard,
    "no_display": test_no_display,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tintbar", required=True)
    parser.add_argument("--tintbar-css", required=True)
    parser.add_argument("--screenshot", metavar="PNG")
    parser.add_argument("cases", nargs="*", metavar="CASE", help=", ".join(sorted(CASES)))
    options = parser.parse_args()
    unknown = [name for name in options.cases if name not in CASES]
    if unknown:
        parser.error("unknown case: " + ", ".join(unknown))
    context = Context(os.path.abspath(options.tintbar), os.path.abspath(options.tintbar_css))
    if options.screenshot:
        write_screenshot(context, options.screenshot)
        return 0
    failed = 0
    for name in options.cases or sorted(CASES):
        started = time.monotonic()
        try:
            CASES[name](context)
            print("PASS %s (%.1f s)" % (name, time.monotonic() - started))
        except (HarnessError, subprocess.SubprocessError) as error:
            failed += 1
            print("FAIL %s: %s" % (name, error))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
