#!/bin/sh
# Regenerates the golden cases of cases.txt with a built novarel:
#   tests/data/ephemeris/make_golden.sh BUILD_DIR
# swetest.txt of each case is kept. Review every change by hand (and against
# swetest.txt) before committing it.
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
grep -v '^#' "$here/cases.txt" | while IFS='|' read -r name option11 args; do
    name=$(echo "$name" | tr -d ' ')
    option11=$(echo "$option11" | tr -d ' ')
    [ -n "$name" ] || continue
    dir=$(mktemp -d)
    cp "$build/OPTIONS.OPT" "$dir/OPTIONS.OPT"
    [ -z "$option11" ] || sed -i "11s/^[^ ]*/$option11/" "$dir/OPTIONS.OPT"
    mkdir -p "$here/$name"
    find "$here/$name" -type f ! -name swetest.txt -delete
    # shellcheck disable=SC2086
    (cd / && LC_ALL=C "$build/novarel" ephemeris --dir "$dir" $args --encoding cp1252 \
        > "$here/$name/stdout.txt")
    for f in "$dir"/*; do
        [ "$(basename "$f")" = OPTIONS.OPT ] || cp "$f" "$here/$name/"
    done
    rm -rf "$dir"
done
