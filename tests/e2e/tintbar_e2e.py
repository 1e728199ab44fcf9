"""End-to-end tests of the tintbar program, each on its own X server or,
with --wayland, natively on its own headless sway.

Usage: tintbar_e2e.py --tintbar PROGRAM --tintbar-css COMPANION [--wayland WLINPUT] [CASE ...]
       tintbar_e2e.py --tintbar PROGRAM --tintbar-css COMPANION --screenshot OUT.png
       tintbar_e2e.py --list x11|wayland

Expected pictures and texts come from tintbar-css, which reads CSS exactly as
Paste does and draws the preview without the label text. --list prints the
cases of the desktop, one a line, for the build to register.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
import urllib.parse

import harness
import wayland
from harness import App, HarnessError, X11Desktop, read_file, wait_for, write_file

# Seven different colours, so that a picture or a Copy text that mixes up
# two elements differs.
START_CSS = b"""/* start-up colours */ BODY { scrollbar-face-color: #4060a0;
  scrollbar-track-color: #e0d0b0; scrollbar-shadow-color: #203050;
  scrollbar-darkshadow-color: #101010; scrollbar-highlight-color: #c0d0ff;
  scrollbar-3dlight-color: #8090c0; scrollbar-arrow-color: #ffee00 }"""
PASTED_CSS = b"""  BODY { scrollbar-face-color: #b03020; scrollbar-track-color: #30c060;
  scrollbar-shadow-color: #602010; scrollbar-darkshadow-color: #000080;
  scrollbar-highlight-color: #ffc0b0; scrollbar-3dlight-color: #d07060;
  scrollbar-arrow-color: #ffffff }
"""
# CSS without any scrollbar colour: every element takes the colour of an
# empty value, as with a missing "default.css".
NO_COLORS_CSS = b"BODY { color: red }"

# Client points: the page background, the face of the horizontal bar's left
# button and the bar's bottom edge, whose row y = 51 is the background's first
# row on the screen but belongs to the bar, a pixel above the background.
BACKGROUND_POINT = (60, 120)
FACE_POINT = (12, 12)
BOTTOM_EDGE_POINT = (20, 51)

ABOUT_CAPTION = "バージョン情報 Tintbar"
# The longest text that Paste takes, as the README gives it.
MAX_PASTE_BYTES = 128 * 1024 * 1024
# Points of the desktop's colour dialog, from its top-left corner: the
# swatch of the colour it holds, the colour name field and the Select button.
COLOUR_SWATCH = (80, 229)
COLOUR_NAME_FIELD = (368, 155)
SELECT_BUTTON = (598, 275)

# The targets under which Copy offers its text.
TEXT_TARGETS = ("UTF8_STRING", "text/plain;charset=utf-8", "text/plain", "STRING", "TEXT")
# Seconds from the close request to the end of the process, without a
# clipboard manager; a sanitized build first searches its heap for leaks.
EXIT_TIME = 0.2
SANITIZED_EXIT_TIME = 1.0

# The cases: {name: (function, the desktops it runs on)}.
CASES = {}
DESKTOPS = ("x11", "wayland")


def case(*desktops):
    """Registers a test_ function as a case on desktops, of DESKTOPS."""
    def register(function):
        CASES[function.__name__.removeprefix("test_")] = (function, desktops)
        return function
    return register


class Context:
    """What the cases share: the programs, and how to start a desktop.
    Expected pictures come from companion, expected texts from reference
    (natively the companion itself)."""

    def __init__(self, tintbar, companion, new_desktop=X11Desktop, display_scales=(2,),
                 sanitized=False, screenshot_folder=None):
        self.tintbar = tintbar
        self.companion = self.reference = companion
        self.new_desktop = new_desktop
        # The scales that the scaled window case tries.
        self.display_scales = display_scales
        self.sanitized = sanitized
        self.screenshot_folder = screenshot_folder

    def keep_screenshot(self, desktop, window, name):
        """Saves a window's picture for a person to look at, if asked to."""
        if self.screenshot_folder:
            os.makedirs(self.screenshot_folder, exist_ok=True)
            desktop.screenshot(window).save(os.path.join(
                self.screenshot_folder, "%s-%s.png" % (self.screenshot_prefix(desktop), name)))

    def screenshot_prefix(self, desktop):
        """What the names of the pictures taken on desktop start with."""
        return "x11" if isinstance(desktop, X11Desktop) else "wayland"

    def expected_text(self, css, *options):
        """What tintbar-css writes for css with options: without, what Copy
        writes after a Paste of css."""
        return harness.run([self.reference, *options], {}, stdin=css).stdout

    def run_companion(self, desktop, css, *options):
        return harness.run([self.companion, *options], {}, stdin=css).stdout

    def picture(self, desktop, css):
        """The raster picture of the preview after a Paste of css."""
        image = desktop.path("reference-%d.png" % time.monotonic_ns())
        self.run_companion(desktop, css, "--png", image)
        return harness.read_picture(image)

    def start(self, desktop, default_css=START_CSS, arguments=(), wrapper=()):
        """Starts tintbar in a fresh folder holding default_css as
        "default.css" (None: no such file)."""
        return App(desktop, self.tintbar, desktop.working_folder(default_css), arguments, wrapper)

    def paste(self, app, css):
        """Pastes css from another program and waits for its colours."""
        app.desktop.offer_clipboard(css)
        app.key("ctrl+v")
        app.wait_for_picture(self.picture(app.desktop, css))


def expect(condition, message):
    if not condition:
        raise HarnessError(message)


def expect_equal(actual, expected, what):
    if actual != expected:
        raise HarnessError("%s: got %r, expected %r" % (what, actual, expected))


def close_cleanly(app, what=""):
    expect_equal(app.close(), 0, "exit status after the close box" + what)
    expect_equal(app.errors(), "", "what tintbar printed" + what)


def shown_label(app):
    """The pixels of the label area as the window shows it, or None when it
    holds no glyphs (pixels darker than the strip)."""
    picture = app.client_picture().sampled(app.desktop.scale)
    left, top, right, bottom = harness.LABEL_AREA
    offset = picture.height - harness.CLIENT_HEIGHT
    pixels = [picture.pixel(x, offset + y) for y in range(top, bottom) for x in range(left, right)]
    return pixels if any(max(pixel) < 0x80 for pixel in pixels) else None


def hover_labels(app, points):
    """Moves the pointer to each point in turn, each over another part than
    the one before, and waits each time for a new label that two pictures in
    a row show, so that a label caught while it is drawn does not count;
    returns the labels, the one shown before the first move first."""
    labels = [shown_label(app)]
    for point in points:
        app.move_mouse(*point)
        seen = [None]

        def settled():
            before, seen[0] = seen[0], shown_label(app)
            return seen[0] not in (None, labels[-1]) and seen[0] == before and seen[0]

        labels.append(wait_for("the label at %s" % (point,), settled))
    return labels


def open_about_box(app):
    """Opens Help > About; returns the About box."""
    app.choose_from_menu("alt+h", "a")
    return wait_for("the About box", lambda: [
        w for w in app.other_windows() if app.desktop.window_name(w) == ABOUT_CAPTION])[0]


@case("x11", "wayland")
def test_window_frame(context):
    """A fixed-size window titled "Hueline", as wide as its 180 x 240 client
    area, with a menu bar above it; the client area shows the raster
    picture of "default.css"."""
    with context.new_desktop() as desktop, context.start(desktop) as app:
        _, _, width, height = desktop.geometry(app.window)
        expect_equal(width, harness.CLIENT_WIDTH, "window width")
        expect(height > harness.CLIENT_HEIGHT, "a menu bar above the client area")
        hints = desktop.size_hints(app.window)
        if hints is not None:
            expect_equal([hints.get("program specified %s size" % limit)
                          for limit in ("minimum", "maximum")],
                         ["%d by %d" % (width, height)] * 2, "minimum and maximum size")
        expect_equal(desktop.window_name(app.window), harness.TITLE, "title")
        app.wait_for_picture(context.picture(desktop, START_CSS))
        close_cleanly(app)


@case("x11", "wayland")
def test_hover_labels(context):
    """A label is ready at the start, and each move of the pointer into the
    window and within it names what is under the pointer, to the pixel."""
    with context.new_desktop() as desktop, context.start(desktop) as app:
        app.wait_for_picture(context.picture(desktop, START_CSS))
        labels = hover_labels(app, (BACKGROUND_POINT, BOTTOM_EDGE_POINT, FACE_POINT))
        expect(labels[0], "the ready label is drawn")
        close_cleanly(app)


@case("x11", "wayland")
def test_colour_dialog(context):
    """A click on a part opens the colour dialog, which Escape closes
    without a change. Where the dialog's controls can be reached, it opens
    on the face's colour and Select at once keeps it; a colour typed into
    it is the one the face takes, channel by channel; Undo brings back the
    one before."""
    start_text = context.expected_text(START_CSS)
    with context.new_desktop() as desktop, context.start(desktop) as app:
        start = context.picture(desktop, START_CSS)
        app.wait_for_picture(start)
        # The pointer ends away from the face: a move to where it already is
        # may never end.
        for point in (FACE_POINT, BACKGROUND_POINT):
            app.click(*point)
            app.close_dialog(app.wait_for_dialog("the colour dialog"), "Escape",
                             "the colour dialog")
        app.wait_for_picture(start)
        expect_equal(app.copy(), start_text, "Copy after Escape")
        if desktop.has_reachable_colour_dialog:
            choose_colour(app, FACE_POINT, "#4060a0")
            choose_colour(app, FACE_POINT, "#4060a0", "#112233")
            chosen = context.expected_text(START_CSS.replace(b"#4060a0", b"#112233"))
            expect_equal(app.copy(), chosen, "Copy after choosing #112233 for the face")
            expect_equal(app.copy("ctrl+z", "ctrl+c"), start_text, "Copy after Undo")
        close_cleanly(app)


def choose_colour(app, point, shown, typed=None):
    """Clicks point, waits for the colour dialog to show the colour shown
    ("#rrggbb"), types the colour typed into its colour name field unless
    None and waits for the dialog to show it, then confirms with Select."""
    app.click(*point)
    dialog = app.wait_for_dialog("the colour dialog")
    desktop = app.desktop

    def showing(colour):
        expected = tuple(bytes.fromhex(colour[1:]))
        return lambda: desktop.screenshot(dialog).pixel(*COLOUR_SWATCH) == expected

    wait_for("the colour dialog to show " + shown, showing(shown))
    if typed:
        desktop.move_pointer(dialog, *COLOUR_NAME_FIELD)
        desktop.click()
        app.key("ctrl+a", window=dialog)
        desktop.type_text(typed)
        desktop.key(None, "Tab")
        wait_for("the colour dialog to show " + typed, showing(typed))
    desktop.move_pointer(dialog, *SELECT_BUTTON)
    desktop.click()
    wait_for("the colour dialog to close", lambda: not app.other_windows())


@case("x11", "wayland")
def test_disabled_file_menu(context):
    """The File menu cannot be opened, and its keys do nothing: no dialog,
    the same colours and title."""
    start_text = context.expected_text(START_CSS)
    with context.new_desktop() as desktop, context.start(desktop) as app:
        # Had Alt+F opened the File menu, the menu would take the Copy keys.
        for keys in (("alt+f",), ("ctrl+n", "ctrl+o", "ctrl+s")):
            what = " after " + ", ".join(keys)
            expect_equal(app.copy(*keys, "ctrl+c"), start_text, "Copy" + what)
            expect_equal(app.other_windows(), [], "windows" + what)
        expect_equal(desktop.window_name(app.window), harness.TITLE, "title after New")
        close_cleanly(app)


@case("x11", "wayland")
def test_about_box(context):
    """Help > About opens the About box, which Return closes."""
    with context.new_desktop() as desktop, context.start(desktop) as app:
        app.close_dialog(open_about_box(app), "Return", "the About box")
        close_cleanly(app)


@case("x11", "wayland")
def test_clipboard(context):
    """Copy writes the Copy text; Paste of text from another program changes
    the colours; Undo brings them back; Cut and the pane keys do nothing;
    after a Copy the program still ends at once."""
    with context.new_desktop() as desktop, context.start(desktop) as app:
        start = context.picture(desktop, START_CSS)
        pasted = context.picture(desktop, PASTED_CSS)
        start_text = context.expected_text(START_CSS)
        pasted_text = context.expected_text(PASTED_CSS)
        expect(start_text != pasted_text, "the two style sheets differ")
        expect_equal(app.copy("ctrl+c"), start_text, "Copy with Ctrl+C")
        for target in TEXT_TARGETS:
            expect_equal(desktop.read_clipboard(target), start_text, "the text as " + target)

        # Each Paste, Copy and Undo key: had a Cut or pane key touched the
        # clipboard or the colours, the Paste would not show the pasted
        # colours, or Undo would not bring back the start-up ones.
        for paste_keys, copy_key, undo_key in (
                (("ctrl+x", "shift+Delete", "F6", "shift+F6", "ctrl+v"), "ctrl+Insert", "ctrl+z"),
                (("shift+Insert",), "ctrl+c", "alt+BackSpace")):
            desktop.offer_clipboard(PASTED_CSS)
            app.key(*paste_keys)
            app.wait_for_picture(pasted)
            expect_equal(app.copy(copy_key), pasted_text, "Copy after " + paste_keys[-1])
            expect_equal(app.copy(undo_key, "ctrl+c"), start_text, "Copy after " + undo_key)
            app.wait_for_picture(start)

        started = time.monotonic()
        close_cleanly(app)
        seconds = time.monotonic() - started
        limit = SANITIZED_EXIT_TIME if context.sanitized else EXIT_TIME
        expect(seconds <= limit, "%.3f seconds to end after a Copy, at most %.3f" % (
            seconds, limit))
        expect(desktop.read_clipboard() in (None, b"", start_text), "clipboard after exit")


@case("x11", "wayland")
def test_copy_for_browsers(context):
    """Edit > Copy for current browsers, by Ctrl+Shift+C or through the menu,
    writes what tintbar-css --modern writes and leaves Copy's own text as it
    was; a Paste of it brings back the copied colours."""
    with context.new_desktop() as desktop, context.start(desktop) as app:
        modern = context.expected_text(START_CSS, "--modern")
        expect_equal(app.copy("ctrl+shift+c"), modern, "Copy for browsers, Ctrl+Shift+C")
        expect_equal(app.copy("ctrl+c"), context.expected_text(START_CSS), "Copy after it")

        context.paste(app, PASTED_CSS)
        desktop.offer_clipboard(b"not yet copied")
        app.choose_from_menu("alt+e", "b")
        expect_equal(app.wait_for_copy("Copy for browsers from the menu"),
                     context.expected_text(PASTED_CSS, "--modern"),
                     "Copy for browsers from the Edit menu")

        desktop.offer_clipboard(modern)
        app.key("ctrl+v")
        app.wait_for_picture(context.picture(desktop, START_CSS))
        close_cleanly(app)


# A browser that only records what it is asked to open, one line each.
BROWSER_STAND_IN = """#!/bin/sh
printf '%%s\\n' "$*" >> '%s'
"""


def install_browser_stand_in(desktop):
    """Makes a stand-in browser the desktop's default for HTML pages, which
    the toolkit asks first, and the first xdg-open on PATH, which it asks
    next; the system's own browsers are hidden. Returns the file where the
    stand-in records what it opens."""
    record = desktop.path("home", "opened.txt")
    folder = desktop.path("stand-in")
    os.makedirs(folder)
    script = os.path.join(folder, "xdg-open")
    write_file(script, (BROWSER_STAND_IN % record).encode())
    os.chmod(script, 0o755)
    os.makedirs(desktop.path("data", "applications"))
    write_file(desktop.path("data", "applications", "stand-in-browser.desktop"),
               b"[Desktop Entry]\nType=Application\nName=Stand-in browser\n"
               b"Exec=%s %%u\nMimeType=text/html;\n" % script.encode())
    write_file(desktop.path("config", "mimeapps.list"),
               b"[Default Applications]\ntext/html=stand-in-browser.desktop\n")
    # The system's shared data without its applications.
    shared = desktop.path("system-data")
    os.makedirs(shared)
    for name in os.listdir("/usr/share"):
        if name != "applications":
            os.symlink(os.path.join("/usr/share", name), os.path.join(shared, name))
    desktop.env.update(PATH=folder + ":" + desktop.env.get("PATH", os.defpath),
                       XDG_DATA_DIRS=shared)
    return record


def remove_browser_stand_in(desktop):
    """Leaves the desktop with no handler for HTML pages; returns the wrapper
    that starts the program with no xdg-open on its PATH, the system's own
    included."""
    folder = desktop.path("stand-in")
    os.remove(os.path.join(folder, "xdg-open"))
    os.remove(desktop.path("config", "mimeapps.list"))
    os.remove(desktop.path("data", "applications", "stand-in-browser.desktop"))
    return [shutil.which("env"), "PATH=" + folder]


def opened_pages(record):
    """The files that the stand-in browser was asked to open, in order."""
    if not os.path.exists(record):
        return []
    return [urllib.parse.unquote(line.removeprefix("file://"))
            for line in read_file(record).decode().splitlines()]


@case("x11", "wayland")
def test_view_in_browser(context):
    """Edit > View in browser, by Ctrl+Shift+B or through the menu, writes the
    page of tintbar-css --html for the current colours into a folder of the
    program's own in the runtime folder, which only the program's user can
    enter, and hands it to the desktop's browser; each use rewrites the same
    page, and the folder goes when the program ends. Without a browser a
    message says so and nothing changes."""
    with context.new_desktop() as desktop:
        record = install_browser_stand_in(desktop)
        with context.start(desktop) as app:
            app.key("ctrl+shift+b")
            (page,) = wait_for("the page to be opened", lambda: opened_pages(record))
            folder = os.path.dirname(page)
            expect_equal(os.path.dirname(folder), desktop.path("runtime"), "where the page lies")
            status = os.stat(folder)
            expect_equal(oct(status.st_mode & 0o7777), oct(0o700), "the page folder's mode")
            expect_equal(status.st_uid, os.stat(desktop.path("home")).st_uid,
                         "the page folder's owner")
            expect_equal(read_file(page), context.expected_text(START_CSS, "--html", "-"),
                         "the page")

            context.paste(app, PASTED_CSS)
            app.choose_from_menu("alt+e", "r")
            expect_equal(wait_for("the page to be opened again",
                                  lambda: opened_pages(record)[1:]), [page], "the page opened")
            expect_equal(read_file(page), context.expected_text(PASTED_CSS, "--html", "-"),
                         "the page rewritten")
            close_cleanly(app)
            expect(not os.path.exists(folder), "the page's folder is gone after the exit")

        without_browser = remove_browser_stand_in(desktop)
        with context.start(desktop, wrapper=without_browser) as app:
            app.wait_for_picture(context.picture(desktop, START_CSS))
            app.key("ctrl+shift+b")
            app.close_dialog(app.wait_for_dialog("the message that no browser started"), "Return",
                             "the message")
            app.wait_for_picture(context.picture(desktop, START_CSS))
            expect_equal(len(opened_pages(record)), 2, "pages opened")
            close_cleanly(app)


# Client points of the page background just below the bar's bottom edge;
# and, for sway, whose virtual pointer may land a pixel off, of the bar's
# three-pixel bottom ring and of the background two rows below the bar.
BELOW_EDGE_POINT = (20, 52)
BOTTOM_RING_POINT = (20, 49)
CLEAR_OF_EDGE_POINT = (20, 53)


def check_scaled_window(app, expected, exact=True):
    """At the desktop's scale the window shows expected enlarged (when exact:
    where the compositor enlarges the program's picture itself, it blends),
    the label stands whole in the strip, pointing names the part drawn under
    the pointer, to the row, and a click on a part opens the colour dialog."""
    if exact:
        app.wait_for_picture(expected)
    edge, below = ((BOTTOM_EDGE_POINT, BELOW_EDGE_POINT) if app.desktop.shows_device_pixels
                   else (BOTTOM_RING_POINT, CLEAR_OF_EDGE_POINT))
    points = (FACE_POINT, BACKGROUND_POINT, edge, below)
    shown = dict(zip(points, hover_labels(app, points)[1:]))
    expect(shown[below] == shown[BACKGROUND_POINT],
           "the row below the bar's edge is the page background's")
    picture = app.client_picture()
    # No ink on the window's last row, left of the vertical bar.
    bottom = [picture.pixel(x, picture.height - 1) for x in range(picture.width // 2)]
    expect(all(min(pixel) >= 0x80 for pixel in bottom), "the label whole in the strip")
    app.click(*FACE_POINT)
    app.close_dialog(app.wait_for_dialog("the colour dialog", timeout=60), "Escape",
                     "the colour dialog")


@case("x11", "wayland")
def test_scaled_window(context):
    """At each display scale of the desktop (GTK's scale 2 on X11; the
    output's scale 2 and 1.5 on sway, where the compositor enlarges a scale 2
    picture to 1.5 itself) the window is 180 x 240 of its pixels, drawn
    sharp at whole scales, with the label whole; hover and click find the
    part under the pointer."""
    for scale in context.display_scales:
        with context.new_desktop() as desktop:
            desktop.set_scale(scale)
            with context.start(desktop) as app:
                width = desktop.geometry(app.window)[2]
                expect_equal(width, harness.CLIENT_WIDTH * desktop.pointer_scale(), "window width")
                check_scaled_window(app, context.picture(desktop, START_CSS),
                                    exact=scale == int(scale))
                context.keep_screenshot(desktop, app.window, "scaled-%g" % scale)
                close_cleanly(app)


@case("x11", "wayland")
def test_hostile_clipboard(context):
    """Nothing that the clipboard can hold stops the program: data that is
    not text, text with a NUL byte, text that is not valid UTF-8, 50 MB of
    text, and text longer than Paste takes."""
    with context.new_desktop() as desktop, context.start(desktop) as app:
        desktop.offer_clipboard(b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + bytes(range(256)),
                                target="image/png")
        expect_equal(app.copy("ctrl+v", "ctrl+c", keep_clipboard=True),
                     context.expected_text(START_CSS), "Copy after data that is not text")

        # The text ends at the NUL: the colours after it are never read.
        before_nul = b"BODY { scrollbar-face-color: #00ff00; scrollbar-arrow-color: #0000ff }"
        desktop.offer_clipboard(before_nul + b"\0BODY { scrollbar-arrow-color: #ff0000 }")
        expect_equal(app.copy("ctrl+v", "ctrl+c", keep_clipboard=True),
                     context.expected_text(before_nul), "Copy after text with a NUL")

        desktop.offer_clipboard(b"BODY { scrollbar-face-color: #123456 } \xff\xfe\xc0\xaf"
                                b" \xed\xa0\x80")
        app.copy("ctrl+v", "ctrl+c", keep_clipboard=True)

        body = b"BODY { scrollbar-track-color: #abcdef }"
        desktop.offer_clipboard(body + b" " + b"x" * (50 * 1024 * 1024))
        app.key("ctrl+v")
        app.wait_for_picture(context.picture(desktop, body), timeout=60)
        expect_equal(app.copy(), context.expected_text(body), "Copy after 50 MB of text")

        # One byte over what Paste takes, counted before trimming: as no
        # text, it changes nothing and brings up no message, which would
        # also take the Copy key. Until the Copy, reading the clipboard
        # would move all of the long text, so its owner is watched.
        desktop.offer_clipboard(PASTED_CSS.ljust(MAX_PASTE_BYTES + 1))
        served = desktop.clipboard_owner()
        app.key("ctrl+v", "ctrl+c")
        wait_for("the Copy after a Paste over the limit",
                 lambda: desktop.clipboard_owner() != served, timeout=60)
        expect(desktop.read_clipboard() == context.expected_text(body),
               "Copy after a text over the limit shows the colours from before")
        expect_equal(app.other_windows(), [], "windows after a text over the limit")
        close_cleanly(app)


@case("x11", "wayland")
def test_startup_without_default_css(context):
    """Without a readable "default.css" (none at all, or a folder of that
    name) the program starts with the colours of CSS that names none; a
    document named on the command line loads nothing, and Ctrl+S writes no
    file."""
    expected_text = context.expected_text(NO_COLORS_CSS)
    with context.new_desktop() as desktop:
        document = desktop.path("named.tintbar")
        write_file(document, PASTED_CSS)
        with context.start(desktop, default_css=None, arguments=[document]) as app:
            app.wait_for_picture(context.picture(desktop, NO_COLORS_CSS))
            os.remove(document)
            expect_equal(app.copy("ctrl+s", "ctrl+c"), expected_text, "Copy without default.css")
            expect(not os.path.exists(document), "no file written by Ctrl+S")
            expect_equal(desktop.window_name(app.window), harness.TITLE, "title after Save")
            close_cleanly(app)
        folder = desktop.working_folder(None)
        os.makedirs(os.path.join(folder, "default.css"))
        with App(desktop, context.tintbar, folder) as app:
            app.wait_for_picture(context.picture(desktop, NO_COLORS_CSS))
            expect_equal(app.copy(), expected_text, "Copy with a folder default.css")
            close_cleanly(app)


# Settings locations: (what, the settings folder the program is told of,
# the settings file, its content before the run, shell words that prepare
# the folder in the program's own mount namespace, whether the run can write
# the file). Paths are relative to a fresh home folder. A run that can write
# names its document in the recent-file list; one that cannot leaves
# OLD_SETTINGS as it was.
OLD_SETTINGS = b"file1=/old/document\n"
SETTINGS_FILE = harness.identity().name + ".conf"
FULL = ('mount -t tmpfs -o size=16k tmpfs "$XDG_CONFIG_HOME" && '
        'cp "$OLD" "$XDG_CONFIG_HOME/%s" && '
        '{ dd if=/dev/zero of="$XDG_CONFIG_HOME/filler" bs=4k 2>/dev/null; true; }' % SETTINGS_FILE)
READ_ONLY = ('mount --bind "$XDG_CONFIG_HOME" "$XDG_CONFIG_HOME" && '
             'mount -o remount,ro,bind "$XDG_CONFIG_HOME" "$XDG_CONFIG_HOME"')
DAMAGED = b"[\xff\xfe\n=\n[[[\0\0\nfile1\n" + bytes(range(256))
SETTINGS_LOCATIONS = [
    ("no ~/.config on a fresh account", None, ".config/" + SETTINGS_FILE, None, None, True),
    ("a damaged file", "settings", "settings/" + SETTINGS_FILE, DAMAGED, None, True),
    ("a read-only folder", "settings", "settings/" + SETTINGS_FILE, OLD_SETTINGS, READ_ONLY,
     False),
    ("a full folder", "settings", None, None, FULL, False),
    ("a file where the folder belongs", "settings", "settings", OLD_SETTINGS, None, False),
]


@case("x11")
def test_settings(context):
    """The recent-file list is kept wherever it can be written, and no
    settings location troubles the program: it starts without a message and
    ends with status 0, printing nothing."""
    with context.new_desktop() as desktop:
        document = desktop.path("named.tintbar")
        old = desktop.path("old-settings")
        write_file(document, PASTED_CSS)
        write_file(old, OLD_SETTINGS)
        plain_env = dict(desktop.env)
        for index, (what, told, settings, before, preparation, writable) in enumerate(
                SETTINGS_LOCATIONS):
            home = desktop.path("home-%d" % index)
            os.makedirs(home)
            desktop.env = {key: value for key, value in plain_env.items()
                           if key != "XDG_CONFIG_HOME"}
            desktop.env.update(HOME=home, OLD=old)
            if told:
                desktop.env["XDG_CONFIG_HOME"] = os.path.join(home, told)
            if told and told != settings:
                os.makedirs(os.path.join(home, told))
            if before is not None:
                write_file(os.path.join(home, settings), before)
            wrapper = ("unshare", "--map-root-user", "--mount", "--", "sh", "-c",
                       preparation + ' && exec "$0" "$@"') if preparation else ()
            with context.start(desktop, arguments=[document], wrapper=wrapper) as app:
                expect_equal(app.copy(), context.expected_text(START_CSS), "Copy with " + what)
                expect_equal(app.other_windows(), [], "windows with " + what)
                close_cleanly(app, " with " + what)
            if writable:
                expect(("file1=" + document).encode() in read_file(os.path.join(home, settings)),
                       "the recent files with " + what)
            elif settings:
                expect_equal(read_file(os.path.join(home, settings)), OLD_SETTINGS,
                             "the settings file with " + what)
        desktop.env = plain_env


@case("x11")
def test_no_display(context):
    """Without a usable display the program says so in one line and fails;
    --help and --version print and succeed."""
    with X11Desktop() as desktop:
        env = {key: value for key, value in desktop.env.items() if key != "DISPLAY"}
        for display in (None, ":%d" % (int(desktop.env["DISPLAY"][1:]) + 100)):
            completed = harness.run([context.tintbar], dict(env, **(
                {"DISPLAY": display} if display else {})), check=False, cwd=desktop.folder)
            expect(completed.returncode != 0, "exit status without a display")
            lines = completed.stderr.decode().splitlines()
            expect_equal(len(lines), 1, "lines on stderr (%r)" % lines)
            expect(lines[0].startswith("tintbar: cannot open a display"), "the message")
            expect_equal(completed.stdout, b"", "standard output")
        # Help and the version need no display at all.
        product = harness.identity()
        for option, first_line in (
                ("--help", b"Usage: tintbar [OPTION]... [FILE]\n"),
                ("--version", b"tintbar (%s) %s\n" % (product.product_name.encode(),
                                                      product.version.encode()))):
            completed = harness.run([context.tintbar, option], env, check=False,
                                    cwd=desktop.folder)
            expect_equal((completed.returncode, completed.stderr), (0, b""), option)
            expect(completed.stdout.startswith(first_line),
                   "%s printed %r" % (option, completed.stdout))


# Large text and scaled desktops: (what, environment, the desktop's font,
# device pixels a pixel).
LARGE_TEXT = [
    ("the usual settings", {}, None, 1),
    ("GDK_DPI_SCALE 1.25", {"GDK_DPI_SCALE": "1.25"}, None, 1),
    ("GDK_DPI_SCALE 1.5", {"GDK_DPI_SCALE": "1.5"}, None, 1),
    ("GDK_DPI_SCALE 2", {"GDK_DPI_SCALE": "2"}, None, 1),
    ("GDK_SCALE 2", {"GDK_SCALE": "2"}, None, 2),
    ("a 9 pt font", {}, "Sans 9", 1),
    ("a 16 pt font", {}, "Sans 16", 1),
    ("a 16 pt font at GDK_DPI_SCALE 1.5", {"GDK_DPI_SCALE": "1.5"}, "Sans 16", 1),
]
# The smallest height in pixels of the menu titles' ink that reads well.
LEGIBLE_TITLE_HEIGHT = 10
# Columns without ink that part two menu titles.
TITLE_GAP = 6


def ink_rows_and_columns(picture, area, darker_than):
    """The rows and the columns of area (left, top, right, bottom) that hold
    a pixel darker than darker_than in every channel."""
    left, top, right, bottom = area
    ink = [(x, y) for y in range(top, bottom) for x in range(left, right)
           if max(picture.pixel(x, y)) < darker_than]
    return sorted({y for _, y in ink}), sorted({x for x, _ in ink})


def clusters(columns, gap):
    """Runs of columns that no gap of at least gap columns parts."""
    runs = []
    for column in columns:
        if runs and column - runs[-1][1] <= gap:
            runs[-1][1] = column
        else:
            runs.append([column, column])
    return runs


@case("x11", "wayland")
def test_large_text(context):
    """With large text or a scaled desktop the client area stays 180 x 240
    with the window no wider, the label stands whole in the status strip
    and the three menu titles fit side by side at a legible size."""
    with context.new_desktop() as desktop:
        plain_env = dict(desktop.env)
        settings = desktop.path("config", "gtk-3.0", "settings.ini")
        os.makedirs(os.path.dirname(settings))
        expected = context.picture(desktop, START_CSS)
        for what, env, font, scale in LARGE_TEXT:
            if scale != 1 and not desktop.shows_device_pixels:
                continue
            desktop.env = dict(plain_env, **env)
            write_file(settings, b"[Settings]\n" +
                       (b"gtk-font-name=%s\n" % font.encode() if font else b""))
            with context.start(desktop) as app:
                _, _, width, height = desktop.geometry(app.window)
                expect_equal(width, harness.CLIENT_WIDTH * scale, "window width with " + what)
                screen = app.wait_for_picture(expected, scale=scale)
                picture = screen.sampled(scale)
                top = picture.height - harness.CLIENT_HEIGHT
                left, label_top, right, bottom = harness.LABEL_AREA
                rows, _ = ink_rows_and_columns(
                    picture, (left, top + label_top, right, top + bottom), 0x80)
                expect(rows and rows[-1] < top + bottom - 1,
                       "the label whole in the strip with %s (rows %s)" % (what, rows))
                rows, columns = ink_rows_and_columns(screen, (0, 0, screen.width, top * scale),
                                                     0xC0)
                titles = clusters(columns, TITLE_GAP * scale)
                expect_equal(len(titles), 3, "menu titles with " + what)
                expect(titles[-1][1] < screen.width - 1, "the last title inside with " + what)
                expect(len(rows) >= LEGIBLE_TITLE_HEIGHT * scale,
                       "menu titles %d pixels tall with %s" % (len(rows) // scale, what))
                close_cleanly(app)
        desktop.env = plain_env


@case("wayland")
def test_drawn_title_bar(context):
    """Where the program draws its own title bar, the window is exactly as
    wide as its 180 x 240 client area, which shows the expected picture.
    The screen is pure green, which shadows only darken, so the window is
    every pixel with some red or blue."""
    with wayland.WestonDesktop() as desktop:
        folder = desktop.working_folder(START_CSS)
        expected = context.picture(desktop, START_CSS)
        program = subprocess.Popen(desktop.command([context.tintbar]), cwd=folder,
                                   env=desktop.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            def window():
                screen = desktop.screen()
                shown = [(x, y) for y in range(screen.height) for x in range(screen.width)
                         if screen.pixel(x, y)[0::2] != (0, 0)]
                if not shown:
                    return None
                picture = screen.crop(min(x for x, _ in shown), min(y for _, y in shown),
                                      max(x for x, _ in shown) + 1, max(y for _, y in shown) + 1)
                return (picture if picture.width == harness.CLIENT_WIDTH and
                        not picture.differences(expected, harness.LABEL_AREA) else None)

            picture = wait_for("a window as wide as its client area, showing the picture",
                               window)
            expect(picture.height > harness.CLIENT_HEIGHT + 2 * 20,
                   "a title bar and a menu bar above the client area")
        finally:
            program.kill()
            program.wait()


def write_screenshot(context, path):
    """The window on the shipped "default.css" with the pointer over a
    button's face, for the README; and its twin at scale 2 for HiDPI pages,
    named with "-2x" before the extension."""
    shipped_css = read_file(os.path.join(os.path.dirname(harness.TOP_CMAKE_LISTS),
                                         "default.css"))
    stem, extension = os.path.splitext(path)
    for scale, output in ((1, path), (2, stem + "-2x" + extension)):
        with X11Desktop() as desktop:
            desktop.set_scale(scale)
            with context.start(desktop, default_css=shipped_css) as app:
                app.wait_for_picture(context.picture(desktop, shipped_css))
                hover_labels(app, [FACE_POINT])
                desktop.screenshot(app.window).save(output)
                close_cleanly(app)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tintbar")
    parser.add_argument("--tintbar-css")
    parser.add_argument("--screenshot", metavar="PNG")
    parser.add_argument("--screenshot-folder",
                        help="where the cases keep pictures of the window for a person")
    parser.add_argument("--wayland", metavar="WLINPUT",
                        help="run natively on a headless sway, with this virtual input tool")
    parser.add_argument("--sanitized", action="store_true",
                        help="the program is built with the sanitizers")
    parser.add_argument("--list", choices=DESKTOPS, help="print the cases of a desktop")
    parser.add_argument("cases", nargs="*", metavar="CASE", help=", ".join(sorted(CASES)))
    options = parser.parse_args()
    desktop = options.list or ("wayland" if options.wayland else "x11")
    names = sorted(name for name, (_, desktops) in CASES.items() if desktop in desktops)
    if options.list:
        print("\n".join(names))
        return 0
    if not (options.tintbar and options.tintbar_css):
        parser.error("--tintbar and --tintbar-css are required")
    unknown = [name for name in options.cases if name not in names]
    if unknown:
        parser.error("no such case on %s: %s" % (desktop, ", ".join(unknown)))
    context = Context(os.path.abspath(options.tintbar), os.path.abspath(options.tintbar_css),
                      sanitized=options.sanitized, screenshot_folder=options.screenshot_folder)
    if options.screenshot:
        write_screenshot(context, options.screenshot)
        return 0
    if options.wayland:
        with wayland.on_sway(context.tintbar, options.wayland) as (program, new_desktop):
            return run_cases(Context(program, context.companion, new_desktop, (2, 1.5),
                                     options.sanitized, options.screenshot_folder),
                             options.cases or names)
    return run_cases(context, options.cases or names)


def run_cases(context, names):
    passed = [harness.run_case(name, CASES[name][0], context) for name in names]
    return 0 if all(passed) else 1


if __name__ == "__main__":
    sys.exit(main())
