#!/usr/bin/env python3
"""What the clock did on its own and how loud it was, from the traced opens
and the recording.

  schedule_check.py boundary STRACE.log SINCE [--within S] [--wav WAV]
      the first recording opened after SINCE (epoch seconds) comes within S
      of a minute boundary and starts the chain for that boundary's minute
  schedule_check.py none STRACE.log SINCE UNTIL
      nothing was opened between SINCE and UNTIL
  schedule_check.py louder LOUD.wav SOFT.wav DB [--tolerance T]
      the soft recording's speech is DB decibels below the loud one's
  schedule_check.py voice STRACE.log SINCE FOLDER [--style N]
      the chain opened after SINCE comes whole from FOLDER ("" the program's),
      in style N (0 official)
Exit 0 when the answer is as asked; a line says what was seen either way."""
import argparse
import math
import os
import re
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "lib"))
import analyze  # noqa: E402
import chain  # noqa: E402

# The full path of every .wav the traced server opened, with its time.
OPEN_RE = analyze.OPEN_RE


def opens(log, since, until=math.inf):
    out = []
    with open(log, errors="replace") as f:
        for line in f:
            m = OPEN_RE.match(line)
            if not m or int(m.group(4)) < 0 or not m.group(2).lower().endswith(".wav"):
                continue
            t = float(m.group(1))
            if since <= t < until:
                out.append((t, m.group(2)))
    # One MCI open can show as two opens of the same file close together.
    merged = []
    for t, p in out:
        if merged and merged[-1][1] == p and t - merged[-1][0] <= 0.1:
            continue
        merged.append((t, p))
    return merged


def boundary(a):
    deadline = time.time() + a.wait
    seen = []
    while True:
        seen = opens(a.log, a.since)
        if len(seen) >= 4 or time.time() > deadline:
            break
        time.sleep(0.5)
    if not seen:
        print(f"error: nothing opened within {a.wait:g} s after {a.since:.3f}")
        return 1
    t, _ = seen[0]
    b = math.floor(t / 60) * 60
    late = t - b
    lt = time.localtime(b)
    want = chain.chain(lt.tm_hour, lt.tm_min)
    got = [os.path.basename(p) for _, p in seen[: len(want)]]
    print(f"boundary {lt.tm_hour:02}:{lt.tm_min:02}: first recording opened {late * 1000:.0f} ms after it;"
          f" opened {' '.join(got)}")
    rc = 0
    if late > a.within:
        print(f"error: {late:.3f} s after the boundary, more than {a.within:g} s")
        rc = 1
    if got != want:
        print(f"error: the chain for {lt.tm_hour:02}:{lt.tm_min:02} is {' '.join(want)}")
        rc = 1
    if a.wav:
        onset = first_sound_after(a.wav, b)
        print(f"first sound {onset * 1000:.0f} ms after the boundary" if onset is not None
              else "no sound after the boundary in the recording")
    return rc


def first_sound_after(wav, epoch):
    """Seconds from EPOCH to the first sound recorded after it, by the marks."""
    marks = []
    with open(wav + ".marks") as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3:
                marks.append((parts[0], float(parts[1])))
    if not marks:
        return None
    name, t = marks[0]
    start = analyze.mark_seconds(wav, name) + (epoch - t)
    s = analyze.sound(wav, start=max(start, 0.0))
    return None if s["onset"] is None else s["onset"] - start


def none(a):
    seen = opens(a.log, a.since, a.until)
    if seen:
        print(f"error: opened {' '.join(os.path.basename(p) for _, p in seen)} in the quiet time")
        return 1
    print(f"nothing opened in the {a.until - a.since:.0f} s that held a boundary")
    return 0


def speech_db(wav):
    rate, ch, samples = analyze.read_wav(wav)
    step = rate // 20
    frames = []
    for i in range(0, len(samples) - step, step):
        part = samples[i:i + step]
        rms = math.sqrt(sum(float(x) * x for x in part) / len(part)) or 1e-9
        frames.append(20 * math.log10(rms / 32768))
    loud = [f for f in frames if f > -50]
    if not loud:
        return None
    # Energy average over the frames that hold speech.
    return 10 * math.log10(sum(10 ** (f / 10) for f in loud) / len(loud))


def louder(a):
    hi, lo = speech_db(a.loud), speech_db(a.soft)
    if hi is None or lo is None:
        print(f"error: no speech in {a.loud if hi is None else a.soft}")
        return 1
    print(f"speech at {hi:.2f} dBFS and {lo:.2f} dBFS: {hi - lo:.2f} dB apart")
    if abs(hi - lo - a.db) > a.tolerance:
        print(f"error: not {a.db:g} ± {a.tolerance:g} dB")
        return 1
    return 0


def voice(a):
    seen = opens(a.log, a.since)
    if not seen:
        print("error: nothing opened")
        return 1
    folder = re.sub(r"[\\/]+$", "", a.folder)
    rc = 0
    for _, p in seen:
        d = os.path.dirname(p)
        if not d.endswith("/Zvenoks" + ("/" + folder if folder else "")):
            print(f"error: {p} is not from '{folder or 'the program folder'}'")
            rc = 1
    names = [os.path.basename(p) for _, p in seen]
    print(f"opened {' '.join(names)} from {folder or 'the program folder'}")
    if not any(tuple(names[:len(c)]) == c for c in chain.possible_chains(
            [(time.localtime(seen[0][0] + d).tm_hour, time.localtime(seen[0][0] + d).tm_min)
             for d in (-2, 0, 4)], a.style)):
        print("error: not the chain for the time")
        rc = 1
    return rc


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="cmd", required=True)
    p = sub.add_parser("boundary")
    p.add_argument("log")
    p.add_argument("since", type=float)
    p.add_argument("--within", type=float, default=1.0)
    p.add_argument("--wait", type=float, default=0.0, help="wait this long for the opens")
    p.add_argument("--wav")
    p = sub.add_parser("none")
    p.add_argument("log")
    p.add_argument("since", type=float)
    p.add_argument("until", type=float)
    p = sub.add_parser("louder")
    p.add_argument("loud")
    p.add_argument("soft")
    p.add_argument("db", type=float)
    p.add_argument("--tolerance", type=float, default=1.0)
    p = sub.add_parser("voice")
    p.add_argument("log")
    p.add_argument("since", type=float)
    p.add_argument("folder")
    p.add_argument("--style", type=int, default=0)
    a = ap.parse_args(argv)
    return {"boundary": boundary, "none": none, "louder": louder, "voice": voice}[a.cmd](a)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
