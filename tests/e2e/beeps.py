"""Finds the beeps in a recording of raw signed 16-bit little-endian mono samples at 8000 Hz.

Usage: beeps.py FILE [SKIP_SECONDS]
Prints one line: "seconds=T beeps=N pairs=P hz=F starts=S1,S2,...": the length analysed, the
beeps (runs of loud sound, a
silence shorter than 30 ms bridged), how many of them start within 0.35 s after the one before
(two beeps asked for together), the pitch from the sign changes, and each start in seconds.
Standard library only: it runs under any python3.
"""

import array
import sys

RATE = 8000
WINDOW = RATE // 100  # 10 ms
LOUD = 1000  # of 32767: well above a null sink's silence, well below the tone
BRIDGE = 3  # windows of silence that do not end a beep


def main():
    with open(sys.argv[1], "rb") as file:
        data = file.read()
    skip = float(sys.argv[2]) if len(sys.argv) > 2 else 0.0
    samples = array.array("h")
    samples.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder == "big":
        samples.byteswap()
    first = int(skip * RATE) // WINDOW * WINDOW

    beeps = []  # [start, end) in samples
    quiet = BRIDGE + 1
    for at in range(first, len(samples) - WINDOW + 1, WINDOW):
        loud = max(abs(s) for s in samples[at : at + WINDOW]) > LOUD
        if loud and quiet > BRIDGE:
            beeps.append([at, at + WINDOW])
        elif loud:
            beeps[-1][1] = at + WINDOW
        quiet = 0 if loud else quiet + 1

    # Half periods between the first and the last sign change in the middle half of each beep:
    # the fades and the silence at its edges do not count.
    halves = seconds = 0
    for start, end in beeps:
        part = samples[start + (end - start) // 4 : end - (end - start) // 4]
        changes = [i for i in range(1, len(part)) if (part[i - 1] < 0) != (part[i] < 0)]
        if len(changes) > 1:
            halves += len(changes) - 1
            seconds += (changes[-1] - changes[0]) / RATE
    hz = round(halves / 2 / seconds) if seconds else 0
    starts = [start / RATE for start, _ in beeps]
    pairs = sum(1 for a, b in zip(starts, starts[1:]) if b - a < 0.35)
    print(
        "seconds=%d beeps=%d pairs=%d hz=%d starts=%s"
        % (
            (len(samples) - first) // RATE,
            len(beeps),
            pairs,
            hz,
            ",".join("%.2f" % s for s in starts),
        )
    )


main()
