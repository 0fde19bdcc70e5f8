#!/usr/bin/env python3
"""Whether a key sent at a mark made the clock speak, from what the traced
server opened and what the null sink recorded.

  hotkey_check.py spoke STRACE.log WAV MARK [--within S]   waits up to S s
  hotkey_check.py silent STRACE.log WAV MARK [--for S]     waits S s
  hotkey_check.py date STRACE.log WAV MARK [--within S]    today's date, whole
  hotkey_check.py once STRACE.log WAV MARK [--for S]       one chain of the time
Exit 0 when the answer is as asked; a line says what was seen either way."""
import argparse
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "lib"))
import analyze  # noqa: E402
import chain  # noqa: E402


def mark_time(wav, name):
    with open(wav + ".marks") as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[0] == name:
                return float(parts[1])
    raise SystemExit(f"error: {wav}.marks has no mark '{name}'")


def opens_after(log, t):
    return [(u, n) for u, n in analyze.opened_wavs(log) if u >= t]


def hour_files(t0, t1):
    """The first recording of any chain for a time between T0 and T1: the
    clock's time fields may lag a second or more behind."""
    times, t = [], int(t0)
    while t <= t1 + 1:
        lt = time.localtime(t)
        times.append((lt.tm_hour, lt.tm_min))
        t += 1
    return {c[0] for c in chain.possible_chains(times)}


def onset_after(wav, name):
    start = analyze.mark_seconds(wav, name)
    s = analyze.sound(wav, start=start)
    return None if s["onset"] is None else s["onset"] - start


def spoke(log, wav, name, within):
    t0 = mark_time(wav, name)
    deadline = t0 + within
    opens = []
    while time.time() < deadline and not opens:
        time.sleep(0.2)
        opens = opens_after(log, t0)
    if not opens:
        print(f"error: no recording opened within {within:g} s of the key '{name}'")
        return 1
    t, first = opens[0]
    want = hour_files(t0 - 3, t)
    if first not in want:
        print(f"error: {t - t0:.2f} s after the key '{name}' the first recording opened was "
              f"{first}, not the hour ({' or '.join(sorted(want))})")
        return 1
    # What is heard starts a little after the open; the sink is read live.
    onset = None
    end = time.time() + 4
    while time.time() < end and onset is None:
        time.sleep(0.3)
        onset = onset_after(wav, name)
    if onset is None:
        print(f"error: {first} opened {t - t0:.2f} s after the key '{name}', but nothing was heard")
        return 1
    print(f"ok: key '{name}': {first} opened after {t - t0:.2f} s, sound after {onset:.2f} s")
    return 0


def silent(log, wav, name, secs):
    t0 = mark_time(wav, name)
    time.sleep(max(0.0, t0 + secs - time.time()))
    opens = opens_after(log, t0)
    if opens:
        print(f"error: the key '{name}' spoke: " +
              " ".join(f"{n}@{u - t0:.2f}s" for u, n in opens))
        return 1
    onset = onset_after(wav, name)
    if onset is not None:
        print(f"error: nothing opened after the key '{name}', yet sound {onset:.2f} s after it")
        return 1
    print(f"ok: key '{name}': nothing opened or heard for {secs:g} s")
    return 0


WEEKDAYS = "ponedelnik vtornik sreda chetverg pyatnica subbota voskresene".split()
MONTHS = ("yanvarya fevralya marta aprelya maya iyunya iyulya avgusta sentyabrya oktyabrya "
          "noyabrya dekabrya").split()


def date_files(lt):
    """Today's chain, from the calendar: «сегодня среда, девятое декабря»."""
    d = lt.tm_mday
    day = [f"{d}_neut.wav"] if d <= 20 or d == 30 else [f"{d // 10 * 10}.wav", f"{d % 10}_neut.wav"]
    return ["segodnya.wav", WEEKDAYS[lt.tm_wday] + ".wav"] + day + [MONTHS[lt.tm_mon - 1] + ".wav"]


def date(log, wav, name, within):
    """The date follows the key's mark, whole and in order, and is heard."""
    t0 = mark_time(wav, name)
    want = date_files(time.localtime(t0))
    deadline = t0 + within
    got = []
    while time.time() < deadline:
        time.sleep(0.3)
        names = [n for _, n in opens_after(log, t0)]
        got = names[names.index("segodnya.wav"):] if "segodnya.wav" in names else []
        if len(got) >= len(want):
            break
    if got[:len(want)] != want or len(got) > len(want):
        print(f"error: after the key '{name}' the date was {' '.join(got) or 'not said'}, "
              f"not {' '.join(want)}")
        return 1
    print(f"ok: key '{name}': the date {' '.join(got)}")
    return 0


def once(log, wav, name, secs):
    """A key held for a while: one chain of the time, no date, no restart."""
    t0 = mark_time(wav, name)
    time.sleep(max(0.0, t0 + secs - time.time()))
    names = [n for _, n in opens_after(log, t0)]
    starts = hour_files(t0 - 3, t0 + secs)
    # The longest chain has six words: a repeat would start a second one.
    if not names or names[0] not in starts or "segodnya.wav" in names or len(names) > 6:
        print(f"error: the key '{name}' held gave {' '.join(names) or 'nothing'}")
        return 1
    print(f"ok: key '{name}' held: one chain {' '.join(names)}")
    return 0


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="cmd", required=True)
    for cmd in ("spoke", "silent", "date", "once"):
        p = sub.add_parser(cmd)
        p.add_argument("log")
        p.add_argument("wav")
        p.add_argument("mark")
    sub.choices["spoke"].add_argument("--within", type=float, default=3.0)
    sub.choices["silent"].add_argument("--for", dest="secs", type=float, default=3.0)
    sub.choices["date"].add_argument("--within", type=float, default=8.0)
    sub.choices["once"].add_argument("--for", dest="secs", type=float, default=6.0)
    a = ap.parse_args(argv)
    chain.self_check()
    if a.cmd == "spoke":
        return spoke(a.log, a.wav, a.mark, a.within)
    if a.cmd == "date":
        return date(a.log, a.wav, a.mark, a.within)
    if a.cmd == "once":
        return once(a.log, a.wav, a.mark, a.secs)
    return silent(a.log, a.wav, a.mark, a.secs)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
