#!/usr/bin/env python3
"""Helpers for the start-up cases.

  startup_check.py texts WINELOG       the window texts set, one a line (WINEDEBUG=+win)
  startup_check.py wavs STRACE DIR      every recording opened was DIR/<name>, 3 at least
                                        (cp1251_check.py imports wavs and opens)
"""
import os
import re
import sys

OPEN_RE = re.compile(r'^\s*(?:\d+\s+)?(\d+\.\d+)\s+openat\([^,]*,\s*"((?:[^"\\]|\\.)*)",[^)]*\)\s*=\s*(-?\d+)')


TEXT_RE = re.compile(r'trace:win:set_window_text L"((?:[^"\\]|\\.)*)"')


def unescape(s):
    # Wine's debugstr_w: \" \\ \n \r \t and \NNNN (4 hex digits) for other characters.
    return re.sub(r'\\([0-9a-fA-F]{4}|.)', lambda m: chr(int(m.group(1), 16)) if len(m.group(1)) == 4
                  else {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)), s)


def texts(log):
    """Every window text the program set, one a line, from a +win trace."""
    with open(log, errors="replace") as f:
        for line in f:
            m = TEXT_RE.search(line)
            if m:
                print(unescape(m.group(1)).replace("\n", " ").replace("\r", " "))
    return 0


def strace_bytes(s):
    """strace's quoted string (octal and C escapes) as the bytes it stands for."""
    out = bytearray()
    i = 0
    while i < len(s):
        c = s[i]
        if c != "\\":
            out += c.encode("latin-1")
            i += 1
            continue
        m = re.match(r"\\([0-7]{1,3})", s[i:])
        if m:
            out.append(int(m.group(1), 8))
            i += len(m.group(0))
            continue
        m = re.match(r"\\x([0-9a-fA-F]{2})", s[i:])
        if m:
            out.append(int(m.group(1), 16))
            i += 4
            continue
        out += {"n": b"\n", "t": b"\t", "r": b"\r"}.get(s[i + 1], s[i + 1].encode("latin-1"))
        i += 2
    return bytes(out)


def opens(log):
    """The Unix path of every file the traced server opened, as bytes."""
    with open(log, encoding="latin-1") as f:
        for line in f:
            m = OPEN_RE.match(line)
            if m and int(m.group(3)) >= 0:
                yield strace_bytes(m.group(2))


def wavs(log, directory, encoding="utf-8"):
    """Paths are shown in ENCODING, the locale Wine spelt them in."""
    # A Z: path as the server opens it: <prefix>/dosdevices/z:<unix path>.
    folder = os.fsencode(os.path.normpath(directory))
    want = b"/dosdevices/z:" + folder + b"/"
    opened = [p for p in opens(log) if p.lower().endswith(b".wav")]
    bad = [p for p in opened if want not in p or b"/" in p.split(want, 1)[1]]
    show = lambda p: p.decode(encoding, "replace")
    print("%d recordings opened" % len(opened))
    for p in opened:
        print("  " + show(p))
    if len(opened) < 3:
        print("error: fewer than 3 recordings opened: the time was not spoken")
        return 1
    if bad:
        print("error: recordings opened outside %s: %s" % (show(folder), [show(p) for p in bad]))
        return 1
    return 0


def main(argv):
    if len(argv) == 3 and argv[1] == "texts":
        return texts(argv[2])
    if len(argv) == 4 and argv[1] == "wavs":
        return wavs(argv[2], argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
