#!/usr/bin/env python3
"""Export of many appointments through kelvra-host, in one file and in a file per
event, then the import of the one file into an empty mailbox and a second import that
keeps what is there (conflict mode 2), timed from outside as a user sees them (start-up
and the mailbox load included). A fifth of the appointments are weekly series with a
moved and a deleted occurrence.

    bench/host_calendar.py BUILD_DIR [COUNT]
"""
import datetime
import json
import os
import subprocess
import sys
import tempfile
import time

FOLDER = "\\\\Personal Folders\\Calendar"


def appointment(n):
    day = datetime.datetime(2024, 1, 1, 8) + datetime.timedelta(hours=7 * n)
    item = {"Subject": "Event %05d" % n, "Location": "Room %d" % (n % 40),
            "Body": "Agenda of event %d.\r\nBring your notes." % n,
            "Start": day.isoformat(), "End": (day + datetime.timedelta(minutes=45)).isoformat(),
            "Categories": "Business" if n % 3 else "Holiday"}
    if n % 5 == 0:
        moved = day + datetime.timedelta(days=14)
        item["RecurrencePattern"] = {
            "RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 1 << ((day.weekday() + 1) % 7),
            "PatternStartDate": day.date().isoformat(), "NoEndDate": False, "Occurrences": 10,
            "StartTime": day.time().isoformat(), "Duration": 45}
        item["Exceptions"] = [
            {"OriginalDate": moved.isoformat(),
             "Start": (moved + datetime.timedelta(hours=1)).isoformat(),
             "End": (moved + datetime.timedelta(hours=1, minutes=45)).isoformat()},
            {"OriginalDate": (day + datetime.timedelta(days=21)).isoformat(), "Deleted": True}]
    return item


def make_mailboxes(count, work):
    """The demo mailbox with COUNT appointments in its calendar, and an empty copy."""
    with open("resources/demo-mailbox.json", encoding="utf-8") as f:
        mailbox = json.load(f)
    calendar = next(f for f in mailbox["stores"][0]["folders"] if f["name"] == "Calendar")
    paths = {}
    for name, items in (("full", [appointment(n) for n in range(count)]), ("empty", [])):
        calendar["items"] = items
        paths[name] = os.path.join(work, name + ".json")
        with open(paths[name], "w", encoding="utf-8") as f:
            json.dump(mailbox, f)
    return paths


def timed(args):
    start = time.perf_counter()
    result = subprocess.run(args, stdout=subprocess.PIPE, text=True, check=True)
    return time.perf_counter() - start, result.stdout.strip().splitlines()[-1]


def main():
    build = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    host = os.path.join(build, "bin", "kelvra-host")
    with tempfile.TemporaryDirectory() as work:
        mailboxes = make_mailboxes(count, work)
        root = os.path.join(work, "root")
        zone = ["--timezone", "W. Europe Standard Time"]
        subprocess.run([host, "--root", root, "register"], stdout=subprocess.DEVNULL, check=True)
        for name, files in (("one file", "--one-file"), ("file per event", "--file-per-event")):
            out = os.path.join(work, name.replace(" ", "-"))
            os.mkdir(out)
            seconds, result = timed([host, "--root", root, "--mailbox", mailboxes["full"]] + zone +
                                    ["export-calendar", "--to", out, "--folder", FOLDER,
                                     "--format", "20", files])
            print("host_calendar: export %d events, %s, in %.2f s (%.0f events/s); %s"
                  % (count, name, seconds, count / seconds, result))
        for name in ("import", "import again, keeping"):
            seconds, result = timed([host, "--root", root, "--mailbox", mailboxes["empty"], "--save"] +
                                    zone + ["import-calendar", "--from", os.path.join(work, "one-file"),
                                            "--folder", FOLDER, "--conflict", "2"])
            print("host_calendar: %s %d events in %.2f s (%.0f events/s); %s"
                  % (name, count, seconds, count / seconds, result))


if __name__ == "__main__":
    main()
