#!/usr/bin/env python3
"""Rise and set listings in named zones, months with a change of the clocks included, against
the same events listed in UT and converted by zoneinfo: each UT event is on its local day at
its local minute, and each listed time is a UT event. A listed minute may differ by one (each
day is refined from its own tables); a twilight past 0h UT is listed there as the one of the
day next to it, so twilights match within 3 minutes, a day either way.
Usage: named_zone_times_check.py ALMANAC"""
import csv, io, subprocess, sys
from datetime import date, datetime, time, timedelta, timezone
from zoneinfo import ZoneInfo

MIN, DAY = timedelta(minutes=1), timedelta(days=1)
TWILIGHTS = {"CivilStart", "CivilEnd", "NauticalStart", "NauticalEnd", "AstroStart", "AstroEnd"}
CASES = [("America/New_York", 40.714, -74.006, 2026, 3), ("America/New_York", 40.714, -74.006, 2026, 11),
         ("Australia/Lord_Howe", -31.55, 159.08, 2026, 4), ("Australia/Lord_Howe", -31.55, 159.08, 2026, 10),
         ("Pacific/Chatham", -43.95, -176.55, 2026, 4), ("Pacific/Chatham", -43.95, -176.55, 2026, 9),
         ("America/Santiago", -33.45, -70.67, 2026, 4), ("America/Santiago", -33.45, -70.67, 2026, 9),
         ("Australia/Sydney", -33.87, 151.21, 2026, 10), ("Asia/Kathmandu", 27.7, 85.32, 2026, 6)]


def listed(place, zone, year, month):
    out = subprocess.run([sys.argv[1], *place, *zone, "riseset", str(year), str(month)],
                         check=True, capture_output=True, text=True).stdout
    for row in csv.DictReader(io.StringIO(out)):
        for column, text in row.items():
            if ":" in text:
                h, m = map(int, text.split(":"))
                yield column, datetime.combine(date(year, month, int(row["Day"])), time()) + timedelta(hours=h, minutes=m)


def matches(column, instant, events):
    shifts, within = ((-DAY, 0 * DAY, DAY), 3 * MIN) if column in TWILIGHTS else ((0 * DAY,), MIN)
    return any(abs(instant - (e + s)) <= within for e in events for s in shifts)


def faults(name, lat, lon, year, month):
    zone, place = ZoneInfo(name), ["--lat", str(lat), "--lon", str(lon)]
    shown = {(c, t.date()): t for c, t in listed(place, ["--tz", name], year, month)}
    ut = {}
    for y, m in ((year, month - 1), (year, month), (year, month + 1)):
        for c, t in listed(place, ["--zone", "0"], y, m):
            ut.setdefault(c, []).append(t.replace(tzinfo=timezone.utc))
    for c, instants in ut.items():
        for there in (i.astimezone(zone) for i in instants if c not in TWILIGHTS):
            if (there.year, there.month) == (year, month) and not matches(
                    c, there.replace(tzinfo=None), [shown.get((c, there.date()), datetime.min)]):
                yield f"{c} {there:%Y-%m-%d %H:%M %Z} not listed at its local minute"
    for (c, day), t in shown.items():
        if not any(matches(c, t.replace(tzinfo=zone, fold=f), ut.get(c, [])) for f in (0, 1)):
            yield f"{c} {t} is no UT event"


found = [f"{case[0]} {case[3]}-{case[4]}: {f}" for case in CASES for f in faults(*case)]
print("\n".join(found))
sys.exit(1 if found else 0)
