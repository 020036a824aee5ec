#!/usr/bin/env bash
# An installed novarel whose prefix the user may not write to keeps its
# program folder in $XDG_DATA_HOME/novarel (default ~/.local/share/novarel):
# created and seeded on the first start, used by --save, left alone by
# --dir. The superuser can write anywhere, so as root the program is run as
# the user nobody.
#   read_only_prefix_test.sh CMAKE BUILD_FOLDER
set -euo pipefail
cmake=$1 build=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"
mkdir -p "$work/home" "$work/xdg" "$work/own"
chmod 755 "$work"
chmod 777 "$work/home" "$work/xdg" "$work/own"

as_user=()
if [[ $(id -u) -eq 0 ]]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  "${as_user[@]}" true 2>/dev/null || as_user=(runuser -u nobody --)
fi
run() { (cd / && "${as_user[@]}" env -i PATH=/usr/bin:/bin LC_ALL=C "$@"); }
[[ -z ${as_user[*]} ]] || ! run test -w "$prefix/share/novarel" || fail "the prefix is writable"

# First start: ~/.local/share/novarel is made and seeded; --save writes there.
user=$work/home/.local/share/novarel
run HOME="$work/home" "$prefix/bin/novarel" ephemeris --start 2000-01-01 --days 2 --save \
  >"$work/out.txt" || fail "novarel ephemeris failed"
grep -q "Ephemeris - Saturday, 01 Jan 2000" "$work/out.txt" || fail "no table: $(head -3 "$work/out.txt")"
for f in OPTIONS.OPT OPTIONS.MAS NOVAREL.HLP OPTIONS.HLP EPHEMERI.TTF; do
  cmp -s "$user/$f" "$prefix/share/novarel/$f" || fail "$f not seeded into $user"
done
ls "$user" | grep -q '^[0-9]*LO\.' || fail "--save wrote no data file into $user: $(ls "$user")"

# Options the user changed survive the next start.
echo "changed" >>"$user/OPTIONS.OPT"
chmod a+w "$user/OPTIONS.OPT"
run HOME="$work/home" "$prefix/bin/novarel" ephemeris --start 2000-01-01 --days 1 >/dev/null ||
  fail "second start failed"
tail -1 "$user/OPTIONS.OPT" | grep -q changed || fail "the user's OPTIONS.OPT was replaced"

# XDG_DATA_HOME moves it; --version says which folder is in use.
version=$(run HOME="$work/home" XDG_DATA_HOME="$work/xdg" "$prefix/bin/novarel" --version)
grep -qx "Program folder: $work/xdg/novarel" <<<"$version" || fail "version: $version"
[[ -f $work/xdg/novarel/OPTIONS.MAS ]] || fail "XDG_DATA_HOME folder not seeded"

# --dir still names the folder, and nothing else is made.
cp "$prefix/share/novarel/OPTIONS.OPT" "$work/own/" && chmod a+rw "$work/own/OPTIONS.OPT"
run HOME="$work/nohome" "$prefix/bin/novarel" ephemeris --start 2000-01-01 --days 1 \
  --dir "$work/own" --save >/dev/null || fail "--dir run failed"
[[ ! -e $work/nohome ]] || fail "--dir run made a home folder"
ls "$work/own" | grep -q '^[0-9]*LO\.' || fail "--dir run saved elsewhere"
echo "read-only prefix checked as ${as_user[*]:-$(id -un)}"
