"""Checks of the tools that judge the end-to-end runs: a fault here would let
a wrong announcement pass, or fail a right one."""
import array
import math
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "lib"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "bench"))
import analyze  # noqa: E402
import chain  # noqa: E402
import measure  # noqa: E402

RATE = 16000


def write_wav(path, pieces, data_size=None):
    """PIECES: (seconds, amplitude) runs of a 440 Hz tone (0 = silence)."""
    s = array.array("h")
    for secs, amp in pieces:
        n = int(secs * RATE)
        s.extend(int(amp * math.sin(2 * math.pi * 440 * i / RATE)) for i in range(n))
    body = s.tobytes()
    size = len(body) if data_size is None else data_size
    head = (b"RIFF" + (36 + len(body)).to_bytes(4, "little") + b"WAVEfmt "
            + (16).to_bytes(4, "little") + (1).to_bytes(2, "little") + (1).to_bytes(2, "little")
            + RATE.to_bytes(4, "little") + (2 * RATE).to_bytes(4, "little")
            + (2).to_bytes(2, "little") + (16).to_bytes(2, "little")
            + b"data" + size.to_bytes(4, "little"))
    with open(path, "wb") as f:
        f.write(head + body)
    return len(head)


class Sound(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.wav = os.path.join(self.dir.name, "a.wav")

    def tearDown(self):
        self.dir.cleanup()

    def test_onset_gaps_and_span(self):
        write_wav(self.wav, [(0.3, 0), (0.4, 8000), (0.15, 0), (0.5, 8000), (0.05, 0),
                             (0.2, 8000), (0.1, 20), (0.4, 8000), (0.5, 0)])
        s = analyze.sound(self.wav, threshold=-60, min_gap=0.025)
        self.assertAlmostEqual(s["onset"], 0.3, delta=0.006)
        self.assertAlmostEqual(s["span"], 1.8, delta=0.012)
        # Noise at -64 dBFS counts as silence; a 25 ms floor keeps the 50 ms gap.
        self.assertEqual([round(g["length"], 2) for g in s["gaps"]], [0.15, 0.05, 0.1])
        self.assertAlmostEqual(s["gap_median"], 0.1, delta=0.006)
        self.assertAlmostEqual(s["gap_max"], 0.15, delta=0.006)
        self.assertEqual(len(analyze.sound(self.wav, min_gap=0.08)["gaps"]), 2)
        # From a later point on, only what follows counts.
        self.assertAlmostEqual(analyze.sound(self.wav, start=0.9)["onset"], 0.9, delta=0.006)

    def test_silence_and_stale_headers(self):
        write_wav(self.wav, [(0.5, 0)])
        s = analyze.sound(self.wav)
        self.assertIsNone(s["onset"])
        self.assertEqual(analyze.quiet(self.wav), (False, 0.5))
        # A recording cut off before its header was finished: data to the end.
        for stale in (0, 0xFFFFFFFF, 10 ** 9):
            write_wav(self.wav, [(0.2, 0), (0.3, 8000), (0.25, 0)], data_size=stale)
            self.assertAlmostEqual(analyze.header_seconds(self.wav), 0.75, delta=0.001)
            seen, silent = analyze.quiet(self.wav)
            self.assertTrue(seen)
            self.assertAlmostEqual(silent, 0.25, delta=0.006)

    def test_marks_map_file_sizes_to_seconds(self):
        head = write_wav(self.wav, [(1.0, 0)])
        with open(self.wav + ".marks", "w") as f:
            f.write(f"press 100.0 {head + 2 * RATE // 2}\n")
            f.write(f"click 100.2 {head + 2 * RATE}\n")
        self.assertAlmostEqual(analyze.mark_seconds(self.wav, "press"), 0.5)
        self.assertAlmostEqual(analyze.mark_seconds(self.wav, "click"), 1.0)
        with self.assertRaises(ValueError):
            analyze.mark_seconds(self.wav, "end")


class Opened(unittest.TestCase):
    def test_order_failures_and_repeats(self):
        p = '/tmp/p/dosdevices/z:/work/dist/Zvenoks/'
        lines = [
            f'17 100.000 openat(AT_FDCWD, "{p}20.wav", O_RDONLY|O_NONBLOCK) = 71',
            f'17 100.040 openat(AT_FDCWD, "{p}20.wav", O_RDONLY|O_NONBLOCK) = 72',  # same open
            f'17 100.050 openat(AT_FDCWD, "{p}gone.wav", O_RDONLY|O_NONBLOCK) = -1 ENOENT (No such file)',
            f'17 100.060 openat(AT_FDCWD, "{p}skin.bmp", O_RDONLY) = 73',
            f'17 100.700 openat(AT_FDCWD, "{p}1.wav", O_RDONLY|O_NONBLOCK) = 71',
            '17 100.710 --- SIGALRM {si_signo=SIGALRM} ---',
            f'17 101.300 openat(AT_FDCWD, "{p}1.wav", O_RDONLY|O_NONBLOCK) = 71',  # played again
            f'17 101.900 openat(AT_FDCWD, "{p}with space/CHAS.WAV", O_RDONLY) = 71',
            f'17 102.400 openat(AT_FDCWD, "{p}20.wav", O_RDONLY|O_NONBLOCK) = 71',
        ]
        with tempfile.NamedTemporaryFile("w", suffix=".log", delete=False) as f:
            f.write("\n".join(lines) + "\n")
        try:
            got = analyze.opened_wavs(f.name)
        finally:
            os.unlink(f.name)
        self.assertEqual([n for _, n in got], ["20.wav", "1.wav", "1.wav", "CHAS.WAV", "20.wav"])
        self.assertEqual([t for t, _ in got][:2], [100.0, 100.7])


class Chains(unittest.TestCase):
    def test_rules_and_every_time(self):
        chain.self_check()
        self.assertEqual(chain.chain(22, 12), ["20.wav", "2.wav", "chasa.wav", "12.wav", "minut.wav"])
        self.assertEqual(chain.chain(13, 52)[-3:], ["50.wav", "dve.wav", "minuty.wav"])
        self.assertEqual(chain.chain(4, 11)[-2:], ["11.wav", "minut.wav"])

    def test_a_tick_during_the_chain(self):
        # The time asked, whichever it was, and never a mix of two.
        got = chain.possible_chains([(12, 29), (12, 30)])
        self.assertEqual(got, {tuple(chain.chain(12, 29)), tuple(chain.chain(12, 30))})
        across = chain.possible_chains([(20, 59), (21, 0)])
        self.assertNotIn(("20.wav", "chas.wav", "0.wav", "minut.wav"), across)


class Boundaries(unittest.TestCase):
    def test_each_boundary_through_its_own_mark(self):
        # (mark, sound, open) in seconds from a boundary. The boundaries lie a
        # minute apart on the wall clock but 5 s apart in the recording.
        runs = [(-3.0, 0.12, 0.05), (0.4, 0.08, 0.02), (-1.0, -0.2, -0.1), (-2.5, 1.5, 1.2), (-3.0, None, 0.1)]
        pieces, marks, pos = [], [], 0.0
        lines = ['9 1000015.000 openat(AT_FDCWD, "/z/kuku.wav", O_RDONLY) = 5']  # at start-up
        for k, (mark, tone, opened) in enumerate(runs):
            b, at = 1_000_020 + 60 * k, 5.0 * k + 3.0
            if tone is not None:
                pieces += [(at + tone - pos, 0), (0.4, 8000)]
                pos = at + tone + 0.4
            marks.append((f"boundary-{b}", b + mark, at + mark))
            lines.append(f'9 {b + opened:.3f} openat(AT_FDCWD, "/z/{k}.wav", O_RDONLY) = 5')
        with tempfile.TemporaryDirectory() as d:
            wav, log = os.path.join(d, "b.wav"), os.path.join(d, "s.log")
            head = write_wav(wav, pieces + [(30 - pos, 0)])
            with open(log, "w") as f:
                f.write("\n".join(lines) + "\n")

            def measure_marked(n):
                with open(wav + ".marks", "w") as f:
                    f.writelines(f"{m} {t:.3f} {head + 2 * round(at * RATE)}\n" for m, t, at in marks[:n])
                return measure.boundaries(wav, analyze.opened_wavs(log))

            got = measure_marked(4)
            with self.assertRaisesRegex(SystemExit, "nothing heard"):
                measure_marked(5)  # the last boundary is silent
        self.assertEqual([r["files"][0] for r in got], ["0.wav", "1.wav", "2.wav", "3.wav"])
        for (_, tone, opened), r in zip(runs, got):
            self.assertAlmostEqual(r["sound"], tone, delta=0.006)
            self.assertAlmostEqual(r["open"], opened, delta=0.001)


if __name__ == "__main__":
    unittest.main()
