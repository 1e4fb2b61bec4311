#!/usr/bin/env python3
"""The occurrences of a recurring series, worked out with dateutil's rrule, independently of
Varnemo's own expansion: the check of the recurrence tests.

Reads on standard input {"recurrence": RECURRENCE, "tz": POSIX TZ value} where RECURRENCE is the
series as pstgen takes it (see `pstgen describe`), and prints a JSON list of [start, end] pairs
in UTC ("2024-03-04T08:00:00Z"), every occurrence that starts within ten years of the first
day, deleted ones left out and changed ones where they were moved to.
"""
import json
import sys
from datetime import datetime, timedelta, timezone

from dateutil import rrule, tz

HORIZON_YEARS = 10
# pstgen counts days of the week from Sunday; dateutil from Monday.
WEEKDAYS = [rrule.SU, rrule.MO, rrule.TU, rrule.WE, rrule.TH, rrule.FR, rrule.SA]


def wall(text):
    return datetime.fromisoformat(text.rstrip("Z"))


def rule(series):
    first = wall(series["first"])
    pattern = series["pattern"]
    interval = series.get("interval", 1)
    days = [WEEKDAYS[d] for d in series.get("days", [])]
    week = series.get("week", 0)
    position = -1 if week == 5 else week
    # A day past the end of a short month falls on its last day, as Outlook has it.
    day = series.get("day", 0)
    month_days = dict(bymonthday=list(range(28, day + 1)) if day > 28 else [day], bysetpos=-1)
    options = {
        "daily": (rrule.DAILY, {}),
        "weekly": (rrule.WEEKLY, dict(byweekday=days, wkst=WEEKDAYS[series.get("first_day_of_week", 0)])),
        "monthly": (rrule.MONTHLY, month_days),
        "monthly_nth": (rrule.MONTHLY, dict(byweekday=days, bysetpos=position)),
        "yearly": (rrule.YEARLY, dict(bymonth=first.month, **month_days)),
        "yearly_nth": (rrule.YEARLY, dict(bymonth=first.month, byweekday=days, bysetpos=position)),
    }
    frequency, extra = options[pattern]
    if "count" in series:
        extra["count"] = series["count"]
    if "until" in series:
        extra["until"] = wall(series["until"]) + timedelta(days=1) - timedelta(minutes=1)
    return rrule.rrule(frequency, dtstart=first, interval=interval, **extra)


def occurrences(series, zone):
    first = wall(series["first"])
    length = timedelta(minutes=series.get("minutes", 60))
    horizon = datetime(first.year + HORIZON_YEARS, first.month, first.day)
    gone = {wall(d).date() for d in series.get("deleted", [])}
    gone |= {wall(c["original"]).date() for c in series.get("changed", [])}
    pairs = [(start, start + length) for start in rule(series).between(first, horizon, inc=True)
             if start.date() not in gone]
    pairs += [(wall(c["start"]), wall(c["end"])) for c in series.get("changed", [])]

    def utc(moment):
        return moment.replace(tzinfo=zone).astimezone(timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")

    return [[utc(start), utc(end)] for start, end in sorted(pairs)]


def main():
    request = json.load(sys.stdin)
    json.dump(occurrences(request["recurrence"], tz.tzstr(request["tz"])), sys.stdout)


if __name__ == "__main__":
    main()
