#!/usr/bin/python3
"""Prints what python3-icalendar and dateutil make of the events of an iCalendar file.

Usage: ical_occurrences.py FILE FROM TO   (FROM and TO as YYYY-MM-DD, UTC days)

For every event that is not an override of another one (RECURRENCE-ID), by its UID:
  EVENT=<summary>
  ALLDAY=1|0               DTSTART is a date
  REMINDER=<minutes>|NONE  minutes before the start of the first VALARM's trigger
  CATEGORY=<name>          one line per category
  OCC=<instant>|<summary>|<location>   (a line break in a text written as a backslash and "n")
                           one line per occurrence whose start lies in [FROM, TO): the
                           RRULE expanded on the event's own wall clock with RDATE and
                           EXDATE applied, then each override in the file put in place of
                           the occurrence it names (a cancelled one removes it)
An instant is UTC "YYYY-MM-DDTHH:MM:SSZ", or "DATE:YYYY-MM-DD" for a date.

A trigger is related to the start unless RELATED=END; an absolute trigger before 1980 is a
placeholder that some programs write for "no alarm", and gives NONE.

Exit status 77 when icalendar or dateutil is missing, 1 when the file does not parse.
"""
import datetime
import sys

try:
    import icalendar
    from dateutil import rrule
except ImportError:
    sys.exit(77)

from ical_dump import dates_of, in_zone, wall_clock

PLACEHOLDER_BEFORE = datetime.datetime(1980, 1, 1, tzinfo=datetime.timezone.utc)


def instant(value):
    if isinstance(value, datetime.datetime):
        if value.tzinfo is None:
            return 'FLOATING:' + value.strftime('%Y-%m-%dT%H:%M:%S')
        return value.astimezone(datetime.timezone.utc).strftime('%Y-%m-%dT%H:%M:%SZ')
    return 'DATE:' + value.strftime('%Y-%m-%d')


def in_window(value, first, last):
    if isinstance(value, datetime.datetime):
        day = value.astimezone(datetime.timezone.utc) if value.tzinfo else value
        return first <= day.replace(tzinfo=None) < last
    return first.date() <= value < last.date()


def as_datetime(value):
    if isinstance(value, datetime.datetime):
        return value
    return datetime.datetime(value.year, value.month, value.day)


def starts(event, last):
    """The recurrence set up to the window's end, as aware times (or dates)."""
    start = event.decoded('DTSTART')
    if 'RRULE' not in event:
        return [start]
    zone = start.tzinfo if isinstance(start, datetime.datetime) else None
    rules = rrule.rruleset()
    text = event['RRULE'].to_ical().decode()
    rules.rrule(rrule.rrulestr(text, dtstart=as_datetime(wall_clock(start, zone)), ignoretz=True))
    for date in dates_of(event, 'EXDATE'):
        rules.exdate(as_datetime(wall_clock(date, zone)))
    for date in dates_of(event, 'RDATE'):
        rules.rdate(as_datetime(wall_clock(date, zone)))
    found = []
    for occurrence in rules:
        if occurrence.replace(tzinfo=None) >= last + datetime.timedelta(days=2):
            break
        found.append(in_zone(occurrence, zone) if zone else
                     (occurrence if isinstance(start, datetime.datetime) else occurrence.date()))
    return found


def reminder(event):
    alarms = [c for c in event.subcomponents if c.name == 'VALARM']
    if not alarms or 'TRIGGER' not in alarms[0]:
        return 'NONE'
    prop = alarms[0]['TRIGGER']
    trigger = alarms[0].decoded('TRIGGER')
    start = event.decoded('DTSTART')
    if isinstance(trigger, datetime.datetime):
        if trigger < PLACEHOLDER_BEFORE:
            return 'NONE'
        return str(int((as_datetime(start) - trigger).total_seconds() // 60))
    before = -trigger
    if prop.params.get('RELATED', 'START').upper() == 'END':
        before -= as_datetime(event.decoded('DTEND')) - as_datetime(start)
    return str(int(before.total_seconds() // 60))


def categories(event):
    props = event.get('CATEGORIES')
    if props is None:
        return []
    names = []
    for prop in props if isinstance(props, list) else [props]:
        names.extend(str(name) for name in prop.cats)
    return names


def one_line(text):
    return str(text).replace('\r\n', '\n').replace('\n', '\\n')


def texts(event):
    return '%s|%s' % (one_line(event.get('SUMMARY', '')), one_line(event.get('LOCATION', '')))


def main(path, first, last):
    with open(path, 'rb') as f:
        data = f.read()
    try:
        calendar = icalendar.Calendar.from_ical(data)
    except Exception as error:  # noqa: BLE001 - any parse error fails the check
        print('parse error: %s' % error, file=sys.stderr)
        return 1
    events = calendar.walk('VEVENT')
    overrides = {}
    for event in events:
        if 'RECURRENCE-ID' in event:
            key = instant(event.decoded('RECURRENCE-ID'))
            overrides.setdefault(str(event['UID']), {})[key] = event
    for event in events:
        if 'RECURRENCE-ID' in event:
            continue
        print('EVENT=%s' % one_line(event.get('SUMMARY', '')))
        start = event.decoded('DTSTART')
        print('ALLDAY=%d' % (0 if isinstance(start, datetime.datetime) else 1))
        print('REMINDER=' + reminder(event))
        for name in categories(event):
            print('CATEGORY=' + name)
        replaced = overrides.get(str(event.get('UID')), {})
        occurrences = []
        for occurrence in starts(event, last):
            override = replaced.get(instant(occurrence))
            if override is None:
                occurrences.append((occurrence, texts(event)))
            elif str(override.get('STATUS', '')).upper() != 'CANCELLED':
                occurrences.append((override.decoded('DTSTART'), texts(override)))
        for occurrence, text in occurrences:
            if in_window(occurrence, first, last):
                print('OCC=%s|%s' % (instant(occurrence), text))
    return 0


if __name__ == '__main__':
    window = [datetime.datetime.strptime(day, '%Y-%m-%d') for day in sys.argv[2:4]]
    sys.exit(main(sys.argv[1], window[0], window[1]))
