#!/usr/bin/env bash
# "Print page" through a real print system: a print server of its own (its
# own configuration, spool and socket) with a PDF-writing queue as the
# default printer; the desktop program prints a month's ephemeris page to it,
# and the PDF the queue makes holds the words, pages and pixels of the same
# page printed by novarel --pdf.
#   cups_print_test.sh GUI_PRINT_PAGE NOVAREL
# Exits 77 (skipped) when not root or when the print server, its PDF queue
# or the PDF tools are missing.
set -euo pipefail
driver=$1
novarel=$2
[[ $(id -u) -eq 0 ]] || { echo "not root: skipped"; exit 77; }
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[[ -x $cupsd && -x /usr/lib/cups/backend/cups-pdf && -f /etc/cups/cups-pdf.conf ]] ||
  { echo "no print server with a PDF queue: skipped"; exit 77; }
for tool in lpadmin lpstat unshare pdftotext pdftoppm pdfinfo python3; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

work=$(mktemp -d)
chmod 755 "$work"  # the server's filters run as another user
cleanup() {
  [[ -n ${server:-} ]] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [[ -f $work/log/error_log ]] && grep -E '^E ' "$work/log/error_log" >&2 || true
  exit 1
}

mkdir -p "$work"/{etc,spool,cache,state,log,tmp,out,home}
chmod 1777 "$work/tmp"
cat >"$work/etc/cupsd.conf" <<EOF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$work/etc/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
EOF
# The queue's backend reads its settings from a fixed place: the server runs
# where that file is this test's, so its PDFs land here.
cat >"$work/cups-pdf.conf" <<EOF
Out $work/out
AnonDirName $work/out
Spool $work/tmp
Grp root
EOF
unshare --mount --propagation private sh -c \
  'mount --bind "$1" /etc/cups/cups-pdf.conf && exec "$2" -f -c "$3" -s "$4"' \
  sh "$work/cups-pdf.conf" "$cupsd" "$work/etc/cupsd.conf" "$work/etc/cups-files.conf" \
  >"$work/log/server.log" 2>&1 &
server=$!

export CUPS_SERVER=$work/cups.sock HOME=$work/home
unset PRINTER LPDEST
running() { [[ $(lpstat -r 2>/dev/null) == "scheduler is running" ]]; }
for _ in $(seq 100); do running && break; sleep 0.1; done
if ! running; then
  cat "$work/log/server.log"
  echo "the print server does not start here: skipped"
  exit 77
fi
lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
  fail "the PDF queue cannot be added"
lpadmin -d PDF
[[ $(lpstat -d) == *PDF ]] || fail "the PDF queue is not the default: $(lpstat -d)"

# The page reads the same before and after the queue: same pages, lines,
# words (the columns' spacing is the text extractor's guess from the
# glyphs' places), and at 100 dpi every inked pixel of either page lies
# within a pixel of ink on the other, but for one in a hundred (a page whose
# glyphs went through the queue as bitmaps misses some ten times as many).
cat >"$work/pixels.py" <<'EOF'
import sys

def read(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:]
    return width, height, [p < 128 for p in pixels[:width * height]]

def stray(a, b, width, height):
    count = 0
    for y in range(height):
        for x in range(width):
            if a[y * width + x] and not any(
                    b[yy * width + xx] for yy in range(max(0, y - 1), min(height, y + 2))
                    for xx in range(max(0, x - 1), min(width, x + 2))):
                count += 1
    return count

w1, h1, job = read(sys.argv[1])
w2, h2, page = read(sys.argv[2])
if (w1, h1) != (w2, h2):
    sys.exit("sizes %dx%d and %dx%d" % (w1, h1, w2, h2))
ink = max(sum(page), 1)
off = stray(job, page, w1, h1) + stray(page, job, w1, h1)
print("inked pixels %d, %d of them without a match" % (ink, off))
sys.exit(0 if sum(job) > ink // 2 and off * 100 <= ink else 1)
EOF
mkdir "$work/folder"
build=$(dirname "$novarel")
cp "$build"/OPTIONS.OPT "$build"/OPTIONS.MAS "$build"/EPHEMERI.TTF "$work/folder/"
info() { pdfinfo "$1" | grep -E '^(Pages|Page size):'; }
words() { pdftotext -layout "$1" - | sed 's/  */ /g; s/ *$//'; }

# compare NAME "DRIVER ARGUMENTS" NOVAREL ARGUMENTS...
compare() {
  local name=$1 printed=$2 job
  shift 2
  # shellcheck disable=SC2086
  QT_QPA_PLATFORM=offscreen "$driver" $printed >"$work/driver.log" 2>&1 ||
    { cat "$work/driver.log" >&2; fail "$name: the print did not go to the queue"; }
  grep -q '^printed to PDF$' "$work/driver.log" || fail "$name: $(cat "$work/driver.log")"
  for _ in $(seq 300); do
    [[ -z $(lpstat -o 2>/dev/null) ]] && compgen -G "$work/out/*.pdf" >/dev/null && break
    sleep 0.2
  done
  local jobs=("$work"/out/*.pdf)
  [[ ${#jobs[@]} -eq 1 && -f ${jobs[0]} ]] || fail "$name: the queue wrote ${#jobs[@]} files"
  job=$work/$name.job.pdf
  mv "${jobs[0]}" "$job"
  env -u DISPLAY -u WAYLAND_DISPLAY "$novarel" "$@" --dir "$work/folder" \
    --pdf "$work/$name.pdf" 2>/dev/null || fail "$name: novarel --pdf failed"

  [[ $(info "$job") == "$(info "$work/$name.pdf")" ]] ||
    fail "$name: pages differ: $(info "$job") against $(info "$work/$name.pdf")"
  words "$job" >"$work/$name.job.txt"
  words "$work/$name.pdf" >"$work/$name.txt"
  grep -q ' Jan ' "$work/$name.txt" || fail "$name: novarel --pdf wrote no text"
  diff "$work/$name.txt" "$work/$name.job.txt" >&2 || fail "$name: the printed page reads otherwise"
  pdftoppm -r 100 -gray "$job" "$work/$name.job"
  pdftoppm -r 100 -gray "$work/$name.pdf" "$work/$name"
  for page in "$work/$name"-*.pgm; do
    python3 "$work/pixels.py" "$work/$name.job-${page##*-}" "$page" ||
      fail "$name: page ${page##*-} looks otherwise"
  done
}

# "Print page" of the month's ephemeris: one page.
compare ephemeris "" ephemeris --start 2000-01-01
# Pages of the month's aspectarian: glyphs of every kind, page breaks.
compare aspectarian data aspectarian --start 2000-01-01 --full-month
echo "the queue's pages read and look as the --pdf pages"
