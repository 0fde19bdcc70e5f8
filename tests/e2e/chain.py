"""The recordings the clock should play for a time, from a table of our own
(kept apart from the program's code so that one cannot hide a fault of the
other)."""

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


def hour_part(h):
    return (["20", str(h - 20)] if h >= 21 else [str(h)]) + [hour_word(h)]


def minute_part(m):
    if m < 20:
        files = [FEMININE.get(m, str(m))]
    else:
        u = m % 10
        files = [str(m // 10 * 10), "0_0" if u == 0 else FEMININE.get(u, str(u))]
    return files + [minute_word(m)]


def chain(h, m):
    return [f + ".wav" for f in hour_part(h) + minute_part(m)]


def possible_chains(times):
    """The chains the clock may play when it was asked at one of TIMES
    ((hour, minute) pairs): the time is taken once, when the chain starts,
    and spoken to its end, so never a mix of two."""
    return {tuple(chain(h, m)) for h, m in times}


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
