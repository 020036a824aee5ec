#!/usr/bin/env python3
"""Writes zone_reference.txt: the zone rules of Python's zoneinfo (over the
system tzdata) for the local days of one year, to check the program's own
reading of the same database against a second implementation.

    python3 tests/data/core/zone_reference.py 2024 > tests/data/core/zone_reference.txt

Lines:
    day ZONE YYYY-MM-DD START_UNIX LENGTH_SECONDS NOON_OFFSET NOON_ABBREV
    change ZONE UNIX OFFSET_BEFORE OFFSET_AFTER ABBREV_AFTER
START_UNIX is the UT second at which the local date begins; a change is the
first UT second of a new offset or abbreviation.
"""
import sys
from datetime import date, datetime, timedelta, timezone
from zoneinfo import ZoneInfo

ZONES = ["America/New_York", "Europe/London", "Australia/Lord_Howe", "Asia/Kolkata"]


def day_start(zone, d):
    local = datetime(d.year, d.month, d.day, tzinfo=zone)
    return int(local.astimezone(timezone.utc).timestamp())


def clock(zone, unix):
    t = datetime.fromtimestamp(unix, tz=timezone.utc).astimezone(zone)
    return int(t.utcoffset().total_seconds()), t.tzname()


def main():
    year = int(sys.argv[1])
    print(f"# python3 tests/data/core/zone_reference.py {year}")
    for name in ZONES:
        zone = ZoneInfo(name)
        d = date(year, 1, 1)
        while d.year == year:
            start = day_start(zone, d)
            length = day_start(zone, d + timedelta(days=1)) - start
            offset, abbrev = clock(zone, start + length // 2)
            print(f"day {name} {d.isoformat()} {start} {length} {offset} {abbrev}")
            d += timedelta(days=1)
        first = day_start(zone, date(year, 1, 1))
        last = day_start(zone, date(year + 1, 1, 1))
        t = first
        while t < last:
            nxt = t + 3600
            if clock(zone, t) != clock(zone, nxt):
                lo, hi = t, nxt
                while hi - lo > 1:
                    mid = (lo + hi) // 2
                    if clock(zone, mid) == clock(zone, lo):
                        lo = mid
                    else:
                        hi = mid
                before, after = clock(zone, lo), clock(zone, hi)
                print(f"change {name} {hi} {before[0]} {after[0]} {after[1]}")
            t = nxt


main()
