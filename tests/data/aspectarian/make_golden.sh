#!/bin/sh
# Regenerates the golden cases of cases.txt with a built novarel:
#   tests/data/aspectarian/make_golden.sh BUILD_DIR
# Review every change by hand (and against swetest) before committing it.
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
grep -v '^#' "$here/cases.txt" | while IFS='|' read -r name options args; do
    name=$(echo "$name" | tr -d ' ')
    [ -n "$name" ] || continue
    dir=$(mktemp -d)
    cp "$build/OPTIONS.OPT" "$dir/OPTIONS.OPT"
    for kv in $options; do
        k=${kv%%=*}; v=${kv#*=}
        sed -i "${k}s/^[^ ]*/$v/" "$dir/OPTIONS.OPT"
    done
    rm -rf "$here/$name" && mkdir -p "$here/$name"
    # shellcheck disable=SC2086
    (cd / && LC_ALL=C "$build/novarel" aspectarian --dir "$dir" $args > "$here/$name/stdout.txt")
    for f in "$dir"/*; do
        case "$(basename "$f")" in OPTIONS.OPT | novarel_SE.lock) ;; *) cp "$f" "$here/$name/" ;; esac
    done
    rm -rf "$dir"
done
