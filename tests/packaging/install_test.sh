#!/usr/bin/env bash
# What `cmake --install` puts in place, checked with the tools a desktop and
# a distribution use: man, bash completion, desktop-file-validate and
# appstreamcli.
#   install_test.sh CMAKE BUILD_FOLDER WITH_GUI(ON|OFF)
set -euo pipefail
cmake=$1 build=$2 gui=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$work/dest "$cmake" --install "$build" --prefix /usr >/dev/null
p=$work/dest/usr
id=io.github.novarel.NovarelSE
expected=(bin/novarel share/man/man1/novarel.1 share/bash-completion/completions/novarel
  share/novarel/OPTIONS.OPT share/novarel/OPTIONS.MAS share/novarel/EPHEMERI.TTF
  share/novarel/EPHEMERI-LICENSE.TXT share/novarel/README.TXT share/novarel/NOVAREL.HLP
  share/novarel/REVISION.HLP)
# lib/ or lib/<multiarch>/, as GNUInstallDirs chose
zones=$(cd "$p" && find lib* -path '*/novarel/novarel_zones.so' 2>/dev/null | head -1 || true)
expected+=("${zones:-lib/novarel/novarel_zones.so}")
if [[ $gui == ON ]]; then
  module=$(cd "$p" && find lib* -path '*/novarel/novarel_render.so' 2>/dev/null | head -1 || true)
  expected+=("${module:-lib/novarel/novarel_render.so}")
  expected+=(bin/novarel-gui share/man/man1/novarel-gui.1 share/applications/$id.desktop
    share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml)
fi
for f in "${expected[@]}"; do [[ -s $p/$f ]] || fail "$f not installed"; done
[[ -x $p/bin/novarel ]] || fail "bin/novarel is not executable"

# The manual pages render and carry the commands' own options.
page=$(MANWIDTH=100 man -l "$p/share/man/man1/novarel.1" 2>&1)
for want in "novarel ephemeris" "novarel aspectarian" "novarel graph" "--start YYYY-MM-DD" "--pdf FILE" \
  "--moon-change-only" "XDG_DATA_HOME" "share/novarel"; do
  grep -qF -- "$want" <<<"$page" || fail "novarel(1) lacks '$want'"
done
# Usage lines name the program, never the folder it was built in.
grep -qF "Usage: novarel ephemeris [OPTIONS]" <<<"$page" || fail "novarel(1) usage lacks the name"
! grep -qF "$build" <<<"$page" || fail "novarel(1) shows the build folder"
if [[ $gui == ON ]]; then
  page=$(MANWIDTH=100 man -l "$p/share/man/man1/novarel-gui.1" 2>&1)
  grep -qF -- "--dir" <<<"$page" || fail "novarel-gui(1) lacks --dir"
  grep -qE "^ +novarel-gui \[options\]" <<<"$page" || fail "novarel-gui(1) synopsis lacks the name"
  ! grep -qF "$build" <<<"$page" || fail "novarel-gui(1) shows the build folder"
  # --help and --version are answered without a display.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$p/bin/novarel-gui" --help 2>&1) ||
    fail "novarel-gui --help without a display failed: $out"
  grep -qF -- "--dir <PATH>" <<<"$out" || fail "novarel-gui --help lacks --dir: $out"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$p/bin/novarel-gui" --version 2>&1) ||
    fail "novarel-gui --version without a display failed: $out"
  [[ $out == "novarel-gui 2.00" ]] || fail "novarel-gui --version said: $out"
fi

# The completion loads and completes commands, options and their values.
completion=$(PATH="$p/bin:$PATH" bash -c '
  source /usr/share/bash-completion/bash_completion
  source "$1"
  complete -p novarel
  show() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
           COMPREPLY=(); _novarel; echo "$* => ${COMPREPLY[*]}"; }
  show novarel asp
  show novarel ephemeris --vi
  show novarel ephemeris --view de
  show novarel aspectarian --zodiac s
  show novarel aspectarian --moon' _ "$p/share/bash-completion/completions/novarel" 2>&1)
for want in "complete -F _novarel novarel" "novarel asp => aspectarian" \
  "novarel ephemeris --vi => --view" "--view de => declination" "--zodiac s => sidereal" \
  "--moon => --moon-change-only"; do
  grep -qF -- "$want" <<<"$completion" || fail "completion: no '$want' in: $completion"
done

if [[ $gui == ON ]]; then
  desktop-file-validate "$p/share/applications/$id.desktop" || fail "desktop entry"
  appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" || fail "metainfo"
  grep -q "<svg" "$p/share/icons/hicolor/scalable/apps/$id.svg" || fail "icon"
fi

# The installed program finds its runtime files and the system's ephemeris.
version=$("$p/bin/novarel" --version)
grep -qx "Program folder: $p/share/novarel" <<<"$version" || fail "version: $version"
grep -qx "Ephemeris folder: /usr/share/libswe/ephe" <<<"$version" || fail "version: $version"
# The installed command line loads no Qt; --pdf opens the installed module
# and finds the glyph font among the installed runtime files.
bash "$(dirname "$0")/command_line_libraries_test.sh" "$p/bin/novarel" >/dev/null
# --tz opens the installed time-zone module.
mkdir "$work/zoned"
"$p/bin/novarel" aspectarian --tz Asia/Kolkata --start 2024-01-01 --days 1 --dir "$work/zoned" \
  >"$work/zoned.txt" 2>"$work/err" || fail "--tz of the installed program: $(cat "$work/err")"
grep -q "Times are Asia/Kolkata, IST" "$work/zoned.txt" || fail "--tz: $(head -5 "$work/zoned.txt")"
if [[ $gui == ON ]]; then
  mkdir "$work/folder"
  "$p/bin/novarel" ephemeris --start 2000-01-01 --dir "$work/folder" --pdf "$work/book.pdf" \
    2>"$work/err" || fail "--pdf of the installed program: $(cat "$work/err")"
  [[ $(head -c 5 "$work/book.pdf") == %PDF- ]] || fail "--pdf wrote no PDF"
  pdffonts "$work/book.pdf" | grep -q EPHEMERI || fail "the PDF lacks the glyph font"
  # graph draws through the same installed module.
  "$p/bin/novarel" graph --start 2024-01-01 --end 2024-03-31 --dir "$work/folder" \
    --png "$work/graph.png" 2>"$work/err" || fail "graph of the installed program: $(cat "$work/err")"
  [[ $(head -c 4 "$work/graph.png" | tail -c 3) == PNG ]] || fail "graph wrote no PNG"
fi
echo "installed and checked: ${#expected[@]} files"
