#!/usr/bin/env python3
"""The command line against the library's own tool, as whole processes.

    bench/whole_process.py [--novarel build/novarel] [--pairs 15]

Runs each pair of commands in turn on this machine (novarel, then swetest, so
both see the same load and caches) and prints the median CPU time (user +
system), wall time and peak RSS of each, their ratios against the targets,
and the shared libraries novarel loads. Stdout of both goes to /dev/null.
"""

import argparse
import os
import re
import statistics
import subprocess
import sys
import time

SWETEST = ["swetest", "-s1", "-p0123456789t", "-fPlbsadS", "-head", "-ut12:00",
           "-b1.1.2020"]

# name, novarel arguments, swetest arguments, highest ratio of CPU times
PAIRS = [
    ("start-up (1 day)", ["ephemeris", "--start", "2020-01-01", "--days", "1"], ["-n1"], 2.0),
    ("366 days", ["ephemeris", "--start", "2020-01-01", "--days", "366"], ["-n366"], 1.15),
    # The first zone opens the time-zone module and with it the shared C++
    # runtime and the database library.
    ("start-up, a zone", ["ephemeris", "--start", "2020-01-01", "--days", "1", "--tz",
                          "Asia/Kolkata"], ["-n1"], 5.0),
]
PEAK_RSS_MB = 10.0
# Libraries the command line must not load at start (the zone module brings
# the last two when a zone is asked for).
HEAVY = re.compile(r"Qt|libicu|libGL|libEGL|libOpenGL|libdate-tz|libstdc\+\+", re.IGNORECASE)


def measure(command):
    """CPU seconds (user + sys) and wall seconds of one run."""
    start = time.perf_counter()
    with open(os.devnull, "wb") as sink:
        process = subprocess.Popen(command, stdout=sink, stderr=subprocess.PIPE)
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
        process.returncode = os.waitstatus_to_exitcode(status)
        errors = process.stderr.read().decode(errors="replace")
        process.stderr.close()
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({process.returncode}): {errors}")
    return usage.ru_utime + usage.ru_stime, wall


def peak_rss_mb(command):
    """Peak RSS of one run, as GNU time reports it: a child of this Python
    process would count the memory of the Python process it was forked from."""
    run = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True, check=True)
    return int(run.stderr.strip().splitlines()[-1]) / 1024.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--novarel", default="build/novarel")
    parser.add_argument("--pairs", type=int, default=15)
    args = parser.parse_args()
    novarel = os.path.abspath(args.novarel)

    failed = []
    peak = 0.0
    print(f"median of {args.pairs} pairs, run in turn; times in ms")
    print(f"{'':18} {'novarel cpu':>11} {'swetest cpu':>11} {'ratio':>6} {'target':>6}"
          f" {'novarel wall':>12} {'swetest wall':>12} {'ratio':>6}")
    for name, ours, theirs, target in PAIRS:
        runs = {"novarel": [], "swetest": []}
        for _ in range(args.pairs):
            runs["novarel"].append(measure([novarel] + ours))
            runs["swetest"].append(measure(SWETEST + theirs))
        cpu = {k: statistics.median(r[0] for r in v) for k, v in runs.items()}
        wall = {k: statistics.median(r[1] for r in v) for k, v in runs.items()}
        peak = max(peak, peak_rss_mb([novarel] + ours))
        ratio = cpu["novarel"] / cpu["swetest"] if cpu["swetest"] > 0 else float("inf")
        wall_ratio = wall["novarel"] / wall["swetest"]
        print(f"{name:18} {cpu['novarel'] * 1e3:11.1f} {cpu['swetest'] * 1e3:11.1f}"
              f" {ratio:6.2f} {target:6.2f} {wall['novarel'] * 1e3:12.1f}"
              f" {wall['swetest'] * 1e3:12.1f} {wall_ratio:6.2f}")
        if ratio > target:
            failed.append(f"{name}: CPU ratio {ratio:.2f} > {target}")

    print(f"peak RSS of novarel: {peak:.1f} MB (target <= {PEAK_RSS_MB} MB)")
    if peak > PEAK_RSS_MB:
        failed.append(f"peak RSS {peak:.1f} MB > {PEAK_RSS_MB} MB")

    ldd = subprocess.run(["ldd", novarel], capture_output=True, text=True, check=True).stdout
    libraries = [line.split()[0] for line in ldd.splitlines() if line.strip()]
    heavy = [lib for lib in libraries if HEAVY.search(lib)]
    print(f"ldd {args.novarel}: {len(libraries)} libraries: {' '.join(libraries)}")
    if heavy:
        failed.append("loads " + " ".join(heavy))

    for line in failed:
        print(f"over target: {line}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
