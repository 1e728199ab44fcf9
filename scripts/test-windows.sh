#!/usr/bin/env bash
# The Windows build and its tests under Wine, as root on Debian 12: builds
# build-windows/ (scripts/build-windows.sh), then, under the ANSI code pages
# 1252 and 932, runs each unit test program once under Wine, the end-to-end
# cases that drive tintbar.exe on a virtual display, alone and beside other
# Windows programs, and the installer's tests in a fresh Wine prefix.
# Expects the Linux build in build/ (its tintbar-css gives the expected
# texts).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
started=$SECONDS

bash "$top/scripts/build-windows.sh" -DTINTBAR_WERROR=ON
LOCPATH=$(bash "$top/scripts/windows/locales.sh")
export LOCPATH
# One Wine prefix beside the build, made on first use; the test programs and
# the end-to-end cases each end the wineserver they started.
export WINEPREFIX=$top/build-windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "== Preparing the Wine prefix"
  wineboot --init >/dev/null 2>&1
  # Windows links its interface fonts to a Japanese one for the characters
  # they lack. Wine rewrites those links for the code page at each start, and
  # under 1252 links to fonts that are not there, so the test prefix draws its
  # interface fonts in the Noto CJK font, which has both scripts.
  for face in "Tahoma" "MS UI Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'Noto Sans CJK JP' /f >/dev/null 2>&1
  done
  wineserver -w
fi

# Copies of the test prefix whose system reports 120 to 240 dots per inch
# (125 % to 250 %), made while no wineserver runs in the test prefix.
scaled_dpis=(120 144 168 192 240)
for dpi in "${scaled_dpis[@]}"; do
  scaled=$WINEPREFIX-dpi$dpi
  if [[ ! -f $scaled/system.reg ]]; then
    cp -a "$WINEPREFIX" "$scaled"
    for key in 'HKCU\Control Panel\Desktop' \
      'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
      WINEPREFIX=$scaled wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    done
    WINEPREFIX=$scaled wineserver -w
  fi
done

# The programs under test, the Linux tintbar-css for the expected texts, and
# the tests' other Windows program.
programs=(--tintbar build-windows/bin/tintbar.exe --tintbar-css build-windows/bin/tintbar-css.exe
  --reference-css build/bin/tintbar-css --winpeer build-windows/bin/winpeer.exe)

# The cases in the test prefix, one after another: each case ends the
# prefix's wineserver.
in_test_prefix() {
  local status=0 locale
  for locale in en_US.UTF-8 ja_JP.UTF-8; do
    echo "== Windows unit tests under Wine, locale $locale"
    LANG=$locale LC_ALL=$locale ctest --test-dir build-windows --output-on-failure || status=1
    wineserver -k >/dev/null 2>&1 || true
  done
  echo "== Windows end-to-end tests under Wine (screenshots in build-windows/screenshots)"
  python3 tests/e2e/tintbar_e2e_windows.py --locale en_US.UTF-8 --locale ja_JP.UTF-8 \
    "${programs[@]}" --screenshot-folder build-windows/screenshots || status=1
  echo "== tintbar.exe beside other Windows programs under Wine"
  python3 tests/e2e/tintbar_other_programs_windows.py --locale en_US.UTF-8 --locale ja_JP.UTF-8 \
    "${programs[@]}" || status=1
  return $status
}

# The cases in prefixes of their own, beside those above.
in_other_prefixes() {
  local status=0 dpi version cases
  echo "== tintbar.exe at 125 % to 250 % display scale under Wine, code page 932"
  for dpi in "${scaled_dpis[@]}"; do
    # The window at each scale; Copy and Paste at the two most common.
    cases=(scaled_window)
    if ((dpi == 144 || dpi == 192)); then cases+=(clipboard); fi
    WINEPREFIX=$WINEPREFIX-dpi$dpi python3 tests/e2e/tintbar_e2e_windows.py \
      --locale ja_JP.UTF-8 --dpi "$dpi" "${programs[@]}" \
      --screenshot-folder build-windows/screenshots "${cases[@]}" || status=1
  done
  echo "== The installer under Wine, in a fresh prefix of its own"
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
  python3 tests/e2e/tintbar_installer_windows.py --locale en_US.UTF-8 --locale ja_JP.UTF-8 \
    --setup "build-windows/Tintbar-$version-setup.exe" \
    --shipped build-windows/Tintbar --winpeer build-windows/bin/winpeer.exe || status=1
  return $status
}

# The two run side by side, most of their time spent waiting on Wine and
# the windows; the second's report follows the first's.
status=0
others_log=$(mktemp)
trap 'rm -f "$others_log"' EXIT
in_other_prefixes >"$others_log" 2>&1 &
others=$!
in_test_prefix || status=1
wait $others || status=1
cat "$others_log"
echo "== The Windows part took $((SECONDS - started)) s"
exit $status
