#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads tidewell-almanac's calendar with Debian's python3-icalendar, a parser written
without knowledge of ours, and checks it against the almanac's own tables.

Usage: ics_icalendar_check.py ALMANAC   (exit 77 when the icalendar module is missing)"""
import csv
import datetime
import io
import subprocess
import sys

try:
    from icalendar import Calendar
except ImportError:
    print("python3-icalendar is not installed")
    sys.exit(77)

almanac = sys.argv[1]
place = ["--lat", "-33.85", "--lon", "151.2", "--zone", "600"]  # Sydney, ten hours ahead
offset = datetime.timedelta(minutes=600)


def run(*words):
    return subprocess.run([almanac, *place, *words], check=True, capture_output=True).stdout


def table(*words):
    return list(csv.DictReader(io.StringIO(run(*words).decode("utf-8"))))


cal = Calendar.from_ical(run("ics", "2026"))
assert str(cal["VERSION"]) == "2.0"
events = list(cal.walk("VEVENT"))
starts = {}
for e in events:
    start, end = e.decoded("DTSTART"), e.decoded("DTEND")
    assert start.utcoffset() == datetime.timedelta(0), e["UID"]
    assert end - start == datetime.timedelta(minutes=1), e["UID"]
    starts.setdefault(str(e["UID"]).rsplit("-", 1)[0], set()).add(start.replace(tzinfo=None))
    assert "\\" not in str(e["SUMMARY"]) and "\\" not in str(e.get("DESCRIPTION", ""))
assert len({str(e["UID"]) for e in events}) == len(events), "UIDs repeat"

# Every phase of the table at its local minute, ten hours after the event's UTC minute.
kinds = {"0": "new-moon", "1": "last-quarter", "2": "full-moon", "3": "first-quarter"}
phases = table("phases", "2026")
for row in phases:
    local = datetime.datetime.strptime(row["Text"].strip(), "%H:%M  %d %B %Y")
    assert local - offset in starts[kinds[row["PhaseType"]]], row["Text"]
assert sum(len(starts[k]) for k in kinds.values()) == len(phases)

# Southern hemisphere: the March equinox begins autumn.
summaries = {str(e["SUMMARY"]) for e in events}
assert "March equinox, autumn begins" in summaries, summaries
assert len(table("eclipses", "2026", "2026")) == len(starts["lunar-eclipse"])
print(f"{len(events)} events read back")
