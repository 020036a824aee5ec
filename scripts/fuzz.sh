#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for the given seconds
# (default 60) on the corpus in build-fuzz/corpus. The target works in scratch
# folders under /tmp and keeps a runtime folder it cannot write into
# (/tmp/novarel_fuzz_runtime, immutable when run as root); both are removed here.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cleanup() {
  chattr -i /tmp/novarel_fuzz_runtime 2>/dev/null || chmod u+w /tmp/novarel_fuzz_runtime 2>/dev/null || true
  rm -rf /tmp/novarel_fuzz_runtime /tmp/novarel_fuzz_dir_* /tmp/novarel_fuzz_??????
}
trap cleanup EXIT
if ! command -v clang++ >/dev/null; then
  sudo_cmd=(); [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DNOVAREL_FUZZ=ON -DNOVAREL_SANITIZE=ON \
  -DNOVAREL_BUILD_TESTS=OFF -DNOVAREL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target fuzz_readers -j "$(nproc)"
mkdir -p build-fuzz/corpus
cp -n resources/OPTIONS.MAS build-fuzz/corpus/options 2>/dev/null || true
# That seed's first byte ('0') selects the settings reader; this one the options parser.
{ printf '\x00'; cat resources/OPTIONS.MAS; } > build-fuzz/corpus/options-parser
printf '\x01iDate=1\r\n' > build-fuzz/corpus/ini
printf '\x023\x005\x002018' > build-fuzz/corpus/date
printf '\x03FontSize= 10\r\nDataTop= 660\r\nCalcFullMonth=Yes\r\nNumberOfDays=30\r\n' > build-fuzz/corpus/settings
printf '\x05--start\n2018-05-03\n--days\n30' > build-fuzz/corpus/cli
printf '\x06line one\r\nline two\n\nlast' > build-fuzz/corpus/file
printf '\x06novarel file set 1\nA.TEG/.A.TEG.novarel-99999-0000abcd.tmp/.A.TEG.novarel-99999-0000abce.tmp/12\n' \
  > build-fuzz/corpus/journal
printf '\x07  01 May  12\xe0 \xc0 05\r\n' > build-fuzz/corpus/utf8
printf '\x04M\xc3\xa4rz \xe2\x82\xac\xe4\xb8' > build-fuzz/corpus/names
# The cases after the first nine: 5 + 16 is the aspectarian's command line.
printf '\x05--format\njson\n--bodies\nsun,node\n--start\n2099-11-15\n--end\n2100-12-31' \
  > build-fuzz/corpus/cli-range
printf '\x05--days\n366\n--start\n2100-01-01' > build-fuzz/corpus/cli-past-end
printf '\x14--format\nics\n--kinds\naspect,eclipse\n--start\n2020-01-31\n--end\n2020-03-01\n--jobs\n2\n--output\nout.ics' \
  > build-fuzz/corpus/cli-aspectarian
printf '\x082100-02-28' > build-fuzz/corpus/iso-date
printf '\x09 30x' > build-fuzz/corpus/days
{ printf '\x0a'; printf '7 abc\r\n1.5e\r\n  -x\r\n100   10: text\r\n'; } > build-fuzz/corpus/options-warnings
{ printf '\x0b'; head -c 2000 resources/OPTIONS.HLP; } > build-fuzz/corpus/help
printf '\x0c\r\n  01 May 2018\r\n%0100d\r\n' 0 > build-fuzz/corpus/print
printf '\x0d\x22/data\n/home/u' > build-fuzz/corpus/folder-xdg
printf '\x0d\x52relative\n/home/u' > build-fuzz/corpus/folder-other-user
printf '\x0d\x12\n/home/u' > build-fuzz/corpus/folder-dangling-link
printf '\x0d\x01\n\n/' > build-fuzz/corpus/folder-dir
printf '\x0d\x01/xdg\n\n/missing' > build-fuzz/corpus/folder-dir-missing
# A patch of 64 0xFF bytes at offset 300 of sepl_18.se1, at about 2100, with an eclipse search.
{ printf '\x0e\x2c\x01\x00\x00\x00\x00\x00\x80\x00'; head -c 64 /dev/zero | tr '\0' '\377'; } \
  > build-fuzz/corpus/se1-header
{ printf '\x0e\x00\x00\x01\x00\x00\x00\x40\x00\x21'; head -c 64 /dev/zero | tr '\0' '\377'; } \
  > build-fuzz/corpus/se1-body
{ printf '\x0f'; printf '{"charts": [{"name": "A", "date": "1975-06-21", "time": "14:30",'
  printf ' "time_zone": "America/New_York", "latitude": 40.7, "longitude": -74}]}\n'; } \
  > build-fuzz/corpus/natal-charts
./build-fuzz/fuzz_readers -max_total_time="$seconds" -max_len=4096 ${FUZZ_JOBS:+-jobs=$FUZZ_JOBS -workers=$FUZZ_JOBS} build-fuzz/corpus
