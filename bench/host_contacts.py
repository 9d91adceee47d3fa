#!/usr/bin/env python3
"""Export and import of many contacts through kelvra-host, timed from outside as a user
sees them (start-up and the mailbox load included): export into one file, import of
that file, and export into one file per contact.

    bench/host_contacts.py BUILD_DIR [COUNT]
"""
import copy
import json
import os
import subprocess
import sys
import tempfile
import time

FOLDER = "\\\\Personal Folders\\Contacts"


def make_mailboxes(count, work):
    """A mailbox whose contacts folder holds COUNT contacts made from the demo's first
    one, each with its own name, and an empty copy to import into."""
    with open("resources/demo-mailbox.json", encoding="utf-8") as f:
        mailbox = json.load(f)
    contacts = next(f for f in mailbox["stores"][0]["folders"] if f["name"] == "Contacts")
    model = contacts["items"][0]
    items = []
    for n in range(count):
        c = copy.deepcopy(model)
        c["FirstName"], c["LastName"] = "First%05d" % n, "Last%05d" % n
        c["FileAs"] = "Last%05d, First%05d" % (n, n)
        c["Email1Address"] = "contact%05d@example.com" % n
        items.append(c)
    paths = {}
    for name, content in (("full", items), ("empty", [])):
        contacts["items"] = content
        paths[name] = os.path.join(work, name + ".json")
        with open(paths[name], "w", encoding="utf-8") as f:
            json.dump(mailbox, f)
    return paths


def timed(args):
    start = time.perf_counter()
    result = subprocess.run(args, stdout=subprocess.PIPE, text=True, check=True)
    elapsed = time.perf_counter() - start
    return elapsed, result.stdout.strip().splitlines()[-1]


def main():
    build = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    host = os.path.join(build, "bin", "kelvra-host")
    with tempfile.TemporaryDirectory() as work:
        mailboxes = make_mailboxes(count, work)
        root = os.path.join(work, "root")
        out = os.path.join(work, "out")
        per_contact = os.path.join(work, "per-contact")
        os.mkdir(out)
        os.mkdir(per_contact)
        subprocess.run([host, "--root", root, "register"], stdout=subprocess.DEVNULL, check=True)
        runs = [
            ("export", [host, "--root", root, "--mailbox", mailboxes["full"], "export-contacts",
                        "--to", out, "--folder", FOLDER, "--format", "30", "--one-file"]),
            ("import", [host, "--root", root, "--mailbox", mailboxes["empty"], "--save",
                        "import-contacts", "--from", out, "--folder", FOLDER]),
            ("export per contact", [host, "--root", root, "--mailbox", mailboxes["full"],
                                    "export-contacts", "--to", per_contact, "--folder", FOLDER,
                                    "--format", "30", "--file-per-contact"]),
        ]
        for name, args in runs:
            seconds, result = timed(args)
            print("host_contacts: %s %d contacts in %.2f s (%.0f contacts/s); %s"
                  % (name, count, seconds, count / seconds, result))


if __name__ == "__main__":
    main()
