#!/usr/bin/env bash
# The command line loads no Qt, GL or ICU library at start: the printer is a
# module it opens for --pdf only, libical one it opens for iCalendar only.
#   command_line_libraries_test.sh NOVAREL
set -euo pipefail
libraries=$(ldd "$1" | awk '{print $1}')
heavy=$(grep -Ei 'qt|icu|libGL|EGL|OpenGL|glib|dbus|libical' <<<"$libraries" || true)
if [[ -n $heavy ]]; then
  echo "FAIL: $1 loads $(tr '\n' ' ' <<<"$heavy")" >&2
  exit 1
fi
echo "$(wc -l <<<"$libraries") libraries: $(tr '\n' ' ' <<<"$libraries")"
