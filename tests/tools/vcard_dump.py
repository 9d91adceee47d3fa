#!/usr/bin/python3
"""Reads one vCard file with python3-vobject and prints its properties, decoded.

Usage: vcard_dump.py FILE

Each property becomes one line "NAME<TAB>TYPES<TAB>VALUE": TYPES are the type
parameters in the order written (TYPE=... and the bare words of vCard 2.1), joined
by ","; VALUE is the decoded text with "\\", CR, LF and TAB written as \\\\, \\r, \\n
and \\t. Structured values (N, ADR, ORG) list their fields joined by ";"; a PHOTO
value is the hex of its bytes. Text is decoded in the charset each line names.

A vCard 3.0 card is validated as well: one that lacks a required property is
unreadable.

Exit codes: 0 read, 1 unreadable card, 77 python3-vobject missing.
"""
import base64
import io
import re
import sys

try:
    import vobject
except ImportError:
    print("python3-vobject is not installed", file=sys.stderr)
    sys.exit(77)

CHARSET = re.compile(rb";CHARSET=([^;:]+)", re.IGNORECASE)
STRUCTURED_FIELDS = {
    "N": ("family", "given", "additional", "prefix", "suffix"),
    "ADR": ("box", "extended", "street", "city", "region", "code", "country"),
}


def decode_lines(data):
    """The file as text, each line decoded in the charset its parameters name."""
    text = []
    for line in data.split(b"\r\n"):
        head = line.split(b":", 1)[0]
        match = CHARSET.search(head)
        charset = match.group(1).decode("ascii") if match else "ascii"
        text.append(line.decode(charset))
    return "\r\n".join(text)


def field_text(field):
    return ",".join(field) if isinstance(field, list) else field


def value_text(line):
    value = line.value
    if line.name == "PHOTO" and isinstance(value, str):
        value = base64.b64decode(value)
    if isinstance(value, bytes):
        return value.hex()
    if line.name in STRUCTURED_FIELDS and not isinstance(value, str):
        return ";".join(field_text(getattr(value, f)) for f in STRUCTURED_FIELDS[line.name])
    if isinstance(value, list):
        return ";".join(value)
    return value


def escape(text):
    return (text.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")
            .replace("\t", "\\t"))


def read_lines(text):
    """The card's property lines, decoded as its version has it."""
    if "\r\nVERSION:3.0\r\n" in text:
        # vobject's vCard 3.0 reading: unescaping and the fields of N, ADR and ORG, and
        # its check of the properties a card must have (FN).
        return list(vobject.readOne(text, allowQP=True, validate=True).getChildren())
    # vCard 2.1 values carry no backslash escapes and no comma lists, which vobject's
    # card reading would apply: its line reader alone unfolds, splits the parameters
    # and decodes quoted-printable in the line's charset.
    lines = []
    for logical, number in vobject.base.getLogicalLines(io.StringIO(text), allowQP=True):
        line = vobject.base.textLineToContentLine(logical, number)
        if line.name not in ("BEGIN", "END"):
            lines.append(line)
    return lines


def main():
    with open(sys.argv[1], "rb") as card_file:
        text = decode_lines(card_file.read())
    try:
        lines = read_lines(text)
    except Exception as error:  # vobject raises many kinds
        print("unreadable card: %s" % error, file=sys.stderr)
        return 1
    out = sys.stdout.buffer
    for line in lines:
        types = [t.upper() for t in line.params.get("TYPE", [])]
        types += [t.upper() for t in line.singletonparams]
        if line.name == "PHOTO":
            types = [t for t in types if t != "BASE64"]
        row = "%s\t%s\t%s\n" % (line.name, ",".join(types), escape(value_text(line)))
        out.write(row.encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
