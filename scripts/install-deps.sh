#!/usr/bin/env bash
# Installs everything Tintbar needs to build, run and test on Debian 12.
# Run as root. Safe to run again: apt-get skips what is already there.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
  # Build, and the formatting check of the test command
  build-essential cmake pkg-config clang-format
  # The test command's check of the shell scripts
  shellcheck
  # The application's toolkit, and GTK itself for what the toolkit does not wrap
  libwxgtk3.2-dev libgtk-3-dev
  # The command-line companion's PNG output
  libpng-dev
  # Unit tests and benchmarks; the X11 colour database the colour names are
  # checked against
  googletest libgtest-dev libgmock-dev libbenchmark-dev x11-common
  # Fuzzing (libFuzzer ships with clang's runtime)
  clang libclang-rt-14-dev
  # End-to-end tests: a virtual display, input, clipboard and screenshots
  xvfb xdotool xclip x11-utils imagemagick python3
  # End-to-end tests on native Wayland: headless compositors (weston for a
  # title bar drawn by the program), screenshots, the clipboard, and the
  # build of the tests' virtual pointer and keyboard
  sway weston grim wl-clipboard libwayland-dev libxkbcommon-dev
  # Reading the benchmark results
  jq
  # Japanese labels and menus
  fonts-noto-cjk
  # The Debian package: icons drawn from the SVG, its checks (lintian, the
  # desktop entry, the metainfo, the manual pages) and a menu-like start
  librsvg2-bin lintian desktop-file-utils appstream man-db libglib2.0-bin
  # Browser tests: the CSS for current browsers rendered headless, and
  # WebKitGTK's MiniBrowser for the engine of Safari
  chromium firefox-esr libwebkit2gtk-4.1-0
  # Line and branch coverage (scripts/coverage.sh)
  gcovr
)

bash "$top/scripts/apt-install.sh" "${packages[@]}"
