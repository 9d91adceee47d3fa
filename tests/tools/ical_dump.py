#!/usr/bin/python3
"""Prints what python3-icalendar reads from a calendar file, one fact a line.

For every VEVENT, in file order:
  EVENT
  SUMMARY=<text>            (DESCRIPTION= and LOCATION= likewise, when present)
  START=<instant>           END=<instant>
  OCC=<instant>             one line per occurrence of the recurrence set whose start lies
                            within a year of the event's start (iCalendar 2.0 only; the
                            occurrences of a series of dates are dates)
An instant is UTC "YYYY-MM-DDTHH:MM:SSZ", a date "DATE:YYYY-MM-DD", or a time without zone
"FLOATING:YYYY-MM-DDTHH:MM:SS". Text is printed with backslash, CR, LF and TAB escaped.

vCalendar 1.0 files are read with the same parser after their quoted-printable soft line
breaks are joined; their quoted-printable values are decoded here, and their recurrence
rules (a syntax of their own) are left to the C++ test's libical check.

Exit status 77 when icalendar or dateutil is missing, 1 when the file does not parse.
"""
import datetime
import quopri
import sys

try:
    import icalendar
    from dateutil import rrule
except ImportError:
    sys.exit(77)


def escape(text):
    return (text.replace('\\', '\\\\').replace('\r', '\\r').replace('\n', '\\n')
            .replace('\t', '\\t'))


def instant(value):
    if isinstance(value, datetime.datetime):
        if value.tzinfo is None:
            return 'FLOATING:' + value.strftime('%Y-%m-%dT%H:%M:%S')
        return value.astimezone(datetime.timezone.utc).strftime('%Y-%m-%dT%H:%M:%SZ')
    return 'DATE:' + value.strftime('%Y-%m-%d')


def text_of(event, name, charset):
    prop = event.get(name)
    if prop is None:
        return None
    raw = str(prop) if not isinstance(prop, list) else ','.join(str(p) for p in prop)
    params = getattr(prop, 'params', {})
    if params.get('ENCODING', '').upper() == 'QUOTED-PRINTABLE':
        return quopri.decodestring(raw.encode('latin-1')).decode(params.get('CHARSET', charset))
    return raw


def dates_of(event, name):
    found = []
    props = event.get(name)
    if props is None:
        return found
    for prop in props if isinstance(props, list) else [props]:
        found.extend(d.dt for d in prop.dts)
    return found


def wall_clock(value, zone):
    """The value as a time without zone, read on the zone's wall clock."""
    if isinstance(value, datetime.datetime) and value.tzinfo is not None and zone is not None:
        return value.astimezone(zone).replace(tzinfo=None)
    return value.replace(tzinfo=None) if isinstance(value, datetime.datetime) else value


def in_zone(value, zone):
    """A wall-clock time of the zone as an aware time (zones of pytz's kind need localize)."""
    if zone is None or not isinstance(value, datetime.datetime):
        return value
    return zone.localize(value) if hasattr(zone, 'localize') else value.replace(tzinfo=zone)


def midnight(value):
    """A date as the date-time that starts it: dateutil's sets hold date-times only."""
    return datetime.datetime.combine(value, datetime.time())


def occurrences(event, start):
    """The recurrence set, expanded on the event's own wall clock: dateutil would keep the
    offset of the first occurrence for all of them. The set of a series of dates (all-day
    events) holds dates: a date-time in its EXDATE or RDATE matches none of them."""
    if 'RRULE' not in event:
        return []
    if not isinstance(start, datetime.datetime):
        return date_occurrences(event, start)
    zone = start.tzinfo
    first = wall_clock(start, zone)
    rules = rrule.rruleset()
    text = event['RRULE'].to_ical().decode()
    rules.rrule(rrule.rrulestr(text, dtstart=first, ignoretz=True))
    for date in dates_of(event, 'EXDATE'):
        rules.exdate(wall_clock(date, zone))
    for date in dates_of(event, 'RDATE'):
        rules.rdate(wall_clock(date, zone))
    last = first + datetime.timedelta(days=365)
    return [in_zone(d, zone) for d in rules if d < last]


def date_occurrences(event, start):
    first = midnight(start)
    rules = rrule.rruleset()
    text = event['RRULE'].to_ical().decode()
    rules.rrule(rrule.rrulestr(text, dtstart=first, ignoretz=True))
    for name, add in (('EXDATE', rules.exdate), ('RDATE', rules.rdate)):
        for date in dates_of(event, name):
            if not isinstance(date, datetime.datetime):
                add(midnight(date))
    last = first + datetime.timedelta(days=365)
    return [d.date() for d in rules if d < last]


def main(path):
    with open(path, 'rb') as f:
        data = f.read()
    vcalendar = b'\r\nVERSION:1.0\r\n' in data
    charset = 'utf-8'
    if vcalendar:
        data = data.replace(b'=\r\n', b'')
    try:
        calendar = icalendar.Calendar.from_ical(data.decode('latin-1') if vcalendar else data)
    except Exception as error:  # noqa: BLE001 - any parse error fails the check
        print('parse error: %s' % error, file=sys.stderr)
        return 1
    for event in calendar.walk('VEVENT'):
        print('EVENT')
        for name in ('SUMMARY', 'DESCRIPTION', 'LOCATION'):
            value = text_of(event, name, charset)
            if value is not None:
                print('%s=%s' % (name, escape(value)))
        start = event.decoded('DTSTART')
        print('START=' + instant(start))
        print('END=' + instant(event.decoded('DTEND')))
        if not vcalendar:
            for occurrence in occurrences(event, start):
                print('OCC=' + instant(occurrence))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
