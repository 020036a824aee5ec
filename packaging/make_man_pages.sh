#!/usr/bin/env bash
# Writes the manual pages novarel.1 and novarel-gui.1 from the programs' own
# --help, so that they say what the programs say.
#   make_man_pages.sh NOVAREL NOVAREL_GUI|- VERSION OUTPUT_FOLDER
set -euo pipefail
novarel=$1 gui=$2 version=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The commands' own --help, set as preformatted text (roff control
# characters at a line start are escaped).
{
  echo "[COMMANDS]"
  for command in ephemeris aspectarian transits graph; do
    echo ".SS \"novarel $command\""
    echo ".nf"
    "$novarel" "$command" --help | sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
    echo ".fi"
  done
  cat "$here/novarel.h2m"
} >"$work/novarel.h2m"

help2man --no-info --section=1 --version-string="$version" \
  --name="daily ephemeris and aspectarian at Greenwich" \
  --include="$work/novarel.h2m" --output="$out/novarel.1" "$novarel"

if [[ $gui != - ]]; then
  QT_QPA_PLATFORM=offscreen help2man --no-info --section=1 --version-string="$version" \
    --name="desktop ephemeris and aspectarian generator" \
    --include="$here/novarel.h2m" --output="$out/novarel-gui.1" "$gui"
fi
