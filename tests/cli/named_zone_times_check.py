#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Named zones' rise and set against UT converted by zoneinfo, both ways (a twilight past 0h UT is listed as the next day's).
import csv, io, subprocess, sys
from datetime import date, datetime, time, timedelta, timezone
from zoneinfo import ZoneInfo
MIN, DAY = timedelta(minutes=1), timedelta(days=1)
TWILIGHTS = {"CivilStart", "CivilEnd", "NauticalStart", "NauticalEnd", "AstroStart", "AstroEnd"}
PLACES = {"America/New_York": (40.714, -74.006, 3, 11), "Australia/Lord_Howe": (-31.55, 159.08, 4, 10),
          "Pacific/Chatham": (-43.95, -176.55, 4, 9), "America/Santiago": (-33.45, -70.67, 4, 9),
          "Australia/Sydney": (-33.87, 151.21, 10), "Asia/Kathmandu": (27.7, 85.32, 6)}
def listed(place, zone, month):
    out = subprocess.run([sys.argv[1], *place, *zone, "riseset", "2026", str(month)],
                         check=True, capture_output=True, text=True).stdout
    for row in csv.DictReader(io.StringIO(out)):
        day = datetime.combine(date(2026, month, int(row["Day"])), time())
        for column, text in ((c, t) for c, t in row.items() if ":" in t):
            yield column, day + timedelta(hours=int(text[:2]), minutes=int(text[3:]))
def matches(column, instant, events):
    shifts, within = ((-DAY, 0 * DAY, DAY), 3 * MIN) if column in TWILIGHTS else ((0 * DAY,), MIN)
    return any(abs(instant - (e + s)) <= within for e in events for s in shifts)
def faults(name, lat, lon, month):
    zone, place = ZoneInfo(name), ["--lat", str(lat), "--lon", str(lon)]
    shown = {(c, t.date()): t for c, t in listed(place, ["--tz", name], month)}
    ut = {}
    for c, t in (e for m in (month - 1, month, month + 1) for e in listed(place, ["--zone", "0"], m)):
        ut.setdefault(c, []).append(t.replace(tzinfo=timezone.utc))
    for c in ut.keys() - TWILIGHTS:
        for there in (i.astimezone(zone) for i in ut[c] if i.astimezone(zone).month == month):
            if not matches(c, there.replace(tzinfo=None), [shown.get((c, there.date()), datetime.min)]):
                yield f"{c} {there:%Y-%m-%d %H:%M %Z} not listed at its local minute"
    for (c, day), t in shown.items():
        if not any(matches(c, t.replace(tzinfo=zone, fold=f), ut.get(c, [])) for f in (0, 1)):
            yield f"{c} {t} is no UT event"
found = [f"{name} 2026-{m}: {f}" for name, (lat, lon, *months) in PLACES.items() for m in months
         for f in faults(name, lat, lon, m)]
sys.exit("\n".join(found) or None)
