#!/usr/bin/env python3
"""Judges one announcement left by hn_announce_once in OUT: the recordings
opened, in order, against the chain for the time of the click, and the sound
heard against the lengths of those recordings. Writes OUT/results.txt."""
import json
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "lib"))
import analyze  # noqa: E402
import chain  # noqa: E402

# Bounds on what was heard. The poll between recordings is a timer tick plus
# an MCI close and open; under emulated Wine that is about 0.15 s.
MAX_LATENCY = 2.0   # click to first sound, s
MAX_GAP = 0.6       # longest silence between two spoken recordings, s
CUT_SLACK = 0.03    # per recording: leading/trailing silence not heard
OPEN_SLACK = 0.03   # an open may be logged a little after MCI_OPEN began


def marks(wav):
    out = {}
    with open(wav + ".marks") as f:
        for line in f:
            name, t, _ = line.split()
            out[name] = float(t)
    return out


def clock_times(t0, t1):
    """(hour, minute) of every local second from T0 to T1, in order."""
    out, t = [], int(t0)
    while t <= t1 + 1:
        lt = time.localtime(t)
        out.append((lt.tm_hour, lt.tm_min))
        t += 1
    return out


def main(out_dir, dist):
    chain.self_check()
    wav = os.path.join(out_dir, "announcement.wav")
    m = marks(wav)
    # The clock's time fields are refreshed once a second, so at the click
    # they may be a second old (more under emulation).
    candidates = chain.possible_chains(clock_times(m["click"] - 3, m["end"]))
    opens = analyze.opened_wavs(os.path.join(out_dir, "strace.log"))
    played = [n for _, n in opens]

    failures = []
    if tuple(played) not in candidates:
        want = " | ".join(" ".join(c) for c in sorted(candidates))
        failures.append(f"recordings opened: {' '.join(played) or '(none)'}; expected one of: {want}")

    total = sum(analyze.header_seconds(os.path.join(dist, n)) for n in played if os.path.exists(os.path.join(dist, n)))
    click_at = analyze.mark_seconds(wav, "click")
    s = analyze.sound(wav, start=click_at)
    latency = None if s["onset"] is None else s["onset"] - click_at
    r = {
        "time_of_click": time.strftime("%H:%M:%S", time.localtime(m["click"])),
        "recordings": " ".join(played),
        "recordings_total_s": round(total, 3),
        "announcement_span_s": s["span"],
        "span_minus_total_s": round(s["span"] - total, 3),
        "click_to_first_sound_s": None if latency is None else round(latency, 3),
        "click_to_first_open_s": round(opens[0][0] - m["click"], 3) if opens else None,
        "gaps": len(s["gaps"]),
        "gap_median_s": s.get("gap_median"),
        "gap_max_s": s.get("gap_max"),
        "threshold_dbfs": s["threshold_dbfs"],
        "min_gap_s": s["min_gap"],
    }
    if latency is None:
        failures.append("no sound was recorded after the click")
    else:
        if latency > MAX_LATENCY:
            failures.append(f"first sound {latency:.3f} s after the click (limit {MAX_LATENCY} s)")
        if s["span"] < total - CUT_SLACK * len(played):
            failures.append(f"heard {s['span']:.3f} s, shorter than the recordings' {total:.3f} s: a recording was cut off")
        # A silent recording (0_0.wav) lies inside a gap; allow for its length.
        silent = sum(analyze.header_seconds(os.path.join(dist, n)) for n in played
                     if os.path.exists(os.path.join(dist, n))
                     and analyze.sound(os.path.join(dist, n))["onset"] is None)
        longest = max([g["length"] for g in s["gaps"]] or [0.0])
        if longest - silent > MAX_GAP:
            failures.append(f"a silence of {longest:.3f} s between recordings (limit {MAX_GAP} s)")
        if s["span"] > total + MAX_GAP * max(0, len(played) - 1):
            failures.append(f"heard {s['span']:.3f} s, far longer than the recordings' {total:.3f} s")

    # Each recording must have had its full length before the next one was
    # opened. Under Wine the sound handed to PulseAudio plays on after an
    # early MCI_CLOSE, so a cut-off shows here more plainly than in the sound.
    slack = []
    for (t0, n), (t1, _) in zip(opens, opens[1:]):
        f = os.path.join(dist, n)
        if os.path.exists(f):
            slack.append((t1 - t0 - analyze.header_seconds(f), n))
    if slack:
        worst = min(slack)
        r["open_to_next_open_minus_length_min_s"] = round(worst[0], 3)
        if worst[0] < -OPEN_SLACK:
            failures.append(f"{worst[1]} was followed by the next recording {-worst[0]:.3f} s before its end")
    r["result"] = "pass" if not failures else "fail"
    with open(os.path.join(out_dir, "results.txt"), "w") as f:
        for k, v in r.items():
            f.write(f"{k}={v}\n")
        for x in failures:
            f.write(f"failure={x}\n")
    with open(os.path.join(out_dir, "sound.json"), "w") as f:
        json.dump(s, f, indent=1)
    for k, v in r.items():
        print(f"  {k}: {v}")
    for x in failures:
        print(f"FAIL: {x}")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: announce_check.py OUT_DIR DIST_DIR")
    sys.exit(main(sys.argv[1], sys.argv[2]))
