"""The recordings the clock should play for a time, from a table of our own
(kept apart from the program's code so that one cannot hide a fault of the
other)."""
import itertools

# Worked chains the rules below must reproduce.
WORKED = {
    (0, 0): "0 chasov 0 minut",
    (1, 1): "1 chas odna minuta",
    (2, 22): "2 chasa 20 dve minuty",
    (12, 40): "12 chasov 40 0_0 minut",
    (14, 15): "14 chasov 15 minut",
    (20, 20): "20 chasov 20 0_0 minut",
    (21, 5): "20 1 chas 5 minut",
    (23, 31): "20 3 chasa 30 odna minuta",
}


def hour_word(h):
    if h in (1, 21):
        return "chas"
    if h in (2, 3, 4, 22, 23):
        return "chasa"
    return "chasov"


def minute_word(m):
    last = m % 10
    if last == 1 and m != 11:
        return "minuta"
    if 2 <= last <= 4 and not 12 <= m <= 14:
        return "minuty"
    return "minut"


FEMININE = {1: "odna", 2: "dve"}


def hour_part(h_number, h_units, h_word):
    """Files for the hour. Each argument is the hour read at that step: the
    clock may tick between steps."""
    files = ["20", str(h_units - 20)] if h_number >= 21 else [str(h_number)]
    return files + [hour_word(h_word)]


def minute_part(m_number, m_units, m_word):
    if m_number < 20:
        files = [FEMININE.get(m_number, str(m_number))]
    else:
        u = m_units % 10
        files = [str(m_number // 10 * 10), "0_0" if u == 0 else FEMININE.get(u, str(u))]
    return files + [minute_word(m_word)]


def chain(h, m):
    return [f + ".wav" for f in hour_part(h, h, h) + minute_part(m, m, m)]


def possible_chains(times):
    """Every chain the clock may play when its time fields move through TIMES
    ((hour, minute) pairs in the order they occurred) while it plays: each
    step reads the time as it is then, and later steps never read an earlier
    time."""
    times = [t for i, t in enumerate(times) if i == 0 or t != times[i - 1]]
    out = set()
    for reads in itertools.combinations_with_replacement(range(len(times)), 6):
        (h1, _), (h2, _), (h3, _), (_, m1), (_, m2), (_, m3) = (times[i] for i in reads)
        if h1 < 21 and h2 != h1:
            continue  # no units step: the hour word follows the number directly
        if h1 >= 21 and h2 < 21:
            continue
        out.add(tuple(f + ".wav" for f in hour_part(h1, h2, h3) + minute_part(m1, m2, m3)))
    return out


def self_check():
    for (h, m), want in WORKED.items():
        got = " ".join(f[:-4] for f in chain(h, m))
        assert got == want, f"{h}:{m:02}: table gives {got}, worked chain is {want}"
    for h in range(24):
        for m in range(60):
            c = chain(h, m)
            assert all(f[:-4] in NAMES for f in c), (h, m, c)
    assert possible_chains([(12, 40)]) == {tuple(chain(12, 40))}


NAMES = {str(n) for n in list(range(21)) + [30, 40, 50]} | {
    "0_0", "odna", "dve", "chas", "chasa", "chasov", "minuta", "minuty", "minut"}
