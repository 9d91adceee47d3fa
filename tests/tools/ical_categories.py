#!/usr/bin/python3
"""Prints the categories python3-vobject reads from an iCalendar file.

For every VEVENT, in file order, one line "CATEGORIES=" followed by its category names
joined by TAB (names from every CATEGORIES line of the event, in order).

Exit status 77 when vobject is missing, 1 when the file does not parse.
"""
import sys

try:
    import vobject
except ImportError:
    sys.exit(77)


def main(path):
    with open(path, 'rb') as f:
        text = f.read().decode('utf-8')
    try:
        calendar = vobject.readOne(text)
    except Exception as error:  # noqa: BLE001 - any parse error fails the check
        print('parse error: %s' % error, file=sys.stderr)
        return 1
    for event in calendar.contents.get('vevent', []):
        names = []
        for line in event.contents.get('categories', []):
            names.extend(line.value)
        sys.stdout.buffer.write(('CATEGORIES=' + '\t'.join(names) + '\n').encode('utf-8'))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
