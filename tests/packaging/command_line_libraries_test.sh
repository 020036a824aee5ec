#!/usr/bin/env bash
# The command line loads no Qt, GL, ICU or font library at start: the printer is a
# module it opens for --pdf only, libical one it opens for iCalendar only, the
# time-zone database one it opens for --tz only. Built with its own C++
# runtime (RUNTIME static), it loads no shared one either.
#   command_line_libraries_test.sh NOVAREL [static|shared]
set -euo pipefail
libraries=$(ldd "$1" | awk '{print $1}')
pattern='qt|icu|libGL|EGL|OpenGL|glib|dbus|harfbuzz|libical|date-tz'
[[ ${2:-shared} == static ]] && pattern+='|libstdc\+\+'
heavy=$(grep -Ei "$pattern" <<<"$libraries" || true)
if [[ -n $heavy ]]; then
  echo "FAIL: $1 loads $(tr '\n' ' ' <<<"$heavy")" >&2
  exit 1
fi
echo "$(wc -l <<<"$libraries") libraries: $(tr '\n' ' ' <<<"$libraries")"
