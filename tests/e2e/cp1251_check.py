#!/usr/bin/env python3
"""Checks for the cp1251 case (a Russian system without the UTF-8 code page).

  cp1251_check.py wavs STRACE DIR      every recording opened was DIR/<name>, 3 at least;
                                       DIR's name is in code page 1251 bytes, as Wine
                                       spells a Windows name on Unix under that locale
  cp1251_check.py texts FILE WANT...   each WANT is a window text in FILE (class TAB
                                       text lines); no text is UTF-8 read as cp1251
  cp1251_check.py contains FILE WANT   some window text in FILE contains WANT, and
                                       no such text is UTF-8 read as cp1251
  cp1251_check.py opened STRACE PATH   the file at PATH (bytes as on Unix) was opened
  cp1251_check.py run REGFILE WANT     the exported Run key (regedit /E, UTF-16)
                                       holds MyApplication = WANT
"""
import re
import sys

from startup_check import opens, wavs


def opened(log, path):
    want = b"/dosdevices/z:" + path.encode("utf-8", "surrogateescape")
    if any(p.endswith(want) for p in opens(log)):
        return 0
    print("error: %s was never opened" % path.encode("utf-8", "surrogateescape").decode("cp1251"))
    return 1


def garbled(text):
    """UTF-8 bytes shown as code page 1251 letters ("РќР°..." for "На")."""
    try:
        raw = text.encode("cp1251")
    except UnicodeEncodeError:
        return False
    try:
        return not raw.isascii() and raw.decode("utf-8") != text
    except UnicodeDecodeError:
        return False


def read_texts(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t", 1)[-1] for line in f]


def texts(path, wanted):
    found = read_texts(path)
    rc = 0
    for w in wanted:
        if w not in found:
            print("error: no window text reads %r" % w)
            rc = 1
    for t in found:
        if garbled(t):
            print("error: %r is UTF-8 read in code page 1251 (meant %r)"
                  % (t, t.encode("cp1251").decode("utf-8")))
            rc = 1
    print("%d window texts, %d checked by name" % (len(found), len(wanted)))
    return rc


def contains(path, want):
    hits = [t for t in read_texts(path) if want in t]
    for t in hits:
        print("box text: " + t)
    if not hits:
        print("error: no window text contains %r" % want)
        return 1
    bad = [t for t in hits if garbled(t)]
    for t in bad:
        print("error: %r is UTF-8 read in code page 1251" % t)
    return 1 if bad else 0


def run(regfile, want):
    with open(regfile, "rb") as f:
        data = f.read()
    text = data.decode("utf-16")
    m = re.search(r'^"MyApplication"="((?:[^"\\]|\\.)*)"', text, re.M)
    if not m:
        print("error: no MyApplication value in the Run key")
        return 1
    value = re.sub(r"\\(.)", r"\1", m.group(1))
    print("Run value: " + value)
    if value != want:
        print("error: the Run value is not %r" % want)
        return 1
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "wavs":
        return wavs(argv[2], argv[3], "cp1251")
    if len(argv) >= 3 and argv[1] == "texts":
        return texts(argv[2], argv[3:])
    if len(argv) == 4 and argv[1] == "contains":
        return contains(argv[2], argv[3])
    if len(argv) == 4 and argv[1] == "opened":
        return opened(argv[2], argv[3])
    if len(argv) == 4 and argv[1] == "run":
        return run(argv[2], argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
