#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for the given seconds
# (default 60) on the corpus in build-fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if ! command -v clang++ >/dev/null; then
  sudo_cmd=(); [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DNOVAREL_FUZZ=ON -DNOVAREL_SANITIZE=ON \
  -DNOVAREL_BUILD_TESTS=OFF -DNOVAREL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target fuzz_readers -j "$(nproc)"
mkdir -p build-fuzz/corpus
cp -n resources/OPTIONS.MAS build-fuzz/corpus/options 2>/dev/null || true
printf '\x01iDate=1\r\n' > build-fuzz/corpus/ini
printf '\x023\x005\x002018' > build-fuzz/corpus/date
printf '\x03FontSize= 10\r\nDataTop= 660\r\nCalcFullMonth=Yes\r\nNumberOfDays=30\r\n' > build-fuzz/corpus/settings
printf '\x05--start\n2018-05-03\n--days\n30' > build-fuzz/corpus/cli
printf '\x06line one\r\nline two\n\nlast' > build-fuzz/corpus/file
printf '\x07  01 May  12\xe0 \xc0 05\r\n' > build-fuzz/corpus/utf8
printf '\x04M\xc3\xa4rz \xe2\x82\xac\xe4\xb8' > build-fuzz/corpus/names
./build-fuzz/fuzz_readers -max_total_time="$seconds" -max_len=4096 ${FUZZ_JOBS:+-jobs=$FUZZ_JOBS -workers=$FUZZ_JOBS} build-fuzz/corpus
