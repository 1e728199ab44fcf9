#!/usr/bin/env bash
# Compiles the locales that the Windows tests run Wine under into a private
# folder (LOCPATH), cached outside the source tree; the system's locales are
# not touched. Wine takes its ANSI code page from the locale: 932 under
# ja_JP.UTF-8, 1252 under en_US.UTF-8. Prints the folder.
set -euo pipefail
glibc=$(dpkg-query -W -f='${Version}' libc-bin)
folder=${TINTBAR_CACHE:-/var/cache/tintbar}/locales-$glibc
for locale in ja_JP en_US; do
  if [[ ! -f $folder/$locale.UTF-8/LC_CTYPE ]]; then
    mkdir -p "$folder"
    localedef -i "$locale" -f UTF-8 "$folder/$locale.UTF-8" >&2
  fi
done
echo "$folder"
