"""Renders the page of tintbar-css --html, whose one style sheet is
Tintbar's CSS for current browsers, in Chromium, Firefox ESR and WebKitGTK at
device scale factors 1 and 2, and compares the screenshots with the preview,
pixel by pixel.

Usage: browser_test.py --tintbar-css COMPANION [--picture OUT.png]

For each colour scheme, tintbar-css --html gives a page larger than its
viewport with a scrolling box at a fixed place, and tintbar-css --png --scale
N the preview picture at each factor N, whose vertical bar holds the classic
17 x 17 buttons at scale 1 and whose horizontal bar holds them at scale 3,
each pixel drawn N x N. Chromium and WebKitGTK must draw the page's two
scrollbars with those very buttons at the factor, a track in the track colour
and one thumb bevelled like a button; Firefox must colour the thumb and the
track of the scrolling box with the face and track colours, the bar twice as
thick at factor 2 as at 1. Chromium runs headless; Firefox too at factor 1,
and at 2, where its headless screenshot is always taken at 1, on a virtual
display; WebKitGTK runs its MiniBrowser full-screen on a virtual display of
the viewport's size, with classic (not overlay) scrollbars. Each scheme's
checks for one browser run in turn, two such runs at a time. --picture also
writes the Chromium page of the first scheme at factor 1 beside its preview,
for the README.
"""

import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import (CLIENT_HEIGHT, CLIENT_WIDTH, HarnessError, X11Desktop,  # noqa: E402
                     read_picture, run, wait_for)

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
BROWSER_TIMEOUT = 120

# The classic bar and its place in the preview picture, the program's client
# area: the vertical bar at scale 1 down the right edge, the horizontal bar at
# scale 3 across the top.
BAR = 17
HORIZONTAL_SCALE = 3

# The viewport in CSS pixels: as tall as the preview, so that the README shows
# them side by side; the page is larger both ways, so both page scrollbars
# show.
WIDTH, HEIGHT = 360, CLIENT_HEIGHT
# The page's scrolling box: left, top, width, height.
BOX = (24, 104, 200, 100)
# Device pixels a CSS pixel, and preview pixels a pixel.
SCALES = (1, 2)
# The checks that run at once; each holds one browser.
PARALLEL_RUNS = 2
# Displays a browser on a virtual display gets before its failure counts.
DISPLAY_ATTEMPTS = 2
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

# Colour list order: track, face, shadow, darkshadow, highlight, 3dlight,
# arrow.
PROPERTIES = ("track", "face", "shadow", "darkshadow", "highlight", "3dlight", "arrow")
SCHEMES = {
    "shipped default.css": None,
    "classic grey": ("#e0e0e0", "#c0c0c0", "#808080", "#000000", "#ffffff", "#dfdfdf",
                     "#000000"),
    "seven far apart": ("#ffff00", "#0000ff", "#ff0000", "#00ff00", "#ff00ff", "#00ffff",
                        "#000000"),
    "dark theme": ("#1e1e1e", "#3c3c3c", "#2a2a2a", "#000000", "#5a5a5a", "#4a4a4a",
                   "#d4d4d4"),
    "pastel": ("#fdf6e3", "#b8e0d2", "#95b8d1", "#809bce", "#eac4d5", "#d6eadf", "#809bce"),
    # A flat bar: the light edges in the face colour, both shadows alike and
    # the arrow in the track colour.
    "some alike": ("#336699", "#99ccff", "#003366", "#003366", "#99ccff", "#99ccff",
                   "#336699"),
}

CHROMIUM_FLAGS = ["--no-sandbox", "--headless", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--hide-crash-restore-bubble"]
# A fresh Firefox profile that stays off the network and opens just the page;
# layout.css.devPixelsPerPx sets the factor.
FIREFOX_PREFS = {
    "app.update.auto": "false",
    "app.normandy.enabled": "false",
    "browser.aboutwelcome.enabled": "false",
    "browser.startup.homepage_override.mstone": '"ignore"',
    "browser.shell.checkDefaultBrowser": "false",
    "browser.safebrowsing.update.enabled": "false",
    "datareporting.policy.dataSubmissionEnabled": "false",
    "extensions.update.enabled": "false",
    "network.captive-portal-service.enabled": "false",
    "network.connectivity-service.enabled": "false",
    "toolkit.telemetry.enabled": "false",
}


class BrowserEnded(HarnessError):
    pass


def crop(picture, left, top, width, height, step=1):
    """The pixels of a rectangle, rows top to bottom, every step-th pixel."""
    return [[picture.pixel(left + x * step, top + y * step) for x in range(width)]
            for y in range(height)]


class Scheme:
    def __init__(self, name, colors, companion, folder):
        self.name = name
        if colors is None:
            with open(os.path.join(ROOT, "default.css"), "rb") as source:
                css = source.read()
        else:
            css = ("BODY {%s}" % "".join("scrollbar-%s-color: %s;" % pair
                                         for pair in zip(PROPERTIES, colors))).encode()
        self.folder = folder
        os.makedirs(folder)
        run([companion, "--html", self.path("page.html")], stdin=css)
        self.previews = {}
        for scale in SCALES:
            run([companion, "--png", self.preview_path(scale), "--scale", str(scale)], stdin=css)
            self.previews[scale] = read_picture(self.preview_path(scale))
        # The colours as the preview paints them.
        preview = self.previews[1]
        self.face = preview.pixel(CLIENT_WIDTH - BAR + 3, 3)
        self.track = preview.pixel(CLIENT_WIDTH - BAR + BAR // 2, CLIENT_HEIGHT // 2)

    def path(self, name):
        return os.path.join(self.folder, name)

    def preview_path(self, scale):
        return self.path("preview-%dx.png" % scale)

    def buttons(self, scale):
        """The classic buttons at scale: up, down, left, right."""
        preview, bar = self.previews[scale], BAR * scale
        right = CLIENT_WIDTH * scale - bar
        wide = bar * HORIZONTAL_SCALE
        return {
            "up": crop(preview, right, 0, bar, bar),
            "down": crop(preview, right, CLIENT_HEIGHT * scale - bar, bar, bar),
            "left": crop(preview, 0, 0, bar, bar, HORIZONTAL_SCALE),
            "right": crop(preview, right - wide, 0, bar, bar, HORIZONTAL_SCALE),
        }


def chromium_screenshot(scheme, scale):
    shot = scheme.path("chromium-%dx.png" % scale)
    profile = scheme.path("chromium-profile-%dx" % scale)
    run(["chromium"] + CHROMIUM_FLAGS + [
        "--force-device-scale-factor=%d" % scale, "--user-data-dir=" + profile,
        "--window-size=%d,%d" % (WIDTH, HEIGHT), "--screenshot=" + shot,
        "file://" + scheme.path("page.html")], timeout=BROWSER_TIMEOUT)
    return shot


def firefox_screenshot(scheme, scale):
    shot = scheme.path("firefox-%dx.png" % scale)
    profile, home = scheme.path("firefox-profile-%dx" % scale), scheme.path("firefox-home")
    os.makedirs(profile)
    os.makedirs(home, exist_ok=True)
    prefs = dict(FIREFOX_PREFS, **{"layout.css.devPixelsPerPx": '"%d.0"' % scale})
    with open(os.path.join(profile, "user.js"), "w") as user:
        user.writelines('user_pref("%s", %s);\n' % pair for pair in prefs.items())
    env = dict(os.environ, HOME=home)
    if scale != 1:
        def drawn(picture):
            # The scrolling box's vertical bar shows its track halfway down.
            left, top, width, height = BOX
            return picture.pixel((left + width) * scale - 1, (top + height // 2) * scale) == \
                scheme.track
        return display_screenshot(["firefox-esr", "--no-remote", "--profile", profile, "--kiosk",
                                   "file://" + scheme.path("page.html")], env, scale, shot, drawn)
    env["MOZ_HEADLESS"] = "1"
    env.pop("DISPLAY", None)
    run(["firefox-esr", "--headless", "--no-remote", "--profile", profile, "--screenshot", shot,
         "--window-size=%d,%d" % (WIDTH, HEIGHT), "file://" + scheme.path("page.html")],
        env=env, timeout=BROWSER_TIMEOUT)
    return shot


def webkit_screenshot(scheme, scale):
    env = dict(os.environ, HOME=scheme.path("webkit-home"), GDK_SCALE=str(scale),
               GTK_OVERLAY_SCROLLING="0", WEBKIT_DISABLE_COMPOSITING_MODE="1", NO_AT_BRIDGE="1")
    return display_screenshot(
        [MINIBROWSER, "--full-screen", "--private", "file://" + scheme.path("page.html")], env,
        scale, scheme.path("webkit-%dx.png" % scale),
        lambda picture: picture.pixel(WIDTH * scale - 1, HEIGHT * scale - 1) == scheme.face)


def display_screenshot(browser_command, env, scale, shot, drawn):
    """The browser's window, sized to the viewport at scale, on a display of
    that size; the browsers' own screenshots may hang there, so the display's
    picture is taken once two in a row agree and drawn(picture) holds. A
    browser that ends before its window shows gets a fresh display once more:
    another display server of the machine that ends meanwhile may take the
    socket of the number just given to this one with it."""
    for attempt in range(DISPLAY_ATTEMPTS):
        try:
            return display_session(browser_command, env, scale, shot, drawn)
        except BrowserEnded as error:
            if attempt + 1 == DISPLAY_ATTEMPTS:
                raise
            print("AGAIN on a fresh display: %s" % error, flush=True)


def display_session(browser_command, env, scale, shot, drawn):
    width, height = WIDTH * scale, HEIGHT * scale
    name = os.path.basename(browser_command[0])
    with X11Desktop(screen=(width, height)) as desktop:
        env = dict(env, DISPLAY=desktop.env["DISPLAY"])
        with open(shot + ".log", "wb") as log:
            browser = subprocess.Popen(browser_command, env=env, stdout=log, stderr=log)

        def output():
            with open(shot + ".log", errors="replace") as log:
                return log.read()[-2000:]

        def window_shown():
            if browser.poll() is not None:
                raise BrowserEnded("%s ended (%d) before its window showed on %s: %s" % (
                    name, browser.returncode, env["DISPLAY"], output()))
            return desktop.visible_windows(browser)[:1]
        try:
            window = wait_for("the %s window" % name, window_shown, timeout=BROWSER_TIMEOUT)[0]
            # The display's own pixels: xdotool knows nothing of the factor.
            run(["xdotool", "windowsize", str(window), str(width), str(height)], env)
            pictures = []

            def settled():
                pictures.append(desktop.screen())
                return len(pictures) > 1 and pictures[-1].rgb == pictures[-2].rgb and \
                    drawn(pictures[-1])
            wait_for("%s to draw the page" % name, settled, timeout=BROWSER_TIMEOUT)
            pictures[-1].save(shot)
        except BrowserEnded:
            raise
        except HarnessError as error:
            raise HarnessError("%s; %s wrote: %s" % (error, name, output())) from error
        finally:
            browser.kill()
            browser.wait()
    return shot


def at_scale(picture, browser, scale):
    if (picture.width, picture.height) != (WIDTH * scale, HEIGHT * scale):
        raise HarnessError("%s drew %dx%d for a %dx%d viewport: not at scale %d" %
                           (browser, picture.width, picture.height, WIDTH, HEIGHT, scale))


def matched(actual, expected):
    return sum(a == e for row_a, row_e in zip(actual, expected) for a, e in zip(row_a, row_e))


def bevelled(button, width, height, scale):
    """A face of width x height with the button's bevel at scale and no
    arrow: the button's two outer rings, and its third row and column in
    between."""
    ring, bar = 2 * scale, BAR * scale

    def source(index, length):
        return index if index < ring else bar - (length - index) if index >= length - ring \
            else ring
    return [[button[source(y, height)][source(x, width)] for x in range(width)]
            for y in range(height)]


def check_track(shot, scheme, button, vertical, scale):
    """The track between the buttons: the track colour around one thumb that
    is the button's bevel around the face colour. Returns (thumb pixels,
    track pixels)."""
    bar = BAR * scale
    length = (HEIGHT if vertical else WIDTH) * scale - 3 * bar
    left, top = (WIDTH * scale - bar, bar) if vertical else (bar, HEIGHT * scale - bar)
    width, height = (bar, length) if vertical else (length, bar)
    region = crop(shot, left, top, width, height)
    lines = region if vertical else [list(column) for column in zip(*region)]
    thumb = [index for index, line in enumerate(lines) if any(p != scheme.track for p in line)]
    if not thumb or thumb != list(range(thumb[0], thumb[-1] + 1)):
        raise HarnessError("the %s track does not hold one thumb (%d lines differ from the "
                           "track colour)" % ("vertical" if vertical else "horizontal", len(thumb)))
    size = len(thumb)
    thumb_region = [line[:] for line in lines[thumb[0]:thumb[-1] + 1]]
    if not vertical:
        thumb_region = [list(row) for row in zip(*thumb_region)]
    expected = bevelled(button, bar if vertical else size, size if vertical else bar, scale)
    good = matched(thumb_region, expected)
    if good != bar * size:
        raise HarnessError("%d of %d thumb pixels differ from a bevelled face" %
                           (bar * size - good, bar * size))
    return good, (length - size) * bar


def check_chromium(scheme, scale, _):
    return check_classic(chromium_screenshot(scheme, scale), scheme, "Chromium", scale)


def check_webkit(scheme, scale, _):
    return check_classic(webkit_screenshot(scheme, scale), scheme, "WebKitGTK", scale)


def check_classic(path, scheme, browser, scale):
    """The page's own scrollbars, in the screenshot at path, drawn as the
    preview draws its bars."""
    shot = read_picture(path)
    at_scale(shot, browser, scale)
    width, height, bar = WIDTH * scale, HEIGHT * scale, BAR * scale
    places = {"up": (width - bar, 0), "down": (width - bar, height - 2 * bar),
              "left": (0, height - bar), "right": (width - 2 * bar, height - bar)}
    buttons = scheme.buttons(scale)
    report = []
    for name, button in buttons.items():
        good = matched(crop(shot, *places[name], bar, bar), button)
        report.append("%s %d/%d" % (name, good, bar * bar))
        if good != bar * bar:
            raise HarnessError("the %s button: %s" % (name, ", ".join(report)))
    vertical = check_track(shot, scheme, buttons["up"], True, scale)
    horizontal = check_track(shot, scheme, buttons["up"], False, scale)
    corner = crop(shot, width - bar, height - bar, bar, bar)
    if any(p != scheme.face for row in corner for p in row):
        raise HarnessError("the corner is not the face colour")
    return "%dx%d at scale %d, buttons %s; thumbs %d and %d px bevelled face in %d and %d px " \
        "of track" % (width, height, scale, ", ".join(report), vertical[0], horizontal[0],
                      vertical[1], horizontal[1]), bar


def between(pixel, one, other):
    """Whether pixel is a mix of the two colours (as where an edge blends
    them), to within rounding."""
    spans = [b - a for a, b in zip(one, other)]
    offsets = [p - a for p, a in zip(pixel, one)]
    length = sum(span * span for span in spans)
    mix = min(1.0, max(0.0, sum(o * s for o, s in zip(offsets, spans)) / length)) if length else 0
    return all(abs(o - mix * s) <= 2 for o, s in zip(offsets, spans))


def check_firefox(scheme, scale, thickness_at_one):
    """The scrolling box's bars in the face and track colours; at a factor
    above 1 that many times as thick as at 1."""
    shot = read_picture(firefox_screenshot(scheme, scale))
    at_scale(shot, "Firefox", scale)
    left, top, width, height = (edge * scale for edge in BOX)
    counts, thicknesses = [], set()
    for vertical in (True, False):
        # The bar's thickness: from the box's edge to the white content.
        probe = (lambda i: shot.pixel(left + width - 1 - i, top + height // 2)) if vertical \
            else (lambda i: shot.pixel(left + width // 2, top + height - 1 - i))
        thickness = next((i for i in range(width) if probe(i) == (255, 255, 255)), 0)
        if thickness < 6 * scale:
            raise HarnessError("no %s scrollbar in the box" %
                               ("vertical" if vertical else "horizontal"))
        if vertical:
            region = crop(shot, left + width - thickness, top, thickness, height - thickness)
        else:
            region = crop(shot, left, top + height - thickness, width - thickness, thickness)
        pixels = [p for row in region for p in row]
        faces, tracks = pixels.count(scheme.face), pixels.count(scheme.track)
        strays = [p for p in pixels if not between(p, scheme.track, scheme.face)]
        if strays or faces < 40 or tracks < 40:
            raise HarnessError("the %s bar: %d face, %d track, %d other pixels (%s)" % (
                "vertical" if vertical else "horizontal", faces, tracks, len(strays), strays[:3]))
        counts.append("%s %d px thick: thumb %d px face, track %d px, %d blended" % (
            "vertical" if vertical else "horizontal", thickness, faces, tracks,
            len(pixels) - faces - tracks))
        thicknesses.add(thickness)
    if len(thicknesses) != 1:
        raise HarnessError("the bars differ in thickness: %s" % "; ".join(counts))
    thickness = thicknesses.pop()
    if scale != 1 and thickness != (thickness_at_one or 0) * scale:
        raise HarnessError("the bars are %d px thick at scale %d, at 1 %s px" % (
            thickness, scale, thickness_at_one))
    return "%dx%d at scale %d, %s" % (WIDTH * scale, HEIGHT * scale, scale, "; ".join(counts)), \
        thickness


def check_all_scales(check, browser, scheme):
    """Runs check at each factor in turn, giving it what it returned at
    factor 1; returns the lines to report and the number of failures."""
    lines, failed, at_one = [], 0, None
    for scale in SCALES:
        started = time.monotonic()
        try:
            result, measure = check(scheme, scale, at_one)
            at_one = measure if scale == 1 else at_one
            lines.append("PASS %s at %dx, %s (%.1f s): %s" % (
                browser, scale, scheme.name, time.monotonic() - started, result))
        except (HarnessError, subprocess.SubprocessError) as error:
            failed += 1
            lines.append("FAIL %s at %dx, %s: %s" % (browser, scale, scheme.name, error))
    return lines, failed


def write_picture(scheme, out):
    gap = "%dx%d" % (16, HEIGHT)
    run(["convert", scheme.path("chromium-1x.png"), "-size", gap, "xc:white",
         scheme.preview_path(1), "+append", "-strip", "-define",
         "png:exclude-chunk=date,time", out])


CHECKS = (("chromium", check_chromium), ("firefox", check_firefox), ("webkitgtk", check_webkit))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tintbar-css", required=True)
    parser.add_argument("--picture", metavar="PNG")
    options = parser.parse_args()
    companion = os.path.abspath(options.tintbar_css)
    for browser in ("chromium", "firefox-esr"):
        print(run([browser, "--version"], dict(os.environ, HOME=tempfile.gettempdir()),
                  timeout=BROWSER_TIMEOUT).stdout.decode().strip())
    folder = tempfile.mkdtemp(prefix="tintbar-browsers-")
    started_all = time.monotonic()
    failed = 0
    try:
        schemes = [Scheme(name, colors, companion, os.path.join(folder, str(index)))
                   for index, (name, colors) in enumerate(SCHEMES.items())]
        with concurrent.futures.ThreadPoolExecutor(PARALLEL_RUNS) as runs:
            pending = [runs.submit(check_all_scales, check, browser, scheme)
                       for scheme in schemes for browser, check in CHECKS]
            for future in pending:
                lines, failures = future.result()
                print("\n".join(lines), flush=True)
                failed += failures
        if options.picture:
            write_picture(schemes[0], options.picture)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print("%d of %d browser checks failed, %.1f s in all" % (
        failed, len(CHECKS) * len(SCHEMES) * len(SCALES), time.monotonic() - started_all))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
