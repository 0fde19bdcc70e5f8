#!/usr/bin/env python3
"""Turns what scripts/bench recorded into bench/results.md.

  measure.py OUT_DIR RESULTS.md

OUT_DIR holds sound.wav (+ .marks: clockN before each hotkey press, baseN
before each bare PlaySound, wholeN before each play of the concatenation,
end), strace.log, boundary.wav (+ .marks: boundary-EPOCH a few seconds before
each minute boundary the clock was left to speak at, end) with
boundary-strace.log, and figures.txt ("name value" lines from the script)."""
import datetime
import os
import statistics
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "scripts", "lib"))
import analyze  # noqa: E402

THRESHOLD = -50.0  # dBFS: above the null sink's floor, below every word's onset
MIN_GAP = 0.02
# Around a boundary: how far before it a sound or an open still counts (an
# early start shows as a negative figure), and how long after it to look.
EARLY = 2.0
LATE = 20.0


def marks(wav):
    out = []
    with open(wav + ".marks") as f:
        for line in f:
            name, t, _ = line.split()
            out.append((name, float(t), analyze.mark_seconds(wav, name)))
    return out


def segment(wav, start, stop):
    """Onset (seconds from START), span and the silent gaps of the sound
    between two marks."""
    s = analyze.sound(wav, threshold=THRESHOLD, min_gap=MIN_GAP, start=start, stop=stop)
    if s["onset"] is None:
        return None
    return {"onset": s["onset"] - start, "span": s["span"], "gaps": [g["length"] for g in s["gaps"]]}


def boundaries(wav, opened):
    """For each boundary-EPOCH mark: seconds from that wall-clock minute
    boundary to the first sound recorded and to the first recording opened.
    The boundary is found in the recording through its own mark, made close
    to it."""
    out = []
    for name, t, at in marks(wav):
        if not name.startswith("boundary-"):
            continue
        b = float(name.split("-", 1)[1])
        pos = at + (b - t)
        when = datetime.datetime.fromtimestamp(b).strftime("%H:%M")
        s = analyze.sound(wav, threshold=THRESHOLD, min_gap=MIN_GAP, start=max(0.0, pos - EARLY),
                          stop=pos + LATE)
        if s["onset"] is None:
            raise SystemExit(f"error: nothing heard within {LATE:g} s of the boundary at {when}")
        files = [(u, n) for u, n in opened if b - EARLY <= u < b + LATE]
        if not files:
            raise SystemExit(f"error: nothing opened within {LATE:g} s of the boundary at {when}")
        out.append({"at": when, "epoch": b, "sound": s["onset"] - pos, "open": files[0][0] - b,
                    "files": [n for _, n in files]})
    return out


def fmt_ms(s):
    return f"{s * 1000:.0f} ms"


def fmt_us(us):
    return f"{us:,.0f} µs"


def ratio(a, b):
    return f"{a / b:.2f} times"


def spread(values):
    return f"{fmt_ms(statistics.median(values))} (median of {len(values)}; {fmt_ms(min(values))}–{fmt_ms(max(values))})"


def main(out_dir, results):
    wav = os.path.join(out_dir, "sound.wav")
    ms = marks(wav)
    opened = analyze.opened_wavs(os.path.join(out_dir, "strace.log"))
    figures = {}
    with open(os.path.join(out_dir, "figures.txt")) as f:
        for line in f:
            k, v = line.split(None, 1)
            figures[k] = v.strip()

    runs = {"clock": [], "base": [], "whole": []}
    for (name, t, at), (_, t_next, at_next) in zip(ms, ms[1:]):
        kind = name.rstrip("0123456789")
        if kind in runs:
            seg = segment(wav, at, at_next)
            if seg is None:
                raise SystemExit(f"error: nothing heard after mark {name}")
            files = [(u, n) for u, n in opened if t <= u < t_next]
            seg["files"] = [n for _, n in files]
            seg["open"] = files[0][0] - t if files else None
            runs[kind].append(seg)
    clock, base, whole = runs["clock"], runs["base"], runs["whole"]
    if not (clock and base and whole):
        raise SystemExit("error: a kind of run is missing: " + ", ".join(k for k, v in runs.items() if not v))

    # Inner gaps of the recordings themselves show in the concatenation too;
    # the gaps the clock adds are the ones beyond those.
    clock_gaps = [g for r in clock for g in r["gaps"]]
    whole_gaps = [g for r in whole for g in r["gaps"]]
    span_clock = statistics.median(r["span"] for r in clock)
    span_whole = statistics.median(r["span"] for r in whole)
    onset_clock = [r["onset"] for r in clock]
    onset_base = [r["onset"] for r in base]
    chain = " ".join(clock[-1]["files"])
    open_clock = [r["open"] for r in clock]
    if None in open_clock:
        raise SystemExit("error: a hotkey press opened no recording")
    sched = boundaries(os.path.join(out_dir, "boundary.wav"),
                       analyze.opened_wavs(os.path.join(out_dir, "boundary-strace.log")))
    if not sched:
        raise SystemExit("error: no boundary was marked in boundary.wav")
    t0, t1 = map(float, figures["tick_window"].split())
    crossed = [r["at"] for r in sched if t0 <= r["epoch"] <= t1 + 3]
    beside = (f"the tick soaks ran across the boundary at {', '.join(crossed)}" if crossed
              else "the tick soaks ran between two of them")

    rows = [
        ("Hotkey to the first sound", spread(onset_clock),
         f"bare PlaySound of the same first recording on a hotkey: {spread(onset_base)}"),
        ("Minute boundary to the first sound (`Every=1`)", spread([r["sound"] for r in sched]),
         f"hotkey to the first sound: {spread(onset_clock)}"),
        ("Minute boundary to the first recording opened", spread([r["open"] for r in sched]),
         f"hotkey to the first recording opened: {spread(open_clock)}"),
        ("Silence between recordings (median / max)",
         f"{fmt_ms(statistics.median(clock_gaps))} / {fmt_ms(max(clock_gaps))} over {len(clock_gaps)} gaps",
         "the chain concatenated and played as one file: " +
         (f"{fmt_ms(statistics.median(whole_gaps))} / {fmt_ms(max(whole_gaps))} over {len(whole_gaps)} gaps"
          if whole_gaps else "no gap of 20 ms or more")),
        ("Whole announcement", f"{span_clock:.2f} s ({(span_clock / span_whole - 1) * 100:+.0f} %)",
         f"concatenation played as one file: {span_whole:.2f} s"),
    ]
    for bits, sfx in (("32", ""), ("64", "64")):
        clock, ref = float(figures['cpu_clock' + sfx]), float(figures['cpu_ref' + sfx])
        rows += [
            (f"CPU while idle, {figures.get('idle_seconds', '60')} s, {bits}-bit: exe + its wineserver",
             f"{figures['cpu_clock' + sfx]} % + {figures['cpu_server' + sfx]} % "
             f"(the exe {ratio(clock, ref)} the reference's" +
             ("; goal at most 1.2 times)" if sfx else ")"),
             f"reference clock: {figures['cpu_ref' + sfx]} % + {figures['cpu_refserver' + sfx]} %; "
             f"the same with a disc the dial's size: {figures['cpu_dial' + sfx]} % "
             f"({ratio(float(figures['cpu_dial' + sfx]), ref)} the reference's)"),
            (f"Memory (resident), {bits}-bit",
             f"{figures['rss_clock' + sfx]} MB ("
             f"{ratio(float(figures['rss_clock' + sfx]), float(figures['rss_ref' + sfx]))} the "
             "reference's" + ("; goal at most 1.3 times)" if sfx else ")"),
             f"reference clock: {figures['rss_ref' + sfx]} MB"),
        ]
    for where, key in (("native", "native"), ("under 32-bit Wine", "wine"),
                       ("under 64-bit Wine", "wine64")):
        t96, t192 = float(figures[f"tick_{key}96"]), float(figures[f"tick_{key}192"])
        w96, w192 = float(figures[f"whole_{key}96"]), float(figures[f"whole_{key}192"])
        painted = "composed and copied" if key == "native" else "composed and painted"
        rows += [
            (f"One clock tick at 100 %, {where}", f"{fmt_us(t96)} ({ratio(t96, w96)} the whole face"
             + ("; goal at most a third)" if key == "native" else ")"),
             f"the whole face {painted} once: {fmt_us(w96)}"),
            (f"One clock tick at 200 %, {where}", f"{fmt_us(t192)} ({ratio(t192, t96)} the tick at "
             "100 %; goal at most 1.5 times)",
             f"the tick at 100 %: {fmt_us(t96)}; the whole face at 200 %: {fmt_us(w192)}"),
        ]
    today = datetime.date.today().isoformat()
    # The notes under the table are written by hand: kept from run to run.
    notes = ""
    if os.path.exists(results):
        with open(results) as f:
            old = f.read()
        if "\n## " in old:
            notes = old[old.index("\n## "):]
    with open(results, "w") as f:
        f.write("# Benchmark\n\n")
        f.write(f"Made by `scripts/bench` on {today}, {figures['machine']}.\n")
        f.write("Sound figures from the 32-bit exe under Wine with the PulseAudio null sink; "
                "idle and tick figures for the 32-bit and the 64-bit exe. Each figure beside "
                "its baseline, measured in the same run; the idle baseline is bench/reference_clock.c, "
                "a bare window of the clock's size, colour key and z-order drawing one line a second, "
                "built for the same Wine, and the same window keeping a disc the size of the dial on "
                "the screen (Wine makes the colour key a window shape again from every row at each "
                "repaint, and a dial's outline costs more than a line). A tick's baseline is the whole "
                "face composed and painted (natively: copied) once; under Wine both are painted in a "
                "window like the clock's on a 2560 x 1600 screen, the whole face being the hands "
                "composed whole on the face's base (the skin is not made again) and all of it "
                "painted.\n")
        f.write(f"Chain spoken: {chain}.\n")
        f.write(f"Scheduled announcements: a clock with `Every=1` and no quiet hours, its own "
                f"recording and traced opens, at the boundaries {', '.join(r['at'] for r in sched)}, "
                f"each from hh:mm:00.000 of the wall clock; {beside}.\n\n")
        f.write("| figure | Zvenoks | baseline |\n|---|---|---|\n")
        for r in rows:
            f.write(f"| {r[0]} | {r[1]} | {r[2]} |\n")
        f.write(notes)
    with open(results) as f:
        sys.stdout.write(f.read())


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    main(sys.argv[1], sys.argv[2])
