#!/usr/bin/env python3
"""Helpers for the badinput_* cases.

  badinput_check.py write FILE EXPR   writes the bytes of the Python expression
      EXPR; noise(n) is n random bytes (seed 1) that hold no setting
  badinput_check.py boxtext WINELOG   the last window text set (WINEDEBUG=+win),
      as a Python literal, so that control characters and a cut text show
  badinput_check.py drawn SW X Y W H [X Y W H]...   for raw 8-bit RGB of the
      whole screen (SW pixels wide) on stdin: in each rectangle, how many
      pixels are neither black nor maroon (the colour key)
  badinput_check.py opened STRACE WAV MARK [UNTIL]   the recordings opened
      after the mark (and before the mark UNTIL), and those that failed to
  badinput_check.py stopped STRACE WAV MARK UNTIL   ok when what was opened
      between the marks is the hour number, perhaps with the hour word after
      it, and nothing more: a chain that stopped at the hour word
  badinput_check.py restarted STRACE WAV MARK [--within S]   waits until the
      hour number and hour word of a chain are both opened after the mark: a
      Time command began again at the hour, even in the middle of a chain
  badinput_check.py chain STRACE WAV MARK [--within S]   waits until a minute
      word is opened after the mark; ok when what was opened is a whole chain
      for the time then, from the hour on
"""
import os
import random
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "lib"))
import analyze  # noqa: E402
import chain  # noqa: E402
import hotkey_check  # noqa: E402
import startup_check  # noqa: E402

SEARCHES = (b"Hotkey=", b"Key=", b"Run=")


def noise(n, seed=1):
    data = random.Random(seed).randbytes(n)
    # A setting found by chance would make the row test something else.
    for s in SEARCHES:
        if s in data:
            raise SystemExit(f"error: noise({n}, {seed}) holds {s!r}: pick another seed")
    return data


def write(path, expr):
    data = eval(expr, {"noise": noise, "random": random})
    if not isinstance(data, bytes):
        raise SystemExit(f"error: {expr!r} gives {type(data).__name__}, not bytes")
    with open(path, "wb") as f:
        f.write(data)
    return 0


def boxtext(log):
    texts = []
    with open(log, errors="replace") as f:
        for line in f:
            m = startup_check.TEXT_RE.search(line)
            if m:
                texts.append(startup_check.unescape(m.group(1)))
    print(repr(texts[-1]) if texts else "(no text set)")
    return 0


def drawn(sw, boxes):
    data = sys.stdin.buffer.read()
    counts = []
    for x, y, w, h in boxes:
        n = 0
        for row in range(y, y + h):
            line = data[(row * sw + x) * 3:(row * sw + x + w) * 3]
            n += sum(1 for i in range(0, len(line), 3) if line[i:i + 3] not in (b"\0\0\0", b"\x80\0\0"))
        counts.append(str(n))
    print(" ".join(counts))
    return 0


def failed_opens(log, t0, t1):
    """Names of .wav files the server failed to open between T0 and T1."""
    out = []
    with open(log, errors="replace") as f:
        for line in f:
            m = analyze.OPEN_RE.match(line)
            if m and int(m.group(4)) < 0 and t0 <= float(m.group(1)) < t1:
                name = os.path.basename(m.group(2))
                if name.lower().endswith(".wav"):
                    out.append(name)
    return out


def opened(log, wav, mark, until=None):
    t0 = hotkey_check.mark_time(wav, mark)
    t1 = hotkey_check.mark_time(wav, until) if until else float("inf")
    ok = [n for t, n in analyze.opened_wavs(log) if t0 <= t < t1]
    print("opened:", " ".join(ok) or "-")
    print("failed:", " ".join(failed_opens(log, t0, t1)) or "-")
    return 0


HOUR_WORDS = ("chas.wav", "chasa.wav", "chasov.wav")


def stopped(log, wav, mark, until):
    t0, t1 = hotkey_check.mark_time(wav, mark), hotkey_check.mark_time(wav, until)
    got = tuple(n for t, n in analyze.opened_wavs(log) if t0 <= t < t1)
    times = [(time.localtime(t).tm_hour, time.localtime(t).tm_min) for t in range(int(t0 - 3), int(t1) + 2)]
    for c in chain.possible_chains(times):
        i = next(k for k, n in enumerate(c) if n in HOUR_WORDS)
        if got in (c[:i], c[:i + 1]):
            print(f"ok: the chain stopped at the hour word: {' '.join(got)}")
            return 0
    print(f"error: between '{mark}' and '{until}' the clock opened {' '.join(got) or 'nothing'}: "
          "not the hour number and at most the hour word")
    return 1


def restarted(log, wav, mark, within):
    t0 = hotkey_check.mark_time(wav, mark)
    got = ()
    while True:
        opens = [(t, n) for t, n in analyze.opened_wavs(log) if t >= t0]
        got = tuple(n for _, n in opens)
        times = [(time.localtime(t).tm_hour, time.localtime(t).tm_min)
                 for t in range(int(t0 - 3), int(time.time()) + 2)]
        for c in chain.possible_chains(times):
            i = next(k for k, n in enumerate(c) if n in HOUR_WORDS)
            for j in range(len(got) - i):
                if got[j:j + i + 1] == c[:i + 1]:
                    print(f"ok: after '{mark}' the chain began again at the hour "
                          f"({opens[j][0] - t0:.2f} s): {' '.join(got)}")
                    return 0
        if time.time() > t0 + within:
            break
        time.sleep(0.3)
    print(f"error: no new chain from the hour within {within:g} s of '{mark}'; opened: {' '.join(got) or '-'}")
    return 1


def whole_chain(log, wav, mark, within):
    t0 = hotkey_check.mark_time(wav, mark)
    names = []
    while time.time() < t0 + within:
        names = [(t, n) for t, n in analyze.opened_wavs(log) if t >= t0]
        if names and names[-1][1] in ("minut.wav", "minuta.wav", "minuty.wav"):
            break
        time.sleep(0.3)
    got = tuple(n for _, n in names)
    if not got or got[-1] not in ("minut.wav", "minuta.wav", "minuty.wav"):
        print(f"error: no minute word within {within:g} s of '{mark}'; opened: {' '.join(got) or '-'}")
        return 1
    times, t = [], int(t0 - 3)
    while t <= names[-1][0] + 1:
        lt = time.localtime(t)
        times.append((lt.tm_hour, lt.tm_min))
        t += 1
    if got not in chain.possible_chains(times):
        print(f"error: after '{mark}' the clock played {' '.join(got)}: not a chain from the hour")
        return 1
    print(f"ok: after '{mark}' a whole chain: {' '.join(got)}")
    return 0


def main(argv):
    if len(argv) >= 7 and argv[1] == "drawn" and (len(argv) - 3) % 4 == 0:
        v = [int(a) for a in argv[3:]]
        return drawn(int(argv[2]), [v[i:i + 4] for i in range(0, len(v), 4)])
    if len(argv) in (5, 6) and argv[1] == "opened":
        return opened(*argv[2:])
    if len(argv) == 6 and argv[1] == "stopped":
        return stopped(*argv[2:])
    if len(argv) >= 5 and argv[1] in ("chain", "restarted"):
        within = float(argv[6]) if len(argv) == 7 and argv[5] == "--within" else 30.0
        chain.self_check()
        check = whole_chain if argv[1] == "chain" else restarted
        return check(argv[2], argv[3], argv[4], within)
    if len(argv) == 4 and argv[1] == "write":
        return write(argv[2], argv[3])
    if len(argv) == 3 and argv[1] == "boxtext":
        return boxtext(argv[2])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
