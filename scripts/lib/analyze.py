#!/usr/bin/env python3
"""Reads what a run left behind: a recording of the null sink and an strace
log of the wineserver.

  analyze.py sound FILE.wav [--threshold DBFS] [--min-gap S] [--from-mark NAME] -> JSON
  analyze.py opened STRACE.log                                -> one name a line
  analyze.py length FILE.wav...                               -> total seconds
  analyze.py quiet FILE.wav                                   -> "SOUND_SEEN SILENT_FOR"
  analyze.py cut FILE.wav OUT.wav --from-mark NAME            -> OUT.wav from that mark on
"""
import argparse
import array
import json
import math
import os
import re
import statistics
import sys
import wave

FRAME = 0.005  # seconds per analysis frame


def read_wav(path):
    """Returns (rate, channels, samples) of a 16-bit PCM WAV. A recording that
    is still being written, or was cut off, has a stale data size: then the
    data runs to the end of the file."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{path}: not a WAV file")
    pos, fmt = 12, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], int.from_bytes(data[pos + 4:pos + 8], "little")
        body = pos + 8
        if cid == b"fmt ":
            tag, ch, rate = (int.from_bytes(data[body:body + 2], "little"),
                             int.from_bytes(data[body + 2:body + 4], "little"),
                             int.from_bytes(data[body + 4:body + 8], "little"))
            bits = int.from_bytes(data[body + 14:body + 16], "little")
            if tag not in (1, 0xFFFE) or bits != 16:
                raise ValueError(f"{path}: only 16-bit PCM is read (format {tag}, {bits} bits)")
            fmt = (rate, ch)
        elif cid == b"data":
            if fmt is None:
                raise ValueError(f"{path}: data before fmt")
            end = body + size if 0 < size and body + size <= len(data) else len(data)
            end -= (end - body) % (2 * fmt[1])
            samples = array.array("h")
            samples.frombytes(data[body:end])
            if sys.byteorder != "little":
                samples.byteswap()
            return fmt[0], fmt[1], samples
        pos = body + size + (size & 1)
    raise ValueError(f"{path}: no data chunk")


def header_seconds(path):
    rate, ch, samples = read_wav(path)
    return len(samples) / ch / rate


def frame_levels(path, start=0.0):
    """Peak level in dBFS of each FRAME-long slice from START seconds on,
    channels mixed. A peak, not an RMS: a gap between two recordings is
    digital silence, and max()/min() over slices keep this fast."""
    rate, ch, s = read_wav(path)
    n = max(1, int(rate * FRAME)) * ch
    levels = []
    for i in range(int(start * rate) * ch, len(s) - n + 1, n):
        chunk = s[i:i + n]
        peak = max(max(chunk), -min(chunk))
        levels.append(20 * math.log10(peak / 32768) if peak > 0 else -200.0)
    return levels


def mark_seconds(path, name):
    """Where in the recording hn_record_mark's NAME fell: the file size noted
    then, less the header, in seconds of audio."""
    with open(path, "rb") as f:
        head = f.read(4096)
    i = head.find(b"data")
    if i < 0:
        raise ValueError(f"{path}: no data chunk")
    rate, ch, _ = read_wav(path)
    with open(path + ".marks") as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[0] == name:
                return max(0, int(parts[2]) - (i + 8)) / (2 * ch) / rate
    raise ValueError(f"{path}.marks: no mark '{name}'")


def sound(path, threshold=-60.0, min_gap=0.025, start=0.0, stop=None):
    """Onset, end and span of the sound after START seconds (and before STOP),
    and the silent gaps of at least MIN_GAP within it (times in seconds of the
    recording)."""
    levels = frame_levels(path, start)
    if stop is not None:
        levels = levels[:max(0, int((stop - start) / FRAME))]
    loud = [i for i, v in enumerate(levels) if v > threshold]
    out = {"duration": round(start + len(levels) * FRAME, 3), "threshold_dbfs": threshold,
           "min_gap": min_gap, "from": round(start, 3), "onset": None, "end": None,
           "span": 0.0, "gaps": []}
    if not loud:
        return out
    gaps = []
    for a, b in zip(loud, loud[1:]):
        g = (b - a - 1) * FRAME
        if g >= min_gap - 1e-9:
            gaps.append({"at": round(start + (a + 1) * FRAME, 3), "length": round(g, 3)})
    onset, end = start + loud[0] * FRAME, start + (loud[-1] + 1) * FRAME
    lengths = [g["length"] for g in gaps]
    out.update(onset=round(onset, 3), end=round(end, 3), span=round(end - onset, 3), gaps=gaps,
               gap_median=round(statistics.median(lengths), 3) if lengths else None,
               gap_max=round(max(lengths), 3) if lengths else None)
    return out


OPEN_RE = re.compile(r'^\s*(?:\d+\s+)?(\d+\.\d+)\s+openat\([^,]*,\s*"((?:[^"\\]|\\.)*)",\s*([^)]*)\)\s*=\s*(-?\d+)')


def opened_wavs(log):
    """(time, name) of each successful open of a .wav file, in order.

    Measured with Wine 8: one MCI_OPEN of a recording is one openat in the
    server's log (O_RDONLY|O_NONBLOCK); MCI_PLAY, MCI_STATUS and MCI_CLOSE
    open nothing. As a guard against a player that looks at a file before
    opening it, opens of the same name with no other .wav between them and
    within 0.1 s of the first are merged: the shortest recording lasts
    0.16 s, so a recording really played twice in a row still counts twice."""
    events = []
    with open(log, errors="replace") as f:
        for line in f:
            m = OPEN_RE.match(line)
            if not m or int(m.group(4)) < 0:
                continue
            name = os.path.basename(m.group(2).replace("\\\\", "\\"))
            if not name.lower().endswith(".wav"):
                continue
            t = float(m.group(1))
            if events and events[-1][1] == name and t - events[-1][2] <= 0.1:
                continue
            events.append((t, name, t))
    return [(t, n) for t, n, _ in events]


def quiet(path, threshold=-60.0):
    """Whether any sound was recorded yet, and for how long the tail is silent."""
    levels = frame_levels(path)
    loud = [i for i, v in enumerate(levels) if v > threshold]
    if not loud:
        return False, len(levels) * FRAME
    return True, (len(levels) - loud[-1] - 1) * FRAME


def cut(path, out, start):
    rate, ch, s = read_wav(path)
    with wave.open(out, "wb") as w:
        w.setnchannels(ch)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(s[int(start * rate) * ch:].tobytes())


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="cmd", required=True)
    p = sub.add_parser("sound")
    p.add_argument("wav")
    p.add_argument("--threshold", type=float, default=-60.0)
    p.add_argument("--min-gap", type=float, default=0.025)
    p.add_argument("--from-mark", help="analyse only what follows this hn_record_mark")
    p = sub.add_parser("opened")
    p.add_argument("log")
    p.add_argument("--times", action="store_true", help="print the open time before each name")
    p = sub.add_parser("length")
    p.add_argument("wav", nargs="+")
    p = sub.add_parser("quiet")
    p.add_argument("wav")
    p = sub.add_parser("cut")
    p.add_argument("wav")
    p.add_argument("out")
    p.add_argument("--from-mark", required=True)
    a = ap.parse_args(argv)
    try:
        if a.cmd == "sound":
            start = mark_seconds(a.wav, a.from_mark) if a.from_mark else 0.0
            print(json.dumps(sound(a.wav, a.threshold, a.min_gap, start)))
        elif a.cmd == "opened":
            for t, n in opened_wavs(a.log):
                print(f"{t:.3f} {n}" if a.times else n)
        elif a.cmd == "length":
            print(f"{sum(header_seconds(w) for w in a.wav):.3f}")
        elif a.cmd == "quiet":
            seen, silent = quiet(a.wav)
            print(int(seen), f"{silent:.3f}")
        elif a.cmd == "cut":
            cut(a.wav, a.out, mark_seconds(a.wav, a.from_mark))
    except (OSError, ValueError) as e:
        print(f"error: {e}", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
