#!/usr/bin/env python3
"""Helpers for the start-up cases.

  startup_check.py texts WINELOG       the window texts set, one a line (WINEDEBUG=+win)
  startup_check.py wavs STRACE DIR      every recording opened was DIR/<name>, 3 at least
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


def wavs(log, directory):
    # A Z: path as the server opens it: <prefix>/dosdevices/z:<unix path>.
    want = "/dosdevices/z:" + os.path.normpath(directory) + "/"
    opened = []
    with open(log, errors="replace") as f:
        for line in f:
            m = OPEN_RE.match(line)
            if m and int(m.group(3)) >= 0 and m.group(2).lower().endswith(".wav"):
                opened.append(m.group(2))
    bad = [p for p in opened if want not in p or "/" in p.split(want, 1)[1]]
    print("%d recordings opened" % len(opened))
    for p in opened:
        print("  " + p)
    if len(opened) < 3:
        print("error: fewer than 3 recordings opened: the time was not spoken")
        return 1
    if bad:
        print("error: recordings opened outside %s: %s" % (directory, bad))
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
