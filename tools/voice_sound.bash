# shellcheck shell=bash
# The sound of a word for tools/make_voice: measured, brought to one
# loudness, trimmed, faded, written, and the checks on a whole set. Sourced
# by make_voice after its constants.
# shellcheck disable=SC2154 # the constants (k...) are make_voice's

# sox with repeatable output and no dither (dither would also put noise
# into the digital silence).
Sox() {
    sox -R -D -V1 "$@"
}

Duration() {
    soxi -D "$1"
}

# Measures a raw word and prints "<gain> <start> <end>": the gain in dB that
# brings its loudest 50 ms RMS to the target, and the span in seconds of the
# speech after that gain: runs of two or more 5 ms frames above the threshold.
# Fails when nothing is above the threshold.
Analyze() {
    Sox "$1" -t dat - | awk -v target="$kTargetRmsPeak" -v threshold="$kTrimThreshold" '
        function dB(power) { return power > 0 ? 10 * log(power) / log(10) : -999 }
        /^; Sample Rate/ { rate = $4; frame = int(rate * 0.005); next }
        /^;/ { next }
        {
            x = $2; sum += x * x; n++
            if (n == frame) { energy[frames++] = sum / n; sum = 0; n = 0 }
        }
        END {
            if (frames < 10) exit 1
            for (i = 0; i < frames; i++) {
                window += energy[i]
                if (i >= 10) window -= energy[i - 10]
                if (i >= 9 && window / 10 > loudest) loudest = window / 10
            }
            gain = target - dB(loudest)
            # A lone loud frame is a click in the unit, not speech.
            for (i = 0; i < frames; i++) {
                run = (dB(energy[i]) + gain > threshold) ? run + 1 : 0
                if (run >= 2) {
                    if (first == "") first = i - run + 1
                    last = i
                }
            }
            if (first == "") exit 1
            printf "%.2f %.6f %.6f\n", gain, first * frame / rate, (last + 1) * frame / rate
        }'
}

# Prints "<peak> <loudness>" of a finished clip in dBFS: its highest sample and
# its loudest 50 ms RMS over every window position, as the checks measure them.
Measure() {
    Sox "$1" -t dat - | awk '
        function dB(power) { return power > 0 ? 10 * log(power) / log(10) : -999 }
        /^; Sample Rate/ { window = int($4 / 20); next }
        /^;/ { next }
        {
            x = $2; s[n++] = x; sum += x * x
            if (n > window) sum -= s[n - 1 - window] * s[n - 1 - window]
            if (n >= window && sum / window > loudest) loudest = sum / window
            if (x < 0) x = -x
            if (x > peak) peak = x
        }
        END { printf "%.3f %.3f\n", dB(peak * peak), dB(loudest) }'
}

# A synthesized word is usable when it is long enough and clearly audible.
Usable() {
    local file=$1 peak
    [[ -s $file ]] || return 1
    awk -v d="$(Duration "$file" 2>/dev/null || echo 0)" 'BEGIN { exit !(d > 0.2) }' || return 1
    read -r peak _ < <(Measure "$file" || echo -999) || return 1
    awk -v pk="$peak" 'BEGIN { exit !(pk > -30) }'
}

# Writes the finished clip for one raw word; prints the gain it applied.
Finish() {
    local raw=$1 out=$2 analysis gain first last length start end peak loud
    analysis=$(Analyze "$raw") || die "$raw: no speech found"
    read -r gain first last <<<"$analysis"
    length=$(Duration "$raw")
    read -r start end < <(awk -v f="$first" -v l="$last" -v len="$length" \
        -v lead="$kLeadMargin" -v tail="$kTailMargin" '
        BEGIN {
            s = f - lead; if (s < 0) s = 0
            e = l + tail; if (e > len) e = len
            printf "%.6f %.6f\n", s, e
        }')
    # The gain stays 6 dB short so that no sample clips inside the chain; the
    # limiter (1 ms look-ahead) flattens everything above the ceiling less those
    # 6 dB and its own gain gives them back.
    Sox "$raw" -b 16 -e signed-integer -c 1 -r "$sampleRate" -t wav "$out.limited.wav" \
        trim "$start" "=$end" gain "$(awk -v g="$gain" 'BEGIN { print g - 6 }')" \
        compand 0.001,0.050 "-90,-90,$((kPeakCeiling - 7)),$((kPeakCeiling - 7)),0,$((kPeakCeiling - 7))" \
        6 -90 0.001 fade t "$kFadeIn" -0 "$kFadeOut"
    # The limiter moves the loudest window a little and may overshoot by a
    # fraction of a dB: one last gain puts the loudness back on target, never
    # lifting a sample past the ceiling.
    read -r peak loud < <(Measure "$out.limited.wav")
    gain=$(awk -v t="$kTargetRmsPeak" -v c="$kPeakCeiling" -v p="$peak" -v l="$loud" '
        BEGIN { g = t - l; if (p + g > c - 0.1) g = c - 0.1 - p; printf "%.3f\n", g }')
    Sox "$out.limited.wav" "$out" gain "$gain"
    rm -f "$out.limited.wav"
    echo "$gain"
}

CheckDuration() {
    local file=$1 d
    d=$(Duration "$file")
    awk -v d="$d" -v lo="$kMinDuration" -v hi="$kMaxDuration" 'BEGIN { exit !(d >= lo && d <= hi) }' ||
        die "$(basename "$file"): duration $d s outside $kMinDuration..$kMaxDuration s"
    echo "$d"
}

# The words of a pack sound equally loud and the longest chain stays short.
CheckSet() {
    local dir=$1 stem chain=0 loud
    local -a louds=()
    for stem in "${kLongestChain[@]}"; do
        chain=$(awk -v a="$chain" -v b="$(Duration "$dir/$stem.wav")" 'BEGIN { print a + b }')
    done
    awk -v c="$chain" -v m="$kMaxChain" 'BEGIN { exit !(c <= m) }' ||
        die "the chain for 23:59 lasts $chain s, more than $kMaxChain s"
    # The colloquial chains of every minute, from the table the unit tests hold
    # the announcer to.
    for stem in "${stems[@]}"; do
        printf '%s.wav\t%s\n' "$stem" "$(Duration "$dir/$stem.wav")"
    done >"$dir/durations.tsv"
    awk -F '\t' -v max="$kMaxColloquialChain" '
        NR == FNR { length_[$1] = $2; next }
        $1 == 2 {
            n = split($3, files, " "); sum = 0
            for (i = 1; i <= n; i++) {
                if (!(files[i] in length_)) { print "no recording " files[i] " for " $2; bad = 1; exit 1 }
                sum += length_[files[i]]
            }
            if (sum > longest) { longest = sum; at = $2 }
        }
        END {
            if (bad) exit 1
            printf "longest colloquial chain %s %.3f s\n", at, longest
            exit !(longest <= max)
        }' "$dir/durations.tsv" "$scriptDir/../tests/data/chains.tsv" ||
        die "a colloquial chain is missing a word or lasts more than $kMaxColloquialChain s"
    for stem in "${stems[@]}"; do
        [[ $stem == 0_0 ]] && continue
        read -r _ loud < <(Measure "$dir/$stem.wav")
        louds+=("$loud")
    done
    printf '%s\n' "${louds[@]}" | sort -g | awk -v chain="$chain" '
        { v[n++] = $1 }
        END {
            median = n % 2 ? v[int(n / 2)] : (v[n / 2 - 1] + v[n / 2]) / 2
            printf "chain 23:59 %.3f s, loudness %.2f..%.2f dBFS around %.2f\n", chain, v[0], v[n - 1], median
            exit !(v[0] >= median - 1 && v[n - 1] <= median + 1)
        }' || die "the words' loudness spreads more than 1 dB from the median"
}
